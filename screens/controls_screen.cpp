#include "screens/controls_screen.h"

#include <optional>

#include <epoxy/gl.h>

#include "app/game_state.h"
#include "app/input.h"
#include "render/sprite_renderer.h"
#include "render/text_renderer.h"
#include "screens/screen_setup.h"

namespace {

// Components above 1 saturate to white in the colour buffer.
const glm::vec3 kTextColour(255.0f, 255.0f, 255.0f);

std::optional<SpriteRenderer> controlsPicture;

}  // namespace

void ControlsScreen::Load() {
  glm::mat4 projection = WindowProjection(window);
  LoadFontShader(*this, projection);
  // The picture fills the window, so it is drawn with the whole-window texture program.
  Shader* picture = LoadProjectedShader(*this, "SpriteShader", "Shaders//shader_texture.vs",
                                        "Shaders//shader_texture.fs", projection);
  EnableAlphaBlending();

  resources.LoadTexture("ControlsTexture", "Assets//controls.png", 0, 0, 0);
  controlsPicture.emplace(picture, resources.GetTexture("ControlsTexture"), 0, kStillStartFrame, kStillFrameTime,
                          false, false);
}

void ControlsScreen::Initialize() { SetPadLayout(window, input::PadLayout::Controls); }

void ControlsScreen::ProcessInput(double /*dt*/) {
  if (input::GetKey(input::KEY_ESCAPE) == input::PRESS) NextState = STATE_QUIT;
  if (input::GetKey(input::KEY_T) == input::PRESS) NextState = STATE_MAIN_MENU;
  if (input::GetKey(input::KEY_Y) == input::PRESS) NextState = STATE_LEVEL;
}

void ControlsScreen::Update(double /*dt*/) {}

void ControlsScreen::Draw() {
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  if (controlsPicture) controlsPicture->DrawSprite(glm::vec2(0.0f), glm::vec2(0.0f), glm::vec2(1.0f), 0.0f);
  textRenderer->RenderText("CONTROLS", 830.0f, 1000.0f, 1.5f, kTextColour, "default");
  textRenderer->RenderText("Press T (pad B) to go to Main Menu", 10.0f, 35.0f, 0.5f, kTextColour, "default");
  textRenderer->RenderText("Press Y (pad Y) to go to Level 1", 10.0f, 10.0f, 0.5f, kTextColour, "default");
}

// The picture's sprite is made by Load but released here, so it must be
// remade when the screen is entered again; Load always runs on entry.
void ControlsScreen::Free() { controlsPicture.reset(); }

void ControlsScreen::Unload() {}
