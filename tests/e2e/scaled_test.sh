#!/usr/bin/env bash
# On X11 desktops that scale their screen (Xft.dpi in the X resources, as Xfce, Cinnamon, MATE and i3 set it
# for 150 % and 200 %, or Qt's own QT_SCALE_FACTOR) the window opens at the scaled size and the clock is
# drawn on its surface. At a DPI that would make it larger than the screen, the window fits the screen, and
# the clock shows where there is room for it. Wayland's scales are the Wayland test's.
source "$(dirname "$0")/e2e.sh"

# Colours on the drawing surface of window $1 at scale $2, away from the strip of bars and the credit box.
surface_colours() {
    import -window "$1" "$workdir/shot.png" 2>/dev/null || return 1
    convert "$workdir/shot.png" -crop "$(bc <<<"300 * $2 / 1")x$(bc <<<"280 * $2 / 1")+$(bc <<<"30 * $2 / 1")+0" \
        +repage -format %k info:
}
drawn() { [ "$(surface_colours "$@")" -gt 50 ]; }

while read -r dpi factor scale; do
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s\n' "$dpi")"
    QT_SCALE_FACTOR=$factor start "$program"
    window=$(wait_top_window "$pid" 30) || fail "Xft.dpi $dpi, QT_SCALE_FACTOR $factor: no window"
    size=$(client_size "$window")
    expected="$(bc <<<"373 * $scale / 1")x$(bc <<<"338 * $scale / 1")"
    [ "${size%x*}" -ge "${expected%x*}" ] && [ "${size#*x}" -ge "$(("${expected#*x}" - 1))" ] ||
        fail "Xft.dpi $dpi, QT_SCALE_FACTOR $factor: a $size window, not $expected"
    wait_for 10 "$pid" drawn "$window" "$scale" ||
        fail "Xft.dpi $dpi, QT_SCALE_FACTOR $factor: the surface shows $(surface_colours "$window" "$scale") colours"
    echo "Xft.dpi $dpi, QT_SCALE_FACTOR $factor: a $size window, the clock drawn"
    close_cleanly "$window" 10
done <<'SCALES'
96 1 1
144 1 1.5
192 1 2
96 1.5 1.5
96 2 2
SCALES

# Ten and two hundred times the design size on the 1280x1024 screen; the second would also be far larger
# than the driver draws.
for dpi in 960 19200; do
    QT_FONT_DPI=$dpi start "$program"
    window=$(wait_top_window "$pid" 30) || fail "QT_FONT_DPI $dpi: no window"
    size=$(client_size "$window")
    [ "${size%x*}" -le 1280 ] && [ "${size#*x}" -le 1024 ] || fail "QT_FONT_DPI $dpi: a $size window"
    [ $dpi -gt 960 ] || wait_for 10 "$pid" drawn "$window" 10 || fail "QT_FONT_DPI $dpi: no clock drawn"
    sleep 1
    echo "QT_FONT_DPI $dpi: a $size window"
    close_cleanly "$window" 10
done
