#!/usr/bin/env bash
# Installs every Debian 12 package Thrummock needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libsdl2-mixer-dev libepoxy-dev libgl1-mesa-dri libegl-mesa0 libgles2-mesa-dev
  libbullet-dev libtinyxml2-dev libimgui-dev libstb-dev
  fonts-liberation2 fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3 clang-format
  xvfb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "setup: installed ${missing[*]}"
