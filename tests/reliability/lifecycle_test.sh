#!/usr/bin/env bash
# Starts the program and closes it through the window manager 50 times: the window appears every time, every
# exit is clean (status 0, within a few seconds), and no process is left behind.
set -euo pipefail
program=$(readlink -f "$1")
runs=${VIDUZIRIVO_LIFECYCLE_RUNS:-50}
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/../e2e/windows.sh"

for run in $(seq 1 "$runs"); do
    "$program" >/dev/null 2>&1 &
    pid=$!
    if ! window=$(wait_top_window "$pid" 30); then
        kill "$pid" 2>/dev/null || true
        echo "run $run: the window did not appear"
        exit 1
    fi
    wmctrl -i -c "$window"
    if ! wait_gone "$pid" 10; then
        kill -9 "$pid"
        echo "run $run: still running 10 s after its window was closed"
        exit 1
    fi
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { echo "run $run: exit status $status"; exit 1; }
done
if pgrep -f -x "$program" >/dev/null; then
    echo "a viduzirivo process was left behind"
    exit 1
fi
echo "$runs starts and closes, all clean"
