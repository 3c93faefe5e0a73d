#!/usr/bin/env bash
# Installs the Debian packages Sandrift needs to build, test, package and
# regenerate its assets, or the packages named as arguments. Does nothing when
# everything is already there.
set -euo pipefail

default_packages=(
  build-essential cmake pkg-config
  libglfw3-dev libepoxy-dev libglm-dev libfreetype-dev libstb-dev
  libopenal-dev libsndfile1-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri xdotool
  help2man dpkg-dev file
  clang libclang-rt-dev
  python3-pil python3-numpy python3-fonttools python3-soundfile
)
if [ $# -gt 0 ]; then packages=("$@"); else packages=("${default_packages[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
