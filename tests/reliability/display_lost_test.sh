#!/usr/bin/env bash
# When the X server goes away under the running program, the program ends within a few seconds instead of
# hanging on a dead connection.
set -euo pipefail
program=$(readlink -f "$1")
workdir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
xvfb=$!
cleanup() {
    kill -9 "$xvfb" 2>/dev/null || true
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT
for _ in $(seq 1 100); do
    [ -s "$workdir/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$workdir/display")"

"$program" >"$workdir/log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Viduzirivo$' | head -n1 || true)
[ -n "$window" ] || { echo "the window did not appear"; exit 1; }
sleep 1

kill -9 "$xvfb"
lost=$(date +%s.%N)
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "still running 10 s after the display went away"
    exit 1
fi
status=0
wait "$pid" || status=$?
printf 'ended %.1f s after the display went away, status %d\n' "$(echo "$(date +%s.%N) - $lost" | bc)" "$status"
[ "$status" -lt 128 ] || { echo "ended by a signal"; cat "$workdir/log"; exit 1; }
