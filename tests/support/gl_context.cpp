#include "tests/support/gl_context.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <string_view>

#include <GLFW/glfw3.h>

namespace {

// Mesa leaks a little per context and unloads its driver at glfwTerminate; the
// leak reports then point into an unknown module that no suppression can
// match. Pinning the driver libraries keeps their names, so only Mesa's leaks
// are suppressed and ours are still reported.
void KeepGlDriversLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        const std::string_view name = info->dlpi_name ? info->dlpi_name : "";
        if (name.find("/dri/") != std::string_view::npos || name.find("libGLX_mesa") != std::string_view::npos ||
            name.find("libgallium") != std::string_view::npos)
          dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

// GLFW starts once per test process and stops at its exit: each start is one
// more connection to the display, and every connection is a chance to meet a
// server that is not ready (make test runs Xvfb with -noreset for this).
bool StartGlfwOnce() {
  static const bool started = [] {
    if (!glfwInit()) return false;
    std::atexit(glfwTerminate);
    return true;
  }();
  return started;
}

}  // namespace

// Read by LeakSanitizer in sanitizer builds; never called otherwise.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:/dri/\n"
         "leak:libGLX_mesa\n"
         "leak:libgallium\n"
         "leak:libepoxy\n";
}

void GlTest::SetUp() {
  // Without a display there is nothing to test against; with one, a failing
  // start is a real failure, not a reason to skip.
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display (run under xvfb-run)";
  ASSERT_TRUE(StartGlfwOnce()) << "GLFW could not start on display " << std::getenv("DISPLAY");
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  window = glfwCreateWindow(kWidth, kHeight, "test", nullptr, nullptr);
  ASSERT_NE(window, nullptr) << "could not create an OpenGL 3.3 core context";
  glfwMakeContextCurrent(window);
  KeepGlDriversLoaded();
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GlTest::TearDown() {
  if (window) glfwDestroyWindow(window);
  window = nullptr;
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
