#!/usr/bin/env bash
# Usage: libraries.sh
# Cross-builds the libraries the game links from Debian's source packages with
# MinGW-w64, static and only the parts the game uses, and prints the folder
# they are installed in. That folder is a cache outside the clone, named by
# the source packages' versions and this build's own files, so only the first
# run on a machine (or after an update) builds anything.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw-w64.cmake
jobs=${JOBS:-$(nproc)}
root=${XDG_CACHE_HOME:-$HOME/.cache}/sandrift-windows

# In the order they need each other: libsndfile reads Ogg Vorbis and MP3
# through the first four.
packages=(libogg libvorbis mpg123 lame libsndfile openal-soft freetype glfw3 libepoxy)

# The newest version of a source package that apt knows (bookworm and its updates).
source_version() {
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# The mirror here lacks some files of bookworm's source packages. A package
# named here whose upstream tarball is missing is taken from the next Debian
# release, by apt from a list of its own so that nothing else on the machine
# sees it; any other missing source stops the build. The cache key holds the
# next release's versions of these packages too, since either may be built.
fallback_suite=trixie
fallback_packages=(openal-soft)

fallback_lists=$root/apt-$fallback_suite
fallback_options=(-o "Dir::Etc::sourcelist=$fallback_lists/$fallback_suite.sources" -o Dir::Etc::sourceparts=-
  -o "Dir::State::Lists=$fallback_lists/lists")

# Once a run, before the key is made. Offline, the lists fetched before serve.
update_fallback_lists() {
  mkdir -p "$fallback_lists/lists/partial"
  cat > "$fallback_lists/$fallback_suite.sources" << EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $fallback_suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get "${fallback_options[@]}" update -q > "$fallback_lists/update.log" 2>&1 && return
  if [ -n "$(fallback_version "${fallback_packages[0]}")" ]; then
    echo "$fallback_suite's source lists could not be updated; using those fetched before" >&2
  else
    cat "$fallback_lists/update.log" >&2
    return 1
  fi
}

fallback_version() {
  apt-cache "${fallback_options[@]}" showsrc --only-source "$1" 2> /dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

is_fallback_package() {
  local p
  for p in "${fallback_packages[@]}"; do [ "$p" != "$1" ] || return 0; done
  return 1
}

upstream_of() {  # 1:1.19.1-2 -> 1.19.1
  local v=${1#*:}
  echo "${v%-*}"
}

orig_tarball() {  # package version folder
  find "$3" -maxdepth 1 -name "${1}_$(upstream_of "$2").orig.tar.*" ! -name '*.asc' | head -n 1
}

# Downloads one source package (apt checks every file against the archive's
# signed index) and unpacks it with Debian's patches applied, as dpkg-source
# would; a package whose Debian part the mirror lacks is built as upstream
# released it. Prints the source folder.
fetch() {
  local package=$1 version=$2 downloads=$work/downloads/$1
  mkdir -p "$downloads"
  (cd "$downloads" && apt-get source -q --download-only "$package=$version" > /dev/null 2>&1) || true
  if [ -z "$(orig_tarball "$package" "$version" "$downloads")" ] && is_fallback_package "$package"; then
    version=$(fallback_version "$package")
    echo "$package: bookworm's source is missing here; using $fallback_suite's $version" >&2
    (cd "$downloads" && apt-get source -q --download-only "${fallback_options[@]}" "$package=$version" > /dev/null 2>&1) || true
  fi
  local orig
  orig=$(orig_tarball "$package" "$version" "$downloads")
  [ -n "$orig" ] || { echo "$package $version: the source could not be downloaded" >&2; return 1; }
  local source=$work/source/$package
  mkdir -p "$source"
  tar -xf "$orig" -C "$source" --strip-components=1
  # Further upstream parts (FreeType's demos and docs) go in folders of their
  # own, where Debian's patches expect them.
  local part component
  for part in "$downloads/${package}_$(upstream_of "$version").orig-"*.tar.*; do
    case $part in *.asc | *'*'*) continue ;; esac
    component=${part##*.orig-}
    component=${component%%.tar.*}
    mkdir -p "$source/$component"
    tar -xf "$part" -C "$source/$component" --strip-components=1
  done
  local debian
  debian=$(find "$downloads" -maxdepth 1 -name "${package}_${version#*:}.debian.tar.*" | head -n 1)
  if [ -n "$debian" ]; then
    tar -xf "$debian" -C "$source"
    if [ -f "$source/debian/patches/series" ]; then
      local patch options
      while read -r patch options; do
        case $patch in '' | '#'*) continue ;; esac
        patch -d "$source" --batch -s -N ${options:--p1} < "$source/debian/patches/$patch" >&2
      done < "$source/debian/patches/series"
    fi
  else
    echo "$package $version: Debian's patches are missing here; building the upstream source" >&2
  fi
  echo "$source"
}

# Runs a build step with its output in a log, shown only when the step fails.
logged() {  # log file, then the command
  local log=$1
  shift
  "$@" >> "$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed: $* (log: $log)" >&2; return 1; }
}

cmake_build() {  # source folder, then options
  local source=$1 log=$1/_build.log
  shift
  logged "$log" cmake -S "$source" -B "$source/_build" -G Ninja --no-warn-unused-cli -Wno-dev -Wno-deprecated \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSANDRIFT_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@"
  logged "$log" cmake --build "$source/_build" -j "$jobs"
  logged "$log" cmake --install "$source/_build"
}

autotools_build() {  # source folder, then configure options
  local source=$1 log=$1/_build.log
  shift
  (cd "$source" && logged "$log" ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-shared \
    --enable-static CC=x86_64-w64-mingw32-gcc-posix CFLAGS=-O2 "$@" &&
    logged "$log" make -j "$jobs" && logged "$log" make install)
}

build_libogg() { cmake_build "$1" -DINSTALL_DOCS=OFF; }
build_libvorbis() { cmake_build "$1"; }
# Its CMake port leaves out of libmpg123.pc the Windows library its path calls need.
build_mpg123() {
  cmake_build "$1/ports/cmake" -DBUILD_LIBOUT123=OFF -DBUILD_PROGRAMS=OFF
  sed -i 's/^Libs.private:.*/& -lshlwapi/' "$prefix/lib/pkgconfig/libmpg123.pc"
}
build_lame() { autotools_build "$1" --disable-frontend --disable-decoder --disable-gtktest; }

# libsndfile 1.2.0 reads Vorbis only together with FLAC and Opus; the game
# plays no FLAC or Opus, so those two stay unbuilt and their readers compile
# as the stubs that answer "unsupported".
build_libsndfile() {
  local source=$1
  sed -i '/FLAC::FLAC/d; /Opus::opus/d; s/"flac ogg vorbis vorbisenc opus"/"ogg vorbis vorbisenc"/' "$source/CMakeLists.txt"
  sed -i 's/^#if HAVE_EXTERNAL_XIPH_LIBS$/#if 0/' "$source/src/flac.c" "$source/src/ogg_opus.c"
  cmake_build "$source" -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DENABLE_CPACK=OFF -DBUILD_REGTEST=OFF \
    -DINSTALL_MANPAGES=OFF -DENABLE_PACKAGE_CONFIG=OFF -DENABLE_EXTERNAL_LIBS=ON -DENABLE_MPEG=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_FLAC=ON -DCMAKE_DISABLE_FIND_PACKAGE_Opus=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Speex=ON -DCMAKE_DISABLE_FIND_PACKAGE_SQLite3=ON
}

# Windows' own outputs (WASAPI, DirectSound, WinMM); the game falls back to
# its silent device when none opens. The game turns HRTF off, so no HRTF data
# is built in.
build_openal-soft() {
  # $<BUILD_LOCAL_INTERFACE> is CMake 3.26's; 3.25's $<BUILD_INTERFACE> links the
  # bundled fmt's objects the same, but cannot export them: the game finds
  # OpenAL through pkg-config, so its CMake export goes.
  sed -i 's/BUILD_LOCAL_INTERFACE/BUILD_INTERFACE/g; s/install(TARGETS OpenAL EXPORT OpenAL/install(TARGETS OpenAL/
    /^    export(TARGETS OpenAL$/,/FILE OpenALTargets.cmake)$/d; /^    install(EXPORT OpenAL$/,/FILE OpenALTargets.cmake)$/d' \
    "$1/CMakeLists.txt"
  cmake_build "$1" -DLIBTYPE=STATIC -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
    -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF -DALSOFT_UPDATE_BUILD_VERSION=OFF -DALSOFT_EAX=OFF \
    -DALSOFT_EMBED_HRTF_DATA=OFF
}

build_freetype() {
  cmake_build "$1" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
    -DFT_DISABLE_BROTLI=ON
}

build_glfw3() { cmake_build "$1" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF; }

build_libepoxy() {
  local source=$1
  cat > "$source/_cross.txt" << 'EOF'
[binaries]
c = 'x86_64-w64-mingw32-gcc-posix'
ar = 'x86_64-w64-mingw32-ar'
strip = 'x86_64-w64-mingw32-strip'
windres = 'x86_64-w64-mingw32-windres'
pkg-config = 'false'

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
  local log=$source/_build.log
  logged "$log" meson setup "$source/_build" "$source" --cross-file "$source/_cross.txt" --prefix "$prefix" \
    --libdir lib --buildtype release -Ddefault_library=static -Ddocs=false -Dtests=false -Dglx=no -Degl=no -Dx11=false
  logged "$log" ninja -C "$source/_build" -j "$jobs"
  logged "$log" ninja -C "$source/_build" install
}

# GLM and stb are Debian's headers (libglm-dev, libstb-dev). Debian builds
# stb's code into its libstb; here the two parts the game uses become a
# static library with a pkg-config file of the same name.
install_headers() {
  mkdir -p "$prefix/include/stb" "$prefix/lib/pkgconfig"
  cp -r /usr/include/glm "$prefix/include/"
  cp /usr/include/stb/stb_image.h /usr/include/stb/stb_image_write.h "$prefix/include/stb/"
  printf '#define STB_IMAGE_IMPLEMENTATION\n#include <stb_image.h>\n#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb_image_write.h>\n' \
    > "$work/stb.c"
  x86_64-w64-mingw32-gcc-posix -O2 -I"$prefix/include/stb" -c "$work/stb.c" -o "$work/stb.o"
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libstb.a" "$work/stb.o"
  printf 'prefix=%s\nName: stb\nDescription: stb_image and stb_image_write\nVersion: %s\nLibs: -L${prefix}/lib -lstb\nCflags: -I${prefix}/include/stb\n' \
    "$prefix" "$(dpkg-query -W -f='${Version}' libstb-dev)" > "$prefix/lib/pkgconfig/stb.pc"
}

# What the built libraries depend on: every source version, the compiler, the
# headers taken from Debian, and the files that say how to build them.
cache_key() {
  {
    for p in "${packages[@]}"; do echo "$p $(source_version "$p")"; done
    for p in "${fallback_packages[@]}"; do echo "$fallback_suite $p $(fallback_version "$p")"; done
    dpkg-query -W gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libglm-dev libstb-dev
    cat "$0" "$toolchain"
  } | sha256sum | cut -c 1-16
}

mkdir -p "$root"
# One build at a time: a second run waits, then finds the first one's result.
exec 9> "$root/lock"
flock 9
update_fallback_lists
key=$(cache_key)
prefix=$root/$key
if [ ! -f "$prefix/complete" ]; then
  echo "Building the Windows libraries into $prefix (once per machine; about ten minutes)" >&2
  rm -rf "$prefix"
  work=$root/work-$key
  rm -rf "$work"
  mkdir -p "$work" "$prefix"
  for p in "${packages[@]}"; do
    start=$SECONDS
    source=$(fetch "$p" "$(source_version "$p")")
    "build_$p" "$source"
    echo "  $p: $((SECONDS - start)) s" >&2
  done
  install_headers
  rm -rf "$work"
  touch "$prefix/complete"
  # Builds for older versions or files, finished or not, are of no further use.
  find "$root" -mindepth 1 -maxdepth 1 -type d -regextype posix-extended -regex '.*/(work-)?[0-9a-f]{16}' ! -name "$key" \
    -exec rm -rf {} +
fi
echo "$prefix"
