#!/usr/bin/env bash
# The Windows program under Wine on a virtual display, as a user meets it.
# Usage: program_test.sh CASE LAUNCHER... PROGRAM
#   window     one window titled "Viduzirivo" with a 373 x 338 client area, the clock drawn, the credit box
#              over the drawing; closing it through the window manager ends the program with status 0
#   no-opengl  with opengl32.dll unloadable only the message box shows; answering it ends the program with 1
#   texture    a missing or short Earth.RAS gives one message box, then the window opens and the clock runs
set -euo pipefail
case_name=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../../scripts/with-display.sh" bash "$0" "$case_name" "$@"
source "$here/../windows.sh"
program=$(readlink -f "${!#}")
launcher=("${@:1:$#-1}")

workdir=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# Starts the program in the background; the first start also creates the Wine prefix, which takes a while.
start() {
    (cd / && exec "${launcher[@]}" "$1") >"$workdir/log" 2>&1 &
    pid=$!
}

# Waits for the program to end and checks its exit status.
expect_exit() {
    local status=0
    wait_gone "$pid" 15 || { echo "$2: still running"; exit 1; }
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq "$1" ] || { echo "$2: exit status $status, expected $1"; cat "$workdir/log"; exit 1; }
}

# A message box, not the main window: Wine gives a box without an owner the window type NORMAL, so it is
# told apart by its title and its size.
expect_box() {
    xprop -id "$1" WM_NAME | grep -q '= "Viduzirivo"$' || { echo "$2: the box is not titled Viduzirivo"; exit 1; }
    [ "$(client_size "$1")" != 373x338 ] || { echo "$2: the main window instead of a message box"; exit 1; }
    [ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "$2: more than the message box"; exit 1; }
}

colours_of() {
    convert "$1" -crop "$2" +repage -format %k info:
}

# Wine 8 keeps the OpenGL drawing of a child window in an off-screen X window of the child's size and does
# not copy it into the visible window; the drawing is then read from there.
offscreen_drawing() {
    xwininfo -root -tree | awk -v size="$1" '!found && /\(has no name\)/ && $0 ~ " " size "\\+" {print $1; found = 1}'
}

# The clock is drawn on a surface of the client area less the strip, with the credit box over its corner.
check_drawing() {
    local window=$1 surface="$(($2 - 24))x$3" shot=$workdir/window-$2x$3.png colours
    import -window "$window" "$shot"
    colours=$(colours_of "$shot" "$surface+24+0")
    if [ "$colours" -le 50 ]; then
        local drawing
        drawing=$(offscreen_drawing "$surface")
        [ -n "$drawing" ] || { echo "no $surface drawing surface ($colours colours in the window)"; exit 1; }
        import -window "$drawing" "$workdir/drawing-$2x$3.png"
        colours=$(colours_of "$workdir/drawing-$2x$3.png" "$(($2 - 40))x$(($3 - 10))+0+0")
        echo "OpenGL drawing read from Wine's off-screen window $drawing"
    fi
    echo "distinct colours in the $surface drawing: $colours"
    [ "$colours" -gt 50 ] || { echo "the drawing surface looks empty"; exit 1; }
    # The read-only credit box keeps its light background over the drawing in the lower right corner.
    local brightness
    brightness=$(convert "$shot" -crop "201x21+$(($2 - 201))+$(($3 - 21))" +repage -colorspace Gray \
        -format '%[fx:int(100*mean)]' info:)
    [ "$brightness" -gt 60 ] || { echo "the credit box is not over the corner ($brightness% bright)"; exit 1; }
}

check_window() {
    start "$program"
    local window
    window=$(wait_top_window "$pid" 90) || { echo "no window appeared"; cat "$workdir/log"; exit 1; }
    xprop -id "$window" WM_NAME | grep -q '= "Viduzirivo"$' || { echo "the window is not titled Viduzirivo"; exit 1; }
    echo "client area: $(client_size "$window")"
    [ "$(client_size "$window")" = 373x338 ] || { echo "expected a 373 x 338 client area"; exit 1; }
    sleep 3
    kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }
    [ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "more than one window (a message box?)"; exit 1; }

    check_drawing "$window" 373 338
    # Resized, the surface fills the client area right of the 24-pixel strip and the credit box follows its
    # lower right corner.
    xdotool windowsize "$window" 500 400
    sleep 1
    [ "$(client_size "$window")" = 500x400 ] || { echo "the window was not resized: $(client_size "$window")"; exit 1; }
    check_drawing "$window" 500 400
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || cp "$workdir"/*.png "$VIDUZIRIVO_SHOTS/"

    wmctrl -i -c "$window"
    expect_exit 0 "closing the window"
    echo "window: drawn, closed cleanly"
}

check_no_opengl() {
    WINEDLLOVERRIDES="opengl32=" start "$program"
    local box
    box=$(wait_top_window "$pid" 90) || { echo "no message box appeared"; cat "$workdir/log"; exit 1; }
    sleep 1
    expect_box "$box" no-opengl
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || import -window root "$VIDUZIRIVO_SHOTS/no-opengl.png"
    answer_box "$box"
    expect_exit 1 "after OK"
    echo "no-opengl: one message box, exit status 1"
}

check_texture() {
    local name folder box main
    for name in missing short; do
        folder=$workdir/$name
        mkdir -p "$folder"
        cp "$program" "$folder/"
        [ "$name" = missing ] || head -c 1000 /dev/urandom >"$folder/Earth.RAS"
        start "$folder/$(basename "$program")"
        box=$(wait_top_window "$pid" 90) || { echo "$name: no message box"; exit 1; }
        sleep 0.5
        expect_box "$box" "$name"
        answer_box "$box"
        for _ in $(seq 1 100); do
            main=$(top_windows "$pid" | sed -n 1p)
            [ -n "$main" ] && [ "$main" != "$box" ] && break
            sleep 0.1
        done
        [ "$(client_size "$main")" = 373x338 ] || { echo "$name: the window did not open after the message"; exit 1; }
        sleep 1
        kill -0 "$pid" || { echo "$name: the program ended"; exit 1; }
        [ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "$name: a second message box appeared"; exit 1; }
        wmctrl -i -c "$main"
        expect_exit 0 "$name"
        echo "$name: one message, then the clock ran"
    done
}

case $case_name in
window) check_window ;;
no-opengl) check_no_opengl ;;
texture) check_texture ;;
*) echo "unknown case $case_name" >&2; exit 2 ;;
esac
