#!/usr/bin/env bash
# Starts the program and closes it through the window manager 50 times: the window appears every time, every
# exit is clean (status 0, within a few seconds), and no process is left behind.
set -euo pipefail
program=$(readlink -f "$1")
runs=${VIDUZIRIVO_LIFECYCLE_RUNS:-50}
[ -n "${DISPLAY:-}" ] || exec "$(dirname "$0")/../../scripts/with-display.sh" bash "$0" "$@"

for run in $(seq 1 "$runs"); do
    "$program" >/dev/null 2>&1 &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Viduzirivo$' | head -n1 || true)
    if [ -z "$window" ]; then
        kill "$pid" 2>/dev/null || true
        echo "run $run: the window did not appear"
        exit 1
    fi
    wmctrl -i -c "$window"
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"
        echo "run $run: still running 10 s after its window was closed"
        exit 1
    fi
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "run $run: exit status $status"
        exit 1
    fi
done
if pgrep -f -x "$program" >/dev/null; then
    echo "a viduzirivo process was left behind"
    exit 1
fi
echo "$runs starts and closes, all clean"
