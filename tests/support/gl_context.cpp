#include "tests/support/gl_context.h"

#include <GLFW/glfw3.h>

void GlTest::SetUp() {
  if (!glfwInit()) GTEST_SKIP() << "no display: GLFW could not start (run under xvfb-run)";
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  window = glfwCreateWindow(kWidth, kHeight, "test", nullptr, nullptr);
  ASSERT_NE(window, nullptr) << "could not create an OpenGL 3.3 core context";
  glfwMakeContextCurrent(window);
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GlTest::TearDown() {
  if (window) glfwDestroyWindow(window);
  window = nullptr;
  glfwTerminate();
}

GlTest::Rgba GlTest::ReadPixel(int x, int y) const {
  Rgba p{};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
  return p;
}

std::vector<std::uint8_t> GlTest::ReadFramebuffer() const {
  std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
