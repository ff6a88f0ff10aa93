#!/usr/bin/env bash
# What a screen reader and a keyboard user get. On the accessibility bus (AT-SPI, as Orca reads it) of a
# private session bus, each bar is named by its label, the drawing surface is a named animation and the credit
# box's text can be read. Tabbed to, the surface shows a focus frame on its edge, and only then.
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
[ -n "${VIDUZIRIVO_OWN_BUS:-}" ] || VIDUZIRIVO_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
source "$(dirname "$0")/e2e.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start "$program"
window=$(wait_top_window "$pid" 20) || fail "no window appeared"

# The program's accessible objects, one a line: role|name|description|text.
read_tree() {
    /usr/bin/python3 - "$pid" >"$workdir/tree" <<'PYTHON'
import sys, pyatspi
def lines(node):
    text = node.queryText().getText(0, -1) if "Text" in node.get_interfaces() else ""
    yield f"{node.getRoleName()}|{node.name}|{node.description}|{text}"
    for child in node:
        yield from lines(child)
for app in pyatspi.Registry.getDesktop(0):
    if app.get_process_id() == int(sys.argv[1]):
        print("\n".join(lines(app)))
PYTHON
}
named() {
    read_tree && for line in "scroll bar|Zoom|Zoom|" "scroll bar|RotX|RotateX|" "animation|Clock||" \
        "text||By Team Veroradez|By Team Veroradez"; do grep -qxF -- "$line" "$workdir/tree" || return 1; done
}
wait_for 20 "$pid" named || { cat "$workdir/tree"; fail "the controls are not named as expected"; }

# The least and the most blue on the surface's top edge.
top_edge() {
    import -window "$window" -crop 349x1+24+0 -format "%[fx:round(minima.b * 255)] %[fx:round(maxima.b * 255)]" info:
}
framed() { read -r least _ <<<"$(top_edge)" && [ "$least" -gt 100 ]; }
unframed() { [ "$(top_edge)" = "0 0" ]; }
xdotool windowactivate --sync "$window"
unframed || fail "an edge is drawn on the surface before the keyboard moved the focus"
xdotool key --repeat 3 --delay 200 Tab
wait_for 5 "$pid" framed || fail "the surface shows no focus frame when tabbed to"
xdotool key Tab
wait_for 5 "$pid" unframed || fail "the focus frame stays when the focus has left the surface"
