#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
scripts/with-display.sh ctest --test-dir build --output-on-failure
