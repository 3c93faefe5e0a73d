#include "render/gl_context.h"

#include <GLFW/glfw3.h>

bool GlContextIsCurrent() {
  // After glfwTerminate the query reports "not initialized" through the error
  // callback; at program exit that is expected, so keep it quiet.
  GLFWerrorfun previous = glfwSetErrorCallback(nullptr);
  const bool current = glfwGetCurrentContext() != nullptr;
  glfwSetErrorCallback(previous);
  return current;
}
