#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it. Without a display it runs on a virtual one,
# saves a screenshot after a few seconds, prints where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target viduzirivo
program=$PWD/build/bin/viduzirivo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

screenshot=$PWD/build/screenshot.png
scripts/with-display.sh bash -c '
    "$1" & pid=$!
    sleep 6
    window=$(wmctrl -l | awk '\''$NF == "Viduzirivo" {print $1; exit}'\'')
    import -window "${window:-root}" "$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' _ "$program" "$screenshot"
echo "No display here: ran Viduzirivo on a virtual display; screenshot saved to $screenshot"
