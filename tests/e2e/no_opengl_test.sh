#!/usr/bin/env bash
# Where OpenGL cannot be had — the system OpenGL library unloadable for this program alone (needs root for
# the private mount namespace), or a display that offers no OpenGL contexts — the built program shows only
# its message box and ends, with a failure status, once the box is answered.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/windows.sh"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

# Starts the given command line and checks that only the box appears and that OK ends it with status 1.
expect_box_alone() {
    local name=$1
    shift
    "$@" &
    pid=$!
    box=$(wait_top_window "$pid" 20) || { echo "$name: no message box appeared"; exit 1; }
    sleep 1
    windows=$(top_windows "$pid" | wc -l)
    [ "$windows" -eq 1 ] || { echo "$name: expected only the message box, found $windows windows"; exit 1; }
    [ "$(window_type "$box")" = DIALOG ] || { echo "$name: not a message box but a $(window_type "$box")"; exit 1; }
    xprop -id "$box" WM_NAME | grep -q '= "Viduzirivo"$' || { echo "$name: the box is not titled Viduzirivo"; exit 1; }
    local size
    size=$(client_size "$box")
    answer_box "$box"
    local status=0
    wait_gone "$pid" 10 || { echo "$name: the program did not end after OK"; exit 1; }
    wait "$pid" || status=$?
    pid=
    echo "$name: message box $size shown alone, exit status after OK: $status"
    [ "$status" -eq 1 ]
}

expect_box_alone "display without OpenGL" env QT_XCB_GL_INTEGRATION=none "$program"

if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: hiding libGL.so.1 needs root and unshare"
    exit 0
fi
libgl=$(readlink -f "$(ldconfig -p | awk '$1 == "libGL.so.1" && /x86-64/ {print $NF; exit}')")
[ -f "$libgl" ] || { echo "skipped: no libGL.so.1 to hide"; exit 0; }
expect_box_alone "libGL.so.1 hidden" unshare -m sh -c 'mount --bind /dev/null "$1" && exec "$2"' sh "$libgl" "$program"
