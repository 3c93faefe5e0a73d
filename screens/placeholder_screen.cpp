#include "screens/placeholder_screen.h"

#include <epoxy/gl.h>

#include "app/game_state.h"
#include "app/input.h"
#include "render/text_renderer.h"
#include "screens/screen_setup.h"

void PlaceholderScreen::Load() {
  LoadFontShader(*this, WindowProjection(window));
  EnableAlphaBlending();
}

void PlaceholderScreen::ProcessInput(double /*dt*/) {
  if (input::GetKey(input::KEY_ESCAPE) == input::PRESS) NextState = STATE_QUIT;
}

void PlaceholderScreen::Draw() {
  glClearColor(0.05f, 0.04f, 0.08f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  textRenderer->RenderText(name_, 20.0f, 20.0f, 0.5f, glm::vec3(0.6f, 0.6f, 0.7f), "default");
}
