#!/usr/bin/env bash
# Runs a command as a client of a fresh headless Weston compositor (GL renderer, screenshots allowed), with Qt
# set to draw through Wayland, then ends the compositor.
# Usage: scripts/with-weston.sh [--size WxH] [--scale N] command [args...]
# Exits 77 (skipped) where Weston is not installed.
set -euo pipefail

size=1024x768
scale=1
while [ $# -gt 0 ]; do
    case $1 in
    --size) size=$2; shift 2 ;;
    --scale) scale=$2; shift 2 ;;
    *) break ;;
    esac
done
command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 77; }

workdir=$(mktemp -d)
chmod 700 "$workdir"
# A plain background without panel or clock, so that everything else on a screenshot is a client's.
cat >"$workdir/weston.ini" <<'INI'
[shell]
background-color=0xff808080
panel-position=none
INI
socket=wayland-viduzirivo-$$
XDG_RUNTIME_DIR=$workdir weston --config="$workdir/weston.ini" --backend=headless-backend.so --use-gl --debug \
    --socket="$socket" --width="${size%x*}" --height="${size#*x}" --scale="$scale" >"$workdir/weston.log" 2>&1 &
weston_pid=$!

cleanup() {
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# Weston opens its socket once it accepts clients; the shell is ready a moment later.
for _ in $(seq 1 100); do
    [ -S "$workdir/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
[ -S "$workdir/$socket" ] || { echo "Weston did not start:" >&2; cat "$workdir/weston.log" >&2; exit 1; }

export XDG_RUNTIME_DIR=$workdir WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
unset DISPLAY
set +e
"$@"
status=$?
set -e
exit "$status"
