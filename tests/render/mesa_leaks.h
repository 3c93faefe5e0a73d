#pragma once

// Keeps the OpenGL driver libraries loaded after glfwTerminate, so that
// LeakSanitizer can name Mesa's own leaks and suppress them (see mesa_leaks.cpp).
void KeepGlDriversLoaded();
