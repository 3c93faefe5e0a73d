# Everything comes from Debian packages; nothing is fetched at build time.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(GLFW REQUIRED IMPORTED_TARGET glfw3>=3.3)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)

find_path(GLM_INCLUDE_DIR glm/glm.hpp REQUIRED)
add_library(glm_headers INTERFACE)
target_include_directories(glm_headers SYSTEM INTERFACE ${GLM_INCLUDE_DIR})

# Debian's libstb carries the implementations (stb_image, stb_image_write, ...),
# so no source file defines STB_*_IMPLEMENTATION: linking stb_headers brings them.
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)
add_library(stb_headers INTERFACE)
target_link_libraries(stb_headers INTERFACE PkgConfig::STB)

if(SANDRIFT_TESTS)
  find_package(GTest REQUIRED)
endif()
if(SANDRIFT_BENCH)
  find_package(benchmark REQUIRED)
endif()
