#!/usr/bin/env bash
# Where nothing can be shown, the program says so on stderr, in the locale's encoding, and ends with status 1,
# never with Qt's abort and in one process: no display, a display that is not there, a platform without its
# plug-in, its compositor or its device, an 8-bit screen that nothing can be painted on, a scale factor that
# leaves no pixels, and platforms that show nobody a window. Where Qt is told to abort on its first warning,
# the warning comes first. Where only one of X11 and Wayland is there, the window opens on it; where both
# are, on Wayland, as Qt itself chooses.
source "$(dirname "$0")/e2e.sh"
mkdir -m 700 "$workdir/runtime"

absent=90
while [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done

# Runs the program with the given environment (no Wayland display in reach unless given) and checks that
# it ends with status 1 and one message naming $1, without Qt's abort or its advice to reinstall.
expect_refusal() {
    local expected=$1
    shift
    local status=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$workdir/runtime" "$@" \
        timeout 30 "$program" "${program_args[@]}" >"$workdir/out" 2>&1 || status=$?
    if [ "$status" -ne 1 ] || [ "$(grep -cF -- "$expected" "$workdir/out")" -ne 1 ] ||
        grep -q Reinstalling "$workdir/out"; then
        echo "$*: status $status, expected 1 and one message with '$expected':"
        cat "$workdir/out"
        exit 1
    fi
    echo "$*: $(grep -F -- "$expected" "$workdir/out" | sed 's/^ *//')"
}

program_args=()
no_display='viduzirivo: no display could be opened: Qt could not start the platform'
expect_refusal "could not connect to display :$absent" DISPLAY=":$absent"
expect_refusal "$no_display \"xcb;wayland\"" DISPLAY=
expect_refusal "$no_display \"wayland;xcb\"" DISPLAY= XDG_SESSION_TYPE=wayland
expect_refusal "$no_display \"wayland\"" QT_QPA_PLATFORM=wayland
expect_refusal "$no_display \"nosuch\"" QT_QPA_PLATFORM=nosuch
# Qt's own option, on a display that is not there: one explanation, from one process; an empty name too.
program_args=(-platform xcb)
expect_refusal "$no_display \"xcb\"" DISPLAY=":$absent"
program_args=(-platform "")
expect_refusal "$no_display \"\"" DISPLAY="$DISPLAY"
program_args=()
# Qt told to abort on its first warning: the warning is out first.
env -u WAYLAND_DISPLAY QT_FATAL_WARNINGS=1 DISPLAY=":$absent" "$program" >"$workdir/out" 2>&1 || true
grep -qF "could not connect to display :$absent" "$workdir/out" || fail "QT_FATAL_WARNINGS: $(cat "$workdir/out")"
# Scale factors Qt cannot show anything at; the corruption they once caused was not there every time.
for factor in 0 0 0 0 -1 nan 0.001; do
    expect_refusal "the scale factor $factor of the screen" QT_SCALE_FACTOR=$factor
done
# Platforms that fail inside Qt once loaded: no DRM device, no frame buffer.
expect_refusal 'the window cannot be shown on the platform "eglfs"' QT_QPA_PLATFORM=eglfs
expect_refusal 'the window cannot be shown on the platform "linuxfb"' QT_QPA_PLATFORM=linuxfb
# Platforms that show no window to anybody: the message that OpenGL cannot be used goes to stderr, not to a
# box that would wait for an answer forever; in the locale's encoding.
expect_refusal "OpenGLが使用できません" QT_QPA_PLATFORM=minimal
expect_refusal "OpenGLが使用できません" QT_QPA_PLATFORM=offscreen DISPLAY=":$absent"
# In the locale's encoding; where it cannot write the message, with substitutes, whole.
expect_refusal "Viduzirivo: OpenGL????????" LC_ALL=C QT_QPA_PLATFORM=minimal

# 8-bit screens, indexed and true colour: one line that says OpenGL cannot be used, not a black window.
for class in 3 4; do
    start_xvfb 8 -cc $class
    expect_refusal "OpenGLが使用できません" LANG=C.UTF-8 DISPLAY="$xdisplay"
done
# A 16-bit screen shows the clock.
start_xvfb 16
DISPLAY=$xdisplay start "$program"
clock_on_screen() {
    import -display "$xdisplay" -window root "$workdir/16.png" 2>/dev/null &&
        [ "$(convert "$workdir/16.png" -format %k info:)" -gt 50 ]
}
wait_for 20 "$pid" clock_on_screen || fail "16-bit screen: no clock"
kill "$pid"
echo "16-bit screen: the clock drawn"

# Wayland wanted first, but no compositor: the window opens on the X display.
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=absent XDG_RUNTIME_DIR="$workdir/runtime" \
    "$program" >"$workdir/log" 2>&1 &
pid=$!
window=$(wait_top_window "$pid" 20) || fail "no window on X11 after Wayland failed"
close_cleanly "$window" 10
echo "Wayland absent: opened on X11 and closed cleanly"

# Neither display variable set, but a compositor at wayland-0, where Wayland clients look by default; and
# both set: the clock opens on Wayland.
x11=$DISPLAY
for display in "-u DISPLAY -u WAYLAND_DISPLAY" "DISPLAY=$x11"; do
    "$e2e/../../scripts/with-weston.sh" bash -c '
        ln -s "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" "$XDG_RUNTIME_DIR/wayland-0"
        env -u QT_QPA_PLATFORM $3 WAYLAND_DEBUG=client "$1" >"$2" 2>&1 & pid=$!
        timeout 20 bash -c "until grep -q get_subsurface \"\$0\"; do kill -0 $pid || exit 1; sleep 0.2; done" "$2"
        status=$?
        kill $pid
        exit $status' _ "$program" "$workdir/wayland" "$display" ||
        fail "$display: no clock on Wayland: $(tail -5 "$workdir/wayland")"
    echo "$display, a compositor at wayland-0: the clock opened on Wayland"
done
