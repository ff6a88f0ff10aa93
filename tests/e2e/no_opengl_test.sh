#!/usr/bin/env bash
# With the system OpenGL library unloadable for it alone, the built program shows only its message box and
# ends, with a failure status, once the box is answered. Needs root for the private mount namespace.
set -euo pipefail
program=$(readlink -f "$1")
[ -n "${DISPLAY:-}" ] || exec "$(dirname "$0")/../../scripts/with-display.sh" bash "$0" "$@"
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: needs root and unshare"
    exit 77
fi
libgl=$(readlink -f "$(ldconfig -p | awk '$1 == "libGL.so.1" && /x86-64/ {print $NF; exit}')")
[ -f "$libgl" ] || { echo "skipped: no libGL.so.1 to hide"; exit 77; }

unshare -m sh -c 'mount --bind /dev/null "$1" && exec "$2"' sh "$libgl" "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Viduzirivo$' | head -n1 || true)
[ -n "$box" ] || { echo "no message box appeared"; exit 1; }
sleep 1
windows=$(xdotool search --onlyvisible --name '^Viduzirivo$' | wc -l)
[ "$windows" -eq 1 ] || { echo "expected only the message box, found $windows windows"; exit 1; }
xprop -id "$box" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG || { echo "not a dialog"; exit 1; }
size=$(xwininfo -id "$box" | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}')
[ "$size" != "373x338" ] || { echo "the main window was shown"; exit 1; }
echo "message box $size shown alone"

xdotool windowactivate --sync "$box" key Return
status=0
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { echo "the program did not end after OK"; exit 1; }
wait "$pid" || status=$?
echo "exit status after OK: $status"
[ "$status" -eq 1 ]
