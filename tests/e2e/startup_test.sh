#!/usr/bin/env bash
# The built program opens one window titled "Viduzirivo" with a 373 x 338 client area, draws the clock into
# it and keeps running until it is closed through the window manager.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/windows.sh"

workdir=$(mktemp -d)
(cd / && exec "$program") >"$workdir/log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT

window=$(wait_top_window "$pid" 20) || { echo "no window appeared"; cat "$workdir/log"; exit 1; }
xprop -id "$window" WM_NAME | grep -q '= "Viduzirivo"$' || { echo "the window is not titled Viduzirivo"; exit 1; }
[ "$(window_type "$window")" = NORMAL ] || { echo "the window is a $(window_type "$window")"; exit 1; }
echo "client area: $(client_size "$window")"
[ "$(client_size "$window")" = 373x338 ] || { echo "expected a 373 x 338 client area"; exit 1; }

sleep 3
kill -0 "$pid" || { echo "the program ended by itself"; cat "$workdir/log"; exit 1; }
[ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "more than one window (a message box?)"; exit 1; }

# The drawing surface shows more than a black background: the clock is drawn.
import -window "$window" "$workdir/shot.png"
colours=$(convert "$workdir/shot.png" -crop 349x338+24+0 +repage -format %k info:)
echo "distinct colours in the drawing surface: $colours"
[ "$colours" -gt 50 ] || { echo "the drawing surface looks empty"; exit 1; }

# Close it the way a user does: through the window manager.
wmctrl -i -c "$window"
wait_gone "$pid" 5 || { echo "the program did not end after its window was closed"; exit 1; }
wait "$pid" && echo "closed cleanly"
