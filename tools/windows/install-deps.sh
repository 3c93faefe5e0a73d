#!/usr/bin/env bash
# Installs what the Windows build and its checks need: Debian's MinGW-w64
# cross-compilers, Wine, the tools the libraries build with, and the deb-src
# entry through which apt fetches the libraries' source packages. Does nothing
# when everything is already there.
set -euo pipefail

packages=(
  mingw-w64 gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 wine64 wine
  dpkg-dev cmake ninja-build meson pkg-config make patch zip
  libglm-dev libstb-dev xvfb xauth libgl1-mesa-dri
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The same archive the machine's binary packages come from, for source packages.
sources=/etc/apt/sources.list.d/sandrift-debian-src.sources
if [ -z "$(apt-cache showsrc --only-source glfw3 2> /dev/null)" ]; then
  echo "Adding Debian's source packages to apt ($sources)"
  $sudo tee "$sources" > /dev/null << 'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  $sudo apt-get update -q  # apt-get source reads the new lists
fi

exec "$(dirname "$0")/../install-deps.sh" "${packages[@]}"
