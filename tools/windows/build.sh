#!/usr/bin/env bash
# `make windows`: the game and sandrift-level cross-built for 64-bit Windows
# and packed as build-windows/sandrift-VERSION-windows-x64.zip. The libraries
# come from Debian's source packages (libraries.sh, cached outside the clone).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${WINDOWS_BUILD:-$root/build-windows}
jobs=${JOBS:-$(nproc)}

"$root/tools/windows/install-deps.sh"
mkdir -p "$out"
prefix=$(JOBS=$jobs "$root/tools/windows/libraries.sh")

# CMake keeps pkg-config's answers: libraries built anew (another cache key)
# need a fresh configure.
if [ -f "$out/CMakeCache.txt" ] && ! grep -qxF "SANDRIFT_WINDOWS_PREFIX:UNINITIALIZED=$prefix" "$out/CMakeCache.txt"; then
  rm "$out/CMakeCache.txt"
fi

# Built as `make build` builds for Linux (Release, the same warnings and
# floating-point flags), without the tests and benchmarks, which run on Linux.
cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64.cmake" \
  -DSANDRIFT_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DSANDRIFT_TESTS=OFF -DSANDRIFT_BENCH=OFF \
  ${CMAKE_FLAGS:-} > "$out/configure.log" || { cat "$out/configure.log"; exit 1; }
cmake --build "$out" -j "$jobs"
(cd "$out" && cpack -G ZIP > cpack.log) || { cat "$out/cpack.log"; exit 1; }
ls -l "$out"/sandrift-*-windows-x64.zip
