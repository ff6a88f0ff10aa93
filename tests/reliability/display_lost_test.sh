#!/usr/bin/env bash
# When its X server goes away under it, the program ends within seconds, and not by a signal, instead of
# hanging on a dead connection.
source "$(dirname "$0")/../e2e/e2e.sh"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
server=$!
for _ in $(seq 1 100); do
    [ -s "$workdir/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$workdir/display")"
start "$program"
timeout 30 xdotool search --sync --onlyvisible --name '^Viduzirivo$' >/dev/null || fail "no window appeared"
sleep 1
kill -9 "$server"
wait_gone "$pid" 10 || fail "still running 10 s after the display went away"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -lt 128 ] || fail "ended by signal $((status - 128))"
echo "ended with status $status after the display went away"
