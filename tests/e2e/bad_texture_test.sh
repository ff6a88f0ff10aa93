#!/usr/bin/env bash
# A program folder whose "Earth.RAS" is missing, a directory, a FIFO or too short: start-up shows exactly one
# message box; once it is answered the window opens, the program works in its own folder and runs on.
source "$(dirname "$0")/e2e.sh"
for name in missing directory fifo short; do
    folder=$workdir/$name
    mkdir "$folder"
    cp "$program" "$folder/viduzirivo"
    case $name in
    directory) mkdir "$folder/Earth.RAS" ;;
    fifo) mkfifo "$folder/Earth.RAS" ;;
    short) head -c 1000 /dev/urandom >"$folder/Earth.RAS" ;;
    esac
    echo "$name:"
    start "$folder/viduzirivo"
    expect_box_alone 20
    answer_box "$box"
    main=$(wait_for 10 "$pid" other_top_window "$pid" "$box") || fail "$name: no window after the message"
    [ "$(window_type "$main")" = NORMAL ] || fail "$name: a $(window_type "$main") after the message"
    sleep 1
    [ "$(top_windows "$pid")" = "$main" ] || fail "$name: the program ended or showed another box"
    [ "$(readlink "/proc/$pid/cwd")" = "$folder" ] || fail "$name: not working in its own folder"
    close_cleanly "$main" 10
    echo "one message, then the clock ran"
done
