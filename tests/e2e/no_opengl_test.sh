#!/usr/bin/env bash
# With the system OpenGL library unloadable for it alone, the built program shows only its message box and
# ends, with a failure status, once the box is answered. Needs root for the private mount namespace.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/windows.sh"
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: needs root and unshare"
    exit 77
fi
libgl=$(readlink -f "$(ldconfig -p | awk '$1 == "libGL.so.1" && /x86-64/ {print $NF; exit}')")
[ -f "$libgl" ] || { echo "skipped: no libGL.so.1 to hide"; exit 77; }

unshare -m sh -c 'mount --bind /dev/null "$1" && exec "$2"' sh "$libgl" "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

box=$(wait_top_window "$pid" 20) || { echo "no message box appeared"; exit 1; }
sleep 1
windows=$(top_windows "$pid" | wc -l)
[ "$windows" -eq 1 ] || { echo "expected only the message box, found $windows windows"; exit 1; }
[ "$(window_type "$box")" = DIALOG ] || { echo "not a message box but a $(window_type "$box")"; exit 1; }
xprop -id "$box" WM_NAME | grep -q '= "Viduzirivo"$' || { echo "the box is not titled Viduzirivo"; exit 1; }
echo "message box $(client_size "$box") shown alone"

answer_box "$box"
status=0
wait_gone "$pid" 10 || { echo "the program did not end after OK"; exit 1; }
wait "$pid" || status=$?
echo "exit status after OK: $status"
[ "$status" -eq 1 ]
