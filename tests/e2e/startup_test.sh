#!/usr/bin/env bash
# The built program opens one window titled "Viduzirivo" with a 373 x 338 client area, draws the clock into
# it with the light credit box above the drawing's lower right corner, and runs until it is closed through
# the window manager; then it ends cleanly.
source "$(dirname "$0")/e2e.sh"
start "$program"
window=$(wait_top_window "$pid" 20) || fail "no window appeared"
xprop -id "$window" WM_NAME | grep -q '= "Viduzirivo"$' || fail "the window is not titled Viduzirivo"
[ "$(window_type "$window")" = NORMAL ] || fail "the window is a $(window_type "$window")"
[ "$(client_size "$window")" = 373x338 ] || fail "a $(client_size "$window") client area instead of 373x338"
sleep 3
[ "$(top_windows "$pid")" = "$window" ] || fail "the program ended, or showed another window (a message box?)"
import -window "$window" "$workdir/shot.png"
colours=$(convert "$workdir/shot.png" -crop 349x338+24+0 +repage -format %k info:)
[ "$colours" -gt 50 ] || fail "the drawing surface looks empty: $colours colours"
lightness() { convert "$workdir/shot.png" -crop "$1" -colorspace gray -format "%[fx:round(mean * 100)]" info:; }
[ "$(lightness 190x15+178+320)" -gt 80 ] && [ "$(lightness 20x10+150+300)" -lt 20 ] ||
    fail "the credit box is not above the black corner of the drawing"
close_cleanly "$window" 5
echo "one window, $colours colours in the drawing, closed cleanly"
