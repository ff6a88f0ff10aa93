#!/usr/bin/env bash
# Where nothing can be shown, the program says so on stderr and ends with status 1 instead of aborting:
# no display, a display that is not there, a platform without its plug-in, its compositor or its device, and
# an 8-bit PseudoColor screen that nothing can be painted on. Where Wayland is wanted but absent, it opens on X11.
source "$(dirname "$0")/e2e.sh"
mkdir -m 700 "$workdir/runtime"

absent=90
while [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done

# Runs the program with the given environment (no Wayland display in reach unless given) and checks that
# it ends with status 1 and a message naming $1, and without Qt's abort.
expect_refusal() {
    local expected=$1
    shift
    local status=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$workdir/runtime" "$@" \
        timeout 30 "$program" >"$workdir/out" 2>&1 || status=$?
    if [ "$status" -ne 1 ] || ! grep -qF -- "$expected" "$workdir/out" || grep -q Reinstalling "$workdir/out"; then
        echo "$*: status $status, expected 1 and a message with '$expected':"
        cat "$workdir/out"
        exit 1
    fi
    echo "$*: $(grep -F -- "$expected" "$workdir/out" | head -n1 | sed 's/^ *//')"
}

expect_refusal "display \":$absent\" cannot be opened" DISPLAY=":$absent"
expect_refusal "DISPLAY is not set" DISPLAY=
expect_refusal 'Wayland: display "wayland-0" cannot be opened' QT_QPA_PLATFORM=wayland
expect_refusal 'plug-in "nosuch" is not installed' QT_QPA_PLATFORM=nosuch
# Platforms that fail inside Qt once loaded: no DRM device, no frame buffer.
expect_refusal "viduzirivo: no display could be opened" QT_QPA_PLATFORM=eglfs
expect_refusal "viduzirivo: the window cannot be shown" QT_QPA_PLATFORM=linuxfb

# An 8-bit PseudoColor screen: one line that says OpenGL cannot be used, not a black window.
start_xvfb 8
expect_refusal "OpenGLが使用できません" LANG=C.UTF-8 DISPLAY="$xdisplay"
! grep -q QPainter "$workdir/out" || { echo "painting was tried on the 8-bit screen"; exit 1; }

# Wayland wanted first, but no compositor: the window opens on the X display.
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=absent XDG_RUNTIME_DIR="$workdir/runtime" \
    "$program" >"$workdir/log" 2>&1 &
pid=$!
window=$(wait_top_window "$pid" 20) || fail "no window on X11 after Wayland failed"
close_cleanly "$window" 10
echo "Wayland absent: opened on X11 and closed cleanly"
