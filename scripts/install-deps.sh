#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Viduzirivo needs.
# Usage: scripts/install-deps.sh [linux|all]
#   linux (the default): the Linux program, its tests and benchmarks;
#   all: also the Windows programs (MinGW-w64, 32 and 64 bit) and running their tests under Wine.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

sets=${1:-linux}
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libxcb1-dev libwayland-dev
  libgl-dev libglvnd-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0 mesa-utils
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth x11-utils xdotool wmctrl openbox imagemagick faketime util-linux weston qt6-wayland
  fonts-ipafont-gothic xplanet-images clang-format file dpkg-dev valgrind bc strace locales
  lintian appstream desktop-file-utils dbus-daemon at-spi2-core python3-pyatspi
)
# GoogleTest for Windows is cross-built from the googletest sources above; 32-bit Wine draws with the i386
# Mesa. Wine comes with its recommended packages (its fonts, the X extensions of its display driver).
windows_packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64
  wine32:i386 libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386
)
case $sets in
  linux) windows_packages=() ;;
  all) ;;
  *) echo "usage: $0 [linux|all]" >&2; exit 2 ;;
esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t windows_missing < <(missing_of "${windows_packages[@]}")
if [ ${#missing[@]} -eq 0 ] && [ ${#windows_missing[@]} -eq 0 ]; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#windows_missing[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ ${#windows_missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y "${windows_missing[@]}"
fi
