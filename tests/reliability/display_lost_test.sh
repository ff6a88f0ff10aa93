#!/usr/bin/env bash
# When its X server goes away under it, the program ends within seconds, and not by a signal, instead of
# hanging on a dead connection.
source "$(dirname "$0")/../e2e/e2e.sh"
start_xvfb 24
export DISPLAY=$xdisplay
start "$program"
timeout 30 xdotool search --sync --onlyvisible --name '^Viduzirivo$' >/dev/null || fail "no window appeared"
sleep 1
kill -9 "$xvfb"
wait_gone "$pid" 10 || fail "still running 10 s after the display went away"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -lt 128 ] || fail "ended by signal $((status - 128))"
echo "ended with status $status after the display went away"
