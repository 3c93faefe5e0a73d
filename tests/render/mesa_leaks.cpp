#include "tests/render/mesa_leaks.h"

#include <dlfcn.h>
#include <link.h>

#include <string_view>

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

// Read by LeakSanitizer in sanitizer builds; never called otherwise.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:/dri/\n"
         "leak:libGLX_mesa\n"
         "leak:libgallium\n"
         "leak:libepoxy\n";
}
