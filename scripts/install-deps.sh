#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Viduzirivo needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libxcb1-dev
  libgl-dev libglvnd-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth x11-utils xdotool wmctrl openbox imagemagick faketime util-linux weston qt6-wayland
  fonts-ipafont-gothic xplanet-images clang-format file dpkg-dev valgrind bc strace locales
  lintian appstream desktop-file-utils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
