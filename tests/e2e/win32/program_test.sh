#!/usr/bin/env bash
# The Windows program under Wine, as a user meets it. Usage: program_test.sh PROGRAM CASE LAUNCHER...
#   window     one window titled "Viduzirivo" with a 373 x 338 client area, the clock drawn and the credit box
#              over its corner, both following a resize; closing it ends the program with status 0
#   no-opengl  with opengl32.dll unloadable only the message box shows; answering it ends the program with 1
#   texture    a missing or short Earth.RAS gives one message box, then the window opens and the clock runs
source "$(dirname "$0")/../e2e.sh"
launcher=("${@:3}")

titled() { xprop -id "$1" WM_NAME | grep -q '= "Viduzirivo"$' || fail "$2: not titled Viduzirivo"; }

# Answers the message box that process $pid shows alone. Wine gives a box without an owner the window type
# NORMAL, so it is told apart by its size.
answer_box_alone() {
    box=$(wait_top_window "$pid" 90) || fail "$1: no message box appeared"
    sleep 1
    titled "$box" "$1"
    [ "$(client_size "$box")" != 373x338 ] || fail "$1: the main window instead of a message box"
    [ "$(top_windows "$pid")" = "$box" ] || fail "$1: more than the message box"
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || import -window root "$VIDUZIRIVO_SHOTS/$1.png"
    answer_box "$box"
}

colours_of() { convert "$1" -crop "$2" +repage -format %k info:; }

# The clock drawn right of the 24-pixel strip, the credit box's light background over the lower right corner.
# Wine 8 keeps the OpenGL drawing of a child window in an off-screen X window of the child's size and does
# not copy it into the visible window; the drawing is then read from there.
check_drawing() {
    local width=$2 height=$3 shot=$workdir/window-$2x$3.png colours drawing brightness
    import -window "$1" "$shot"
    colours=$(colours_of "$shot" "$((width - 24))x$height+24+0")
    if [ "$colours" -le 50 ]; then
        drawing=$(xwininfo -root -tree | awk -v size=" $((width - 24))x$height+" \
            '!found && /\(has no name\)/ && index($0, size) {print $1; found = 1}')
        [ -n "$drawing" ] || fail "no $width x $height drawing surface ($colours colours in the window)"
        import -window "$drawing" "$workdir/drawing-$2x$3.png"
        colours=$(colours_of "$workdir/drawing-$2x$3.png" "$((width - 40))x$((height - 10))+0+0")
    fi
    [ "$colours" -gt 50 ] || fail "the $width x $height drawing looks empty ($colours colours)"
    brightness=$(convert "$shot" -crop "201x21+$((width - 201))+$((height - 21))" +repage -colorspace Gray \
        -format '%[fx:int(100*mean)]' info:)
    [ "$brightness" -gt 60 ] || fail "the credit box is not over the corner ($brightness% bright)"
}

check_window() {
    start "${launcher[@]}" "$program"
    window=$(wait_top_window "$pid" 90) || fail "no window appeared"
    titled "$window" window
    [ "$(client_size "$window")" = 373x338 ] || fail "a $(client_size "$window") client area, not 373x338"
    sleep 3
    [ "$(top_windows "$pid")" = "$window" ] || fail "the program ended, or shows more than its window"
    check_drawing "$window" 373 338
    xdotool windowsize "$window" 500 400
    sleep 1
    [ "$(client_size "$window")" = 500x400 ] || fail "not resized: $(client_size "$window")"
    check_drawing "$window" 500 400
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || cp "$workdir"/*.png "$VIDUZIRIVO_SHOTS/"
    close_cleanly "$window" 15
}

check_no_opengl() {
    WINEDLLOVERRIDES="opengl32=" start "${launcher[@]}" "$program"
    answer_box_alone no-opengl
    expect_exit 1 15
}

check_texture() {
    for name in missing short; do
        mkdir "$workdir/$name"
        cp "$program" "$workdir/$name/"
        [ "$name" = missing ] || head -c 1000 /dev/urandom >"$workdir/$name/Earth.RAS"
        start "${launcher[@]}" "$workdir/$name/$(basename "$program")"
        answer_box_alone "$name"
        for _ in $(seq 1 100); do
            main=$(top_windows "$pid" | grep -v -x "$box" || true)
            [ -z "$main" ] || break
            sleep 0.1
        done
        [ "$(client_size "$main")" = 373x338 ] || fail "$name: the window did not open after the message"
        sleep 1
        [ "$(top_windows "$pid")" = "$main" ] || fail "$name: the program ended or showed another box"
        close_cleanly "$main" 15
    done
}

"check_${2//-/_}"
echo "$2: passed"
