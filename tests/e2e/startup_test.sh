#!/usr/bin/env bash
# The built program opens one window titled "Viduzirivo" with a 373 x 338 client area, draws the clock into
# it and keeps running until it is closed.
set -euo pipefail
program=$(readlink -f "$1")
[ -n "${DISPLAY:-}" ] || exec "$(dirname "$0")/../../scripts/with-display.sh" bash "$0" "$@"

workdir=$(mktemp -d)
cd /
"$program" >"$workdir/log" 2>&1 &
pid=$!
cleanup() {
    kill "$pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Viduzirivo$" | head -n1 || true)
[ -n "$window" ] || { echo "no window titled Viduzirivo"; cat "$workdir/log"; exit 1; }

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
echo "client area: ${width} x ${height}"
[ "$width" -eq 373 ] && [ "$height" -eq 338 ] || { echo "expected a 373 x 338 client area"; exit 1; }

windows=$(xdotool search --onlyvisible --name '^Viduzirivo$' | wc -l)
[ "$windows" -eq 1 ] || { echo "expected one window, found $windows (a message box?)"; exit 1; }

sleep 3
kill -0 "$pid" || { echo "the program ended by itself"; cat "$workdir/log"; exit 1; }

# The drawing surface shows more than a black background: the clock is drawn.
import -window "$window" "$workdir/shot.png"
colours=$(convert "$workdir/shot.png" -crop 349x338+24+0 +repage -format %k info:)
echo "distinct colours in the drawing surface: $colours"
[ "$colours" -gt 50 ] || { echo "the drawing surface looks empty"; exit 1; }

# Close it the way a user does: through the window manager.
wmctrl -i -c "$window"
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end after its window was closed"
    exit 1
fi
wait "$pid" && echo "closed cleanly"
