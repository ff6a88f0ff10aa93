#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts the installed command through its link in bin, from
# another folder: the program must find its globe image in its private folder (no message box), show its
# one window and keep running until it is closed.
# Usage: install_test.sh <built viduzirivo executable>. Exit code 77: cannot run here.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
for tool in cmake xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The managed-window checks need a window manager; without a display that has one, bring our own.
if [ -z "${DISPLAY:-}" ] || ! xprop -root _NET_CLIENT_LIST >/dev/null 2>&1; then
    if [ -n "${VIDUZIRIVO_OWN_DISPLAY:-}" ]; then
        echo "FAIL: no window manager on the display that was started"
        exit 1
    fi
    VIDUZIRIVO_OWN_DISPLAY=1 exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
fi

build=$(cd "$(dirname "$1")/.." && pwd)
prefix=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$prefix"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -L "$prefix/bin/viduzirivo" ] || fail "bin/viduzirivo is not a symbolic link"
[ "$(readlink -f "$prefix/bin/viduzirivo")" = "$(readlink -f "$prefix/lib/viduzirivo/viduzirivo")" ] ||
    fail "bin/viduzirivo does not lead to lib/viduzirivo/viduzirivo"
[ -f "$prefix/share/icons/hicolor/32x32/apps/viduzirivo.png" ] || fail "no 32x32 icon installed"
entry="$prefix/share/applications/viduzirivo.desktop"
for line in Exec=viduzirivo Icon=viduzirivo Name=Viduzirivo; do
    grep -qx "$line" "$entry" || fail "$entry lacks $line"
done

(cd / && exec "$prefix/bin/viduzirivo") &
pid=$!

# The first window of the process, the main window or a message box, both titled Viduzirivo.
timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Viduzirivo$' >/dev/null ||
    fail "no window titled Viduzirivo appeared"
sleep 1

# Top-level windows of the process that the window manager manages: exactly the main window.
windows=()
for id in $(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*'); do
    if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$"; then
        windows+=("$id")
    fi
done
[ "${#windows[@]}" -eq 1 ] || fail "${#windows[@]} top-level windows instead of 1 (a message box?)"
main=${windows[0]}
xprop -id "$main" WM_NAME | grep -q '= "Viduzirivo"$' || fail "the window is not titled Viduzirivo"
# A message box is a dialog (typed DIALOG, NORMAL); the main window is a plain NORMAL one.
xprop -id "$main" _NET_WM_WINDOW_TYPE | grep -q '= _NET_WM_WINDOW_TYPE_NORMAL$' ||
    fail "the only window is not the main window but: $(xprop -id "$main" _NET_WM_WINDOW_TYPE)"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
# It read its image from its own folder, which it made the current one.
[ "$(readlink -f "/proc/$pid/cwd")" = "$(readlink -f "$prefix/lib/viduzirivo")" ] ||
    fail "the program works in $(readlink "/proc/$pid/cwd"), not in its private folder"

# Closing the window through the window manager ends the program normally.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program kept running after its window was closed"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
