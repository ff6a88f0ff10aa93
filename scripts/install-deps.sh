#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Viduzirivo needs: the build's own, as
# debian/control lists them, and on top what the tests, the benchmarks and the Windows builds use.
# Usage: scripts/install-deps.sh [linux|all]
#   linux (the default): the Linux program, its tests and benchmarks;
#   all: also the Windows programs (MinGW-w64, 32 and 64 bit) and running their tests under Wine.
# Quick when everything is there: it asks apt for nothing then.
set -euo pipefail
cd "$(dirname "$0")/.."

sets=${1:-linux}
# The compilers every Debian build assumes, and what the tests use: git, dpkg-buildpackage and lintian build
# and judge the package from a copy of the sources; what the program needs at run time (its package's
# Depends and Recommends) starts it from the build tree; the rest shows it on virtual displays and reads its
# windows, pictures and output.
packages=(
  build-essential dpkg-dev lintian git
  libglx-mesa0 libgl1-mesa-dri fonts-ipafont-gothic qt6-wayland libegl-mesa0
  libgtest-dev googletest libbenchmark-dev mesa-utils
  xvfb xauth x11-utils xdotool wmctrl openbox imagemagick faketime util-linux weston
  xplanet-images clang-format file valgrind bc strace locales python3
  appstream desktop-file-utils dbus-daemon at-spi2-core python3-pyatspi
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
build_ready() { command -v dpkg-checkbuilddeps >/dev/null && dpkg-checkbuilddeps >/dev/null 2>&1; }
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t windows_missing < <(missing_of "${windows_packages[@]}")
if build_ready && [ ${#missing[@]} -eq 0 ] && [ ${#windows_missing[@]} -eq 0 ]; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#windows_missing[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update
# apt reads the build's packages from debian/control in this folder.
build_ready || "${sudo_cmd[@]}" apt-get build-dep -y --no-install-recommends ./
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ ${#windows_missing[@]} -gt 0 ]; then
  "${sudo_cmd[@]}" apt-get install -y "${windows_missing[@]}"
fi
