#!/usr/bin/env bash
# Under a Wayland compositor the built program draws the clock as on X11: the surface shows the dial with its
# hands and the textured globe, turning, at the output's scale, with the credit box above it, also in a
# window that opens at another size than its own (as tiling compositors open windows). Every frame it draws
# is one the compositor shows, and frames keep coming.
# Usage: wayland_test.sh program [scale [WIDTHxHEIGHT]]
display=wayland
scale=${2:-1}
source "$(dirname "$0")/e2e.sh"
weston-debug timeline >"$workdir/timeline.json" 2>/dev/null &
timeline=$!
start "$program" ${3:+-qwindowgeometry "$3"}

# Pixels of picture $1 where blue clearly leads: the globe's oceans (the title bar's icon has a few).
bluish_pixels() { convert "$1" -fx "b > r + 0.1 && b > g ? 1 : 0" -format "%[fx:round(mean * w * h)]" info:; }
# How many pixels differ between the middles of window pictures $1 and $2, where the clock stands.
centre_difference() {
    convert "$1" "$2" -gravity center -crop "$((100 * scale))x$((100 * scale))+$((12 * scale))+0" +repage \
        -compose difference -composite -threshold 0 -format "%[fx:round(mean * w * h)]" info:
}

# The globe lies behind the dial for part of each turn: watch for up to ten seconds, one turn and more.
most_bluish=0
for _ in $(seq 1 20); do
    sleep 0.5
    kill -0 "$pid" || { echo "the program ended"; cat "$workdir/log"; exit 1; }
    screenshot_windows "$workdir/now.png" || continue
    [ -f "$workdir/last.png" ] && [ "$(centre_difference "$workdir/now.png" "$workdir/last.png")" -gt 0 ] && turning=yes
    mv "$workdir/now.png" "$workdir/last.png"
    bluish=$(bluish_pixels "$workdir/last.png")
    [ "$bluish" -gt "$most_bluish" ] && most_bluish=$bluish && cp "$workdir/last.png" "$workdir/globe.png"
    [ "$most_bluish" -ge $((2000 * scale * scale)) ] && [ -n "${turning:-}" ] && break
done
[ -f "$workdir/globe.png" ] || { echo "no window appeared"; cat "$workdir/log"; exit 1; }

size=$(identify -format "%wx%h" "$workdir/globe.png")
colours=$(convert "$workdir/globe.png" -format %k info:)
echo "window ${size} at scale ${scale}: ${colours} colours, at most ${most_bluish} globe pixels, turning: ${turning:-no}"
[ "${size%x*}" -ge $((373 * scale)) ] || { echo "the window is not drawn at the output's scale"; exit 1; }
[ "$colours" -gt 1500 ] || { echo "the drawing surface looks empty"; exit 1; }
[ "$most_bluish" -ge $((2000 * scale * scale)) ] || { echo "no textured globe filling the surface"; exit 1; }
[ -n "${turning:-}" ] || { echo "the clock does not turn"; exit 1; }
# The lower right corner, where the credit box lies over the surface.
lightness=$(convert "$workdir/globe.png" -gravity southeast -crop "$((120 * scale))x$((14 * scale))+$((6 * scale))+$((6 * scale))" \
    -colorspace gray -format "%[fx:round(mean * 100)]" info:)
echo "credit box corner lightness: ${lightness}%"
[ "$lightness" -gt 70 ] || { echo "the credit box is not above the surface"; exit 1; }

# Frames drawn and shown from the first second on, over four seconds at least.
sleep $((SECONDS < 5 ? 5 - SECONDS : 0))
kill "$timeline"
wait "$timeline" || true
frames=$("$e2e/../../scripts/frames-shown.py" "$workdir/timeline.json" Viduzirivo 1)
echo "frames: $frames"
read -r _ drawn _ shown _ <<<"$frames"
[ "$shown" -ge 20 ] || { echo "the clock stalls: $shown frames shown"; exit 1; }
[ $((10 * shown)) -ge $((9 * drawn)) ] || { echo "frames drawn that the compositor never showed"; exit 1; }
