#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts the installed command through its link in bin, from
# another folder: the program must find its globe image in its private folder (no message box), show its one
# window and keep running until it is closed.
source "$(dirname "$0")/../e2e/e2e.sh"
build=$(cd "$(dirname "$1")/.." && pwd)
prefix=$workdir/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -L "$prefix/bin/viduzirivo" ] || fail "bin/viduzirivo is not a symbolic link"
[ "$(readlink -f "$prefix/bin/viduzirivo")" = "$(readlink -f "$prefix/lib/viduzirivo/viduzirivo")" ] ||
    fail "bin/viduzirivo does not lead to lib/viduzirivo/viduzirivo"
[ -f "$prefix/share/icons/hicolor/32x32/apps/viduzirivo.png" ] || fail "no 32x32 icon installed"
entry="$prefix/share/applications/viduzirivo.desktop"
for line in Exec=viduzirivo Icon=viduzirivo Name=Viduzirivo; do
    grep -qx "$line" "$entry" || fail "$entry lacks $line"
done

start "$prefix/bin/viduzirivo"
main=$(wait_top_window "$pid" 30) || fail "no window appeared"
sleep 1
[ "$(top_windows "$pid")" = "$main" ] || fail "the program ended, or showed more than its window (a message box?)"
xprop -id "$main" WM_NAME | grep -q '= "Viduzirivo"$' || fail "the window is not titled Viduzirivo"
[ "$(window_type "$main")" = NORMAL ] || fail "the only window is a $(window_type "$main"), not the main window"
# It read its image from its own folder, which it made the current one.
[ "$(readlink -f "/proc/$pid/cwd")" = "$(readlink -f "$prefix/lib/viduzirivo")" ] ||
    fail "the program works in $(readlink "/proc/$pid/cwd"), not in its private folder"
# Closing the window as a user does ends the program normally.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
wait_gone "$pid" 10 || fail "the program kept running after its window was closed"
wait "$pid" || fail "the program ended with status $?"
pid=
echo "PASS"
