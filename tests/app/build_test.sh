#!/usr/bin/env bash
# The README's install commands configure, build and install the program where nothing is on PATH but CMake,
# Ninja and the compiler's tools, as on a distribution without Debian's (no dpkg-parsechangelog, say).
# Usage: build_test.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tools"
for tool in cmake ninja c++ as ld ar ranlib; do
    ln -s "$(command -v "$tool")" "$work/tools/$tool"
done
build() {
    cd "$source"
    export PATH=$work/tools
    cmake -S . -B "$work/build" -G Ninja -DVIDUZIRIVO_TESTS=OFF -DVIDUZIRIVO_BENCHMARKS=OFF &&
        cmake --build "$work/build" && cmake --install "$work/build" --prefix "$work/prefix"
}
(build) >"$work/log" 2>&1 || { tail -n 30 "$work/log"; exit 1; }
[ -x "$work/prefix/lib/viduzirivo/viduzirivo" ] || { echo "no program installed"; exit 1; }
echo "configured, built and installed with only $(ls "$work/tools" | tr '\n' ' ')on PATH"
