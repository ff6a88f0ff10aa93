#!/usr/bin/env bash
# On an X display without a GLX driver, or under Wayland
# (second argument "wayland") where GLVND's libEGL.so.1 is given no vendor library to hand EGL to, the program
# shows only its message box, titled Viduzirivo; on X11 it ends with status 1 once the box is answered.
platform=${2:-x11}
display=$platform
source "$(dirname "$0")/e2e.sh"

if [ "$platform" = x11 ]; then
    # Mesa's GLX vendor library hidden, as after a half-removed driver, where Qt itself would abort: as root,
    # in a mount namespace of its own. (Qt's own X11 OpenGL turned off is the start-up test's.)
    glx=$(readlink -f "$(ldconfig -p | awk '/libGLX_mesa.so.0 /{print $NF; exit}')")
    [ "$(id -u)" -eq 0 ] && [ -f "$glx" ] || { echo "skipped: hiding the GLX driver needs root"; exit 77; }
    start unshare -m sh -c 'mount --bind /dev/null "$0" && exec "$1"' "$glx" "$program"
    expect_box_alone 20
    size=$(client_size "$box")
    answer_box "$box"
    expect_exit 1 10
    echo "no GLX driver: the message box $size alone, then exit status 1"
    exit 0
fi
# No input reaches a Weston client from outside, so the box's answer is checked on X11 only.
export WAYLAND_DEBUG=client # the client's protocol log tells what it shows
log=$workdir/log
__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json start "$program"
wait_request "$log" 'set_title("Viduzirivo")' 20 "$pid" || fail "no window appeared"
sleep 1
kill -0 "$pid" || fail "the program ended without waiting for an answer"
[ "$(count_requests "$log" 'get_toplevel(')" -eq 1 ] || fail "more than the message box"
[ "$(count_requests "$log" 'get_subsurface(')" -eq 0 ] || fail "a drawing surface was made"
min=$(sed -n 's/.*set_min_size(\(.*\))/\1/p' "$log" | tail -1)
[ -n "$min" ] && grep -q "set_max_size($min)" "$log" || fail "not a fixed-size message box"
echo "without an EGL vendor library: a message box of ${min/, /x} alone"
kill "$pid"
wait "$pid" || true
