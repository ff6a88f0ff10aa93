#!/usr/bin/env bash
# The Windows program under Wine, as a user meets it. Usage: program_test.sh PROGRAM CASE LAUNCHER...
#   window     one window titled "Viduzirivo" with a 373 x 338 client area, the clock drawn and the credit box
#              over its corner; closing it ends the program with status 0
#   no-opengl  with opengl32.dll unloadable only the message box shows; answering it ends the program with 1
#   folders    copied with its globe image into folders named in other scripts, or longer than MAX_PATH (260)
#              altogether, it opens its window without a box and draws the textured globe
# How the layout follows a resize is checked by the front end's own test.
source "$(dirname "$0")/../e2e.sh"
launcher=("${@:3}")

colours_of() { convert "$1" -crop "$2" +repage -format %k info:; }

# Sets $colours to the number of colours of the drawing in window $1, leaving the shot in window.png; fails
# while there is nothing to read. Wine 8 keeps the OpenGL drawing of a child window in an off-screen X window
# of the child's size and does not copy it into the visible window; the drawing is then read from there.
read_drawing() {
    local drawing
    import -window "$1" "$workdir/window.png" 2>/dev/null || return 1
    colours=$(colours_of "$workdir/window.png" 349x338+24+0)
    if [ "$colours" -le 50 ]; then
        drawing=$(xwininfo -root -tree | awk '!found && /\(has no name\)/ && / 349x338\+/ {print $1; found = 1}')
        [ -n "$drawing" ] && import -window "$drawing" "$workdir/drawing.png" 2>/dev/null || return 1
        colours=$(colours_of "$workdir/drawing.png" 333x328+0+0)
    fi
}

# The clock drawn right of the 24-pixel strip, the credit box's light background over the lower right corner.
drawn_with_credit() {
    read_drawing "$1" && [ "$colours" -gt 50 ] &&
        [ "$(convert "$workdir/window.png" -crop 201x21+172+317 +repage -colorspace Gray \
            -format '%[fx:int(100*mean)]' info:)" -gt 60 ]
}

check_window() {
    start "${launcher[@]}" "$program"
    window=$(wait_top_window "$pid" 90) || fail "no window appeared"
    xprop -id "$window" WM_NAME | grep -q '= "Viduzirivo"$' || fail "not titled Viduzirivo"
    [ "$(client_size "$window")" = 373x338 ] || fail "a $(client_size "$window") client area, not 373x338"
    wait_for 15 "$pid" drawn_with_credit "$window" ||
        fail "no drawing (${colours:-no} colours) with the credit box over its corner"
    [ "$(top_windows "$pid")" = "$window" ] || fail "the program ended, or shows more than its window"
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || cp "$workdir"/*.png "$VIDUZIRIVO_SHOTS/"
    close_cleanly "$window" 15
}

# The globe shows its back once in each turn of about seven seconds: textured, it has thousands of colours
# (a black one a few hundred with the dial and the hands).
textured_globe() {
    read_drawing "$1"
    [ "$colours" -gt 2000 ]
}

check_folders() {
    local x100 name folder window
    x100=$(printf 'x%.0s' {1..100})
    for name in 日本語フォルダ 🌍 café "$x100/$x100/$x100"; do
        folder=$workdir/$name
        mkdir -p "$folder"
        cp "$program" "$(dirname "$program")/Earth.RAS" "$folder/"
        start "${launcher[@]}" "$folder/$(basename "$program")"
        window=$(wait_top_window "$pid" 90) || fail "$name: no window appeared"
        [ "$(client_size "$window")" = 373x338 ] || fail "$name: a message box instead of the window"
        wait_for 15 "$pid" textured_globe "$window" || fail "$name: no textured globe within two turns"
        [ "$(top_windows "$pid")" = "$window" ] || fail "$name: the program ended, or shows more than its window"
        [ -z "${VIDUZIRIVO_SHOTS:-}" ] || cp "$workdir/drawing.png" "$VIDUZIRIVO_SHOTS/folder-${#name}.png"
        close_cleanly "$window" 15
        echo "$name: the window and the textured globe, no box"
    done
}

# Wine gives a box without an owner the window type NORMAL, so it is told apart by its size.
not_main_window() { [ "$(client_size "$1")" != 373x338 ]; }
check_no_opengl() {
    WINEDLLOVERRIDES="opengl32=" start "${launcher[@]}" "$program"
    expect_box_alone 90 not_main_window
    [ -z "${VIDUZIRIVO_SHOTS:-}" ] || import -window root "$VIDUZIRIVO_SHOTS/no-opengl.png"
    answer_box "$box"
    expect_exit 1 15
}

"check_${2//-/_}"
echo "$2: passed"
