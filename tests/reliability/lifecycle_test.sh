#!/usr/bin/env bash
# Starts the program and closes it through the window manager, again and again (VIDUZIRIVO_LIFECYCLE_RUNS:
# 10 here, 50 in scripts/reliability.sh): the window appears every time, every exit is prompt and clean,
# and no process is left behind.
source "$(dirname "$0")/../e2e/e2e.sh"
runs=${VIDUZIRIVO_LIFECYCLE_RUNS:-10}
for run in $(seq 1 "$runs"); do
    start "$program"
    window=$(wait_top_window "$pid" 30) || fail "run $run: the window did not appear"
    close_cleanly "$window" 10
done
! pgrep -f -x "$program" >/dev/null || fail "a viduzirivo process was left behind"
echo "$runs starts and closes, all clean"
