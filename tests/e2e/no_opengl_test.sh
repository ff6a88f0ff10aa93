#!/usr/bin/env bash
# With the system OpenGL library unloadable for it alone, the program shows only its message box, titled
# Viduzirivo, and ends with status 1 once the box is answered. Needs root for a private mount namespace.
source "$(dirname "$0")/e2e.sh"
libgl=$(readlink -f "$(ldconfig -p | awk '$1 == "libGL.so.1" && /x86-64/ {print $NF; exit}')")
if [ "$(id -u)" -ne 0 ] || [ ! -f "$libgl" ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: needs root, unshare and a libGL.so.1 to hide"
    exit 77
fi
start unshare -m sh -c 'mount --bind /dev/null "$1" && exec "$2"' sh "$libgl" "$program"
box=$(wait_top_window "$pid" 20) || fail "no message box appeared"
sleep 1
[ "$(top_windows "$pid")" = "$box" ] || fail "more windows than the message box"
[ "$(window_type "$box")" = DIALOG ] || fail "not a message box but a $(window_type "$box")"
xprop -id "$box" WM_NAME | grep -q '= "Viduzirivo"$' || fail "the box is not titled Viduzirivo"
answer_box "$box"
wait_gone "$pid" 10 || fail "the program did not end after OK"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 1 ] || fail "exit status $status instead of 1"
echo "the message box alone, then exit status 1"
