#pragma once

// Counts the OpenGL errors the driver reports through debug output, for test
// runs: each is printed on standard output as it happens. Needs a current
// context, best one made with GLFW_OPENGL_DEBUG_CONTEXT so that the driver
// reports everything. False when the driver offers no debug output.
bool StartGlErrorCount();
long GlErrorCount();
