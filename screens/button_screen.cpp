#include "screens/button_screen.h"

#include <cassert>

#include <epoxy/gl.h>

#include "app/game_state.h"
#include "app/input.h"
#include "screens/screen_setup.h"

namespace {

constexpr float kPointerSize = 16.0f;

std::unique_ptr<SpriteRenderer> StillSprite(GameInstance& screen, Shader* shader, const char* name,
                                            const char* path) {
  screen.resources.LoadTexture(name, path, 0, 0, 0);
  return std::make_unique<SpriteRenderer>(shader, screen.resources.GetTexture(name), 0, kStillStartFrame,
                                          kStillFrameTime, false, false);
}

bool LeftButtonDown() { return input::GetMouseButton(input::MOUSE_BUTTON_LEFT) == input::PRESS; }

}  // namespace

void ButtonScreen::Load() {
  assert(table_.buttons.size() <= kMaxScreenButtons);
  glm::ivec2 size = WindowSize(window);
  state_.W = size.x;
  state_.H = size.y;
  glm::mat4 projection = WindowProjection(window);
  LoadFontShader(*this, projection);
  Shader* whole = LoadProjectedShader(*this, "BackgroundShader", "Shaders//shader_texture.vs",
                                      "Shaders//shader_texture.fs", projection);
  Shader* sprite = LoadProjectedShader(*this, "Button_Cursor_Shader", "Shaders//shader_sprite.vs",
                                       "Shaders//shader_sprite.fs", projection);
  EnableAlphaBlending();

  state_.background = StillSprite(*this, whole, table_.background, table_.backgroundPath);
  const std::vector<Placement> places = LayOut(table_, state_.W, state_.H);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const ButtonEntry& entry = table_.buttons[i];
    state_.buttonSprites[i] = StillSprite(*this, sprite, entry.texture, entry.path);
    state_.buttons[i].SetButton(places[i].position, places[i].halfSize, state_.buttonSprites[i].get());
  }
  state_.pointer = StillSprite(*this, sprite, "CursorTexture", "Assets//cursorOffOld.png");
}

// The mouse is read here, not left from the last visit, so the first frame
// tests where the pointer is; and a button still held from the screen before
// (the click that opened this one) acts only once it has been let go.
void ButtonScreen::Initialize() {
  state_.cursor = std::make_unique<Cursor>(state_.pointer.get(), kPointerSize);
  input::GetCursorPos(&state_.rawX, &state_.rawY);
  state_.armed = !LeftButtonDown();
  SetPadLayout(window, input::PadLayout::Buttons);
}

void ButtonScreen::ProcessInput(double /*dt*/) {
  if (input::GetKey(input::KEY_ESCAPE) == input::PRESS) NextState = STATE_QUIT;
  if (!LeftButtonDown()) {
    state_.armed = true;
    return;
  }
  if (!state_.armed) return;
  const glm::vec2 mouse = CentreRelative(state_.rawX, state_.rawY, state_.W, state_.H);
  for (std::size_t i = 0; i < table_.buttons.size(); ++i)
    if (state_.buttons[i].HitTest(mouse.x, mouse.y)) NextState = table_.buttons[i].target;
}

void ButtonScreen::Update(double /*dt*/) {
  input::GetCursorPos(&state_.rawX, &state_.rawY);
  const glm::ivec2 size = WindowSize(window);
  state_.cursor->SetFromMouse(state_.rawX, state_.rawY, size.x, size.y);
}

void ButtonScreen::Draw() {
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glm::ivec2 size = WindowSize(window);
  state_.W = size.x;
  state_.H = size.y;
  // The whole-window program stretches the picture over the window.
  state_.background->DrawSprite(glm::vec2(0.0f), glm::vec2(0.0f), glm::vec2(1.0f), 0.0f);
  for (std::size_t i = 0; i < table_.buttons.size(); ++i) state_.buttons[i].DrawButton(state_.W, state_.H);
  state_.cursor->DrawCursor();
}

void ButtonScreen::Free() { state_.cursor.reset(); }

void ButtonScreen::Unload() {
  state_.background.reset();
  state_.pointer.reset();
  for (auto& sprite : state_.buttonSprites) sprite.reset();
}
