#include "screens/screen_setup.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>

#include "app/game_instance.h"
#include "app/input.h"
#include "render/button.h"
#include "render/text_renderer.h"

glm::ivec2 WindowSize(GLFWwindow* window) {
  glm::ivec2 size(0, 0);
  glfwGetWindowSize(window, &size.x, &size.y);
  return size;
}

void SetPadLayout(GLFWwindow* window, input::PadLayout layout, glm::dvec2 anchor) {
  const glm::ivec2 size = WindowSize(window);
  input::SetPadView({.layout = layout, .windowWidth = size.x, .windowHeight = size.y, .anchorX = anchor.x,
                     .anchorY = anchor.y});
}

glm::mat4 WindowProjection(GLFWwindow* window) {
  glm::ivec2 size = WindowSize(window);
  return glm::ortho(0.0f, static_cast<float>(size.x), 0.0f, static_cast<float>(size.y), -1.0f, 1.0f);
}

Shader* LoadProjectedShader(GameInstance& screen, const char* name, const char* vertexPath,
                            const char* fragmentPath, const glm::mat4& projection) {
  screen.resources.LoadShader(name, vertexPath, fragmentPath);
  Shader* shader = screen.resources.GetShader(name);
  shader->Use();
  shader->SetMatrix4("projection", projection);
  return shader;
}

void LoadFontShader(GameInstance& screen, const glm::mat4& projection) {
  screen.textRenderer->shader =
      LoadProjectedShader(screen, "FontShader", "Shaders//shader_font.vs", "Shaders//shader_font.fs", projection);
}

void EnableAlphaBlending() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

SpriteRenderer StillPicture(GameInstance& screen, Shader* shader, const char* texture) {
  return SpriteRenderer(shader, screen.resources.GetTexture(texture), 0, kStillStartFrame, kStillFrameTime, false,
                        false);
}

void LayOutButtons(GameInstance& screen, Shader* shader, std::span<const ButtonLayout> layouts, int W, int H,
                   std::span<std::optional<SpriteRenderer>> sprites, std::span<Button> buttons) {
  const float w = static_cast<float>(W), h = static_cast<float>(H);
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    const ButtonLayout& b = layouts[i];
    sprites[i].emplace(StillPicture(screen, shader, b.texture));
    buttons[i].SetButton(glm::vec2(b.x * w, b.y * h),
                         glm::vec2(b.halfWidth * w / 1920.0f, b.halfHeight * h / 1080.0f), &*sprites[i]);
  }
}

void DrawBackdrop(const SpriteRenderer& backdrop, bool fullScreen, float w, float h) {
  const float k = fullScreen ? 0.5f : 0.9f;
  const glm::vec2 half(k * w, k * h);
  backdrop.DrawSprite(-half, glm::vec2(0.0f), half, 0.0f);
}
