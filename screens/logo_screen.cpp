#include "screens/logo_screen.h"

#include <optional>

#include <epoxy/gl.h>

#include "app/game_state.h"
#include "app/input.h"
#include "render/sprite_renderer.h"
#include "screens/screen_setup.h"

namespace {

constexpr float kLogoSeconds = 2.0f;
// The logos keep this size whatever the window: 1067.5 x 311.5 pixels.
const glm::vec2 kLogoHalfSize(533.75f, 155.75f);

float timer = 0.0f;
bool secondLogoShowing = false;
std::optional<SpriteRenderer> studioLogo;
std::optional<SpriteRenderer> audioLogo;

}  // namespace

void LogoScreen::Load() {
  glm::mat4 projection = WindowProjection(window);
  LoadFontShader(*this, projection);
  Shader* sprite = LoadProjectedShader(*this, "SpriteShader", "Shaders//shader_sprite.vs",
                                       "Shaders//shader_sprite.fs", projection);
  EnableAlphaBlending();

  resources.LoadTexture("OstrelTexture", "Assets//OstrelLogo.png", 0, 0, 0);
  studioLogo.emplace(sprite, resources.GetTexture("OstrelTexture"), 0, kStillStartFrame, kStillFrameTime, false,
                     false);
  resources.LoadTexture("FMOD_Texture", "Assets//FMODLogo.png", 0, 0, 0);
  audioLogo.emplace(sprite, resources.GetTexture("FMOD_Texture"), 0, kStillStartFrame, kStillFrameTime, false,
                    false);
}

void LogoScreen::Initialize() {
  timer = 0.0f;
  input::SetPadView({.layout = input::PadLayout::Logos});  // no pointer here: the window's size is not needed
}

void LogoScreen::ProcessInput(double /*dt*/) {
  if (input::GetKey(input::KEY_ESCAPE) == input::PRESS) NextState = STATE_QUIT;
  if (input::GetKey(input::KEY_ENTER) == input::PRESS) NextState = STATE_MAIN_MENU;
  if (input::GetKey(input::KEY_SPACE) == input::PRESS) NextState = STATE_MAIN_MENU;
}

void LogoScreen::Update(double dt) {
  timer = static_cast<float>(timer + dt);
  if (timer <= kLogoSeconds) return;
  if (!secondLogoShowing) {
    secondLogoShowing = true;
  } else {
    NextState = STATE_MAIN_MENU;
  }
  timer = 0.0f;
}

void LogoScreen::Draw() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glm::vec2 size = WindowSize(window);
  const SpriteRenderer& logo = secondLogoShowing ? *audioLogo : *studioLogo;
  logo.DrawSprite(-size * 0.5f, glm::vec2(0.0f), kLogoHalfSize, 0.0f);
}

void LogoScreen::Free() {}

void LogoScreen::Unload() {
  studioLogo.reset();
  audioLogo.reset();
}
