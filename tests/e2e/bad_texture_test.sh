#!/usr/bin/env bash
# A program folder whose "Earth.RAS" is a FIFO, which must not hold up the start-up: the program shows exactly
# one message box; once it is answered the window opens, the program works in its own folder and runs on. What
# the box says for each kind of unreadable file, a missing one among them, is the texture test's.
source "$(dirname "$0")/e2e.sh"
folder=$workdir/fifo
mkdir "$folder"
cp "$program" "$folder/viduzirivo"
mkfifo "$folder/Earth.RAS"
start "$folder/viduzirivo"
expect_box_alone 20
answer_box "$box"
main=$(wait_for 10 "$pid" other_top_window "$pid" "$box") || fail "no window after the message"
[ "$(window_type "$main")" = NORMAL ] || fail "a $(window_type "$main") after the message"
sleep 1
[ "$(top_windows "$pid")" = "$main" ] || fail "the program ended or showed another box"
[ "$(readlink "/proc/$pid/cwd")" = "$folder" ] || fail "not working in its own folder"
close_cleanly "$main" 10
echo "a FIFO as the globe image: one message, then the clock ran"
