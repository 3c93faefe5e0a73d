#include "render/gl_errors.h"

#include <cstdio>

#include <epoxy/gl.h>

namespace {

// OpenGL 4.3 took KHR_debug into the core; libepoxy numbers that version 43.
constexpr int kDebugOutputCore = 43;

long errorCount = 0;

void GLAPIENTRY OnDebugMessage(GLenum source, GLenum type, GLuint /*id*/, GLenum /*severity*/,
                               GLsizei /*length*/, const GLchar* message, const void* /*user*/) {
  // Shader compile failures come as errors too; the shader reports those itself.
  if (type != GL_DEBUG_TYPE_ERROR || source != GL_DEBUG_SOURCE_API) return;
  ++errorCount;
  std::printf("GL error: %s\n", message);
}

}  // namespace

bool StartGlErrorCount() {
  if (!epoxy_has_gl_extension("GL_KHR_debug") && epoxy_gl_version() < kDebugOutputCore) return false;
  glEnable(GL_DEBUG_OUTPUT);
  // Synchronous: the message arrives inside the failing call, on this thread.
  glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
  glDebugMessageCallback(OnDebugMessage, nullptr);
  glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_FALSE);
  glDebugMessageControl(GL_DONT_CARE, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
  return true;
}

long GlErrorCount() { return errorCount; }
