# Cross-builds for 64-bit Windows with Debian's MinGW-w64, for the libraries
# and the game alike. The -posix compilers: std::thread and std::mutex exist
# only in that thread model (OpenAL Soft mixes on a thread of its own).
# SANDRIFT_WINDOWS_PREFIX names the folder the libraries are installed in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# try_compile projects read this file again: pass the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SANDRIFT_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${SANDRIFT_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${SANDRIFT_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the Windows libraries, and lists what each static one
# needs in turn (their Libs.private).
if(SANDRIFT_WINDOWS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} "${SANDRIFT_WINDOWS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(PKG_CONFIG_ARGN --static)

# One program file each: the C and C++ runtimes and winpthread linked in, so
# that the zip needs no DLLs of the compiler's.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
