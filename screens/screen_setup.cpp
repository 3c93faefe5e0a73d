#include "screens/screen_setup.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>

#include "app/game_instance.h"
#include "render/text_renderer.h"

glm::ivec2 WindowSize(GLFWwindow* window) {
  glm::ivec2 size(0, 0);
  glfwGetWindowSize(window, &size.x, &size.y);
  return size;
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
