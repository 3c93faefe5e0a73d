/* Preloaded into the game in sanitizer builds: libraries stay mapped until
   exit, so LeakSanitizer can still name the GL driver behind its own
   allocations (GLFW unloads it at glfwTerminate) and suppress them by name. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
