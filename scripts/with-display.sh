#!/usr/bin/env bash
# Runs a command on a fresh virtual X display (Xvfb, 24-bit colour) with a window manager, then ends both.
# Usage: scripts/with-display.sh [--size WIDTHxHEIGHT] command [args...]
set -euo pipefail

usage() {
    echo "usage: $(basename "$0") [--size WIDTHxHEIGHT] command [args...]" >&2
    exit 2
}

size=1280x1024
if [ "${1:-}" = "--size" ]; then
    [[ "${2:-}" =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || usage
    size=$2
    shift 2
fi
[ $# -gt 0 ] || usage

workdir=$(mktemp -d)
# Xvfb picks a free display number and writes it to the file once it accepts clients.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 300); do
    [ -s "$workdir/display" ] && break
    sleep 0.1
done
[ -s "$workdir/display" ] || { echo "Xvfb did not start:" >&2; cat "$workdir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$workdir/display")"

openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!

cleanup() {
    kill "$wm_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# The window manager must have taken the display before the first window maps.
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
    { echo "the window manager (openbox) did not take the display" >&2; exit 1; }

set +e
"$@"
status=$?
set -e
exit "$status"
