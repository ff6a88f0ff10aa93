#!/usr/bin/env bash
# The Windows program under Wine, as a user meets it. Usage: program_test.sh PROGRAM CASE LAUNCHER...
#   window     one window titled "Viduzirivo" with a 373 x 338 client area, the clock drawn and the credit box
#              over its corner; closing it ends the program with status 0
#   no-opengl  with opengl32.dll unloadable only the message box shows; answering it ends the program with 1
# How the layout follows a resize is checked by the front end's own test.
source "$(dirname "$0")/../e2e.sh"
launcher=("${@:3}")

titled() { xprop -id "$1" WM_NAME | grep -q '= "Viduzirivo"$' || fail "not titled Viduzirivo"; }
colours_of() { convert "$1" -crop "$2" +repage -format %k info:; }

# The clock drawn right of the 24-pixel strip, the credit box's light background over the lower right corner.
# Wine 8 keeps the OpenGL drawing of a child window in an off-screen X window of the child's size and does
# not copy it into the visible window; the drawing is then read from there.
check_drawing() {
    local shot=$workdir/window.png colours drawing brightness
    import -window "$1" "$shot"
    colours=$(colours_of "$shot" 349x338+24+0)
    if [ "$colours" -le 50 ]; then
        drawing=$(xwininfo -root -tree | awk '!found && /\(has no name\)/ && / 349x338\+/ {print $1; found = 1}')
        [ -n "$drawing" ] || fail "no 349 x 338 drawing surface ($colours colours in the window)"
        import -window "$drawing" "$workdir/drawing.png"
        colours=$(colours_of "$workdir/drawing.png" 333x328+0+0)
    fi
    [ "$colours" -gt 50 ] || fail "the drawing looks empty ($colours colours)"
    brightness=$(convert "$shot" -crop 201x21+172+317 +repage -colorspace Gray -format '%[fx:int(100*mean)]' info:)
    [ "$brightness" -gt 60 ] || fail "the credit box is not over the corner ($brightness% bright)"
}

check_window() {
    start "${launcher[@]}" "$program"
    window=$(wait_top_window "$pid" 90) || fail "no window appeared"
    titled "$window"
    [ "$(client_size "$window")" = 373x338 ] || fail "a $(client_size "$window") client area, not 373x338"
    sleep 3
    [ "$(top_windows "$pid")" = "$window" ] || fail "the program ended, or shows more than its window"
    check_drawing "$window"
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || cp "$workdir"/*.png "$VIDUZIRIVO_SHOTS/"
    close_cleanly "$window" 15
}

# Wine gives a box without an owner the window type NORMAL, so it is told apart by its size.
check_no_opengl() {
    WINEDLLOVERRIDES="opengl32=" start "${launcher[@]}" "$program"
    box=$(wait_top_window "$pid" 90) || fail "no message box appeared"
    sleep 1
    titled "$box"
    [ "$(client_size "$box")" != 373x338 ] || fail "the main window instead of a message box"
    [ "$(top_windows "$pid")" = "$box" ] || fail "more than the message box"
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || import -window root "$VIDUZIRIVO_SHOTS/no-opengl.png"
    answer_box "$box"
    expect_exit 1 15
}

"check_${2//-/_}"
echo "$2: passed"
