#!/usr/bin/env bash
# Every reliability run at full size: a million frames on one context, storms of resizes and bar changes,
# 50 starts and closes through the window manager, the display going away, and memcheck on the real program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
export VIDUZIRIVO_SOAK_FRAMES=${VIDUZIRIVO_SOAK_FRAMES:-1000000} VIDUZIRIVO_STORM_RESIZES=${VIDUZIRIVO_STORM_RESIZES:-1000} \
    VIDUZIRIVO_LIFECYCLE_RUNS=${VIDUZIRIVO_LIFECYCLE_RUNS:-50}
scripts/with-display.sh ctest --test-dir build --output-on-failure --verbose -L reliability
