#!/usr/bin/env bash
# With the system OpenGL library unloadable for it alone, or on an X display that offers no OpenGL, the
# built program shows only its message box and ends, with a failure status, once the box is answered.
# Hiding the library needs root for the private mount namespace.
# On X11 that library is libGL.so.1. Under Wayland (second argument "wayland") it is the EGL vendor library
# that GLVND's libEGL.so.1 dispatches to; there libGL.so.1 plays no part, and the clock runs without it.
set -euo pipefail
program=$(readlink -f "$1")
platform=${2:-x11}
here=$(cd "$(dirname "$0")" && pwd)
if [ "$platform" = wayland ]; then
    [ -n "${WAYLAND_DISPLAY:-}" ] || exec "$here/../../scripts/with-weston.sh" bash "$0" "$@"
else
    [ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
fi
source "$here/windows.sh"

# The message box of process $pid alone; answered, it ends the program with status 1.
expect_box_alone() {
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
    [ "$status" -eq 1 ] || exit 1
}

if [ "$platform" = x11 ]; then
    echo "a display without OpenGL:"
    QT_XCB_GL_INTEGRATION=none "$program" &
    pid=$!
    expect_box_alone
fi
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
    echo "skipped: needs root and unshare"
    exit 77
fi

# The real file of each library named, as the dynamic loader finds it.
library_files() {
    for name; do
        readlink -f "$(ldconfig -p | awk -v name="$name" '$1 == name && /x86-64/ {print $NF; exit}')"
    done
}

# Starts the program with the files given covered by an empty file, for it alone; its output goes to $log.
log=$(mktemp)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT
start_without() {
    unshare -m sh -c 'program=$1; shift; for f; do mount --bind /dev/null "$f"; done; exec "$program"' \
        sh "$program" "$@" >"$log" 2>&1 &
    pid=$!
}

if [ "$platform" = wayland ]; then
    export WAYLAND_DEBUG=client # the client's protocol log tells what it shows
    shopt -s nullglob
    vendor_files=(/etc/glvnd/egl_vendor.d/*.json /usr/share/glvnd/egl_vendor.d/*.json)
    mapfile -t vendors < <(library_files $(sed -n 's/.*"library_path" *: *"\([^"]*\)".*/\1/p' "${vendor_files[@]}" /dev/null))
    [ "${#vendors[@]}" -gt 0 ] && [ -f "${vendors[0]}" ] || { echo "skipped: no EGL vendor library to hide"; exit 77; }

    start_without "${vendors[@]}"
    wait_request "$log" 'set_title("Viduzirivo")' 20 "$pid" || { echo "no window appeared"; cat "$log"; exit 1; }
    sleep 1
    kill -0 "$pid" || { echo "the program ended without waiting for an answer"; exit 1; }
    [ "$(count_requests "$log" 'get_toplevel(')" -eq 1 ] || { echo "more than the message box"; exit 1; }
    [ "$(count_requests "$log" 'get_subsurface(')" -eq 0 ] || { echo "a drawing surface was made"; exit 1; }
    min=$(sed -n 's/.*set_min_size(\(.*\))/\1/p' "$log" | tail -1)
    [ -n "$min" ] && grep -q "set_max_size($min)" "$log" || { echo "not a fixed-size message box"; exit 1; }
    echo "with the EGL vendor library hidden: a message box of ${min/, /x} alone"
    kill "$pid"

    # No input reaches a Weston client from outside, so the box's answer is checked on X11 only.
    start_without "$(library_files libGL.so.1)"
    wait_request "$log" 'get_subsurface(' 20 "$pid" || { echo "without libGL.so.1 the clock did not start"; cat "$log"; exit 1; }
    [ "$(count_requests "$log" 'get_toplevel(')" -eq 1 ] || { echo "a message box beside the clock"; exit 1; }
    echo "with libGL.so.1 hidden: the clock runs"
    exit 0
fi

libgl=$(library_files libGL.so.1)
[ -f "$libgl" ] || { echo "skipped: no libGL.so.1 to hide"; exit 77; }
echo "libGL.so.1 hidden:"
start_without "$libgl"
expect_box_alone
