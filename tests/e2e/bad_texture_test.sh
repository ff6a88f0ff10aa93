#!/usr/bin/env bash
# A program folder whose "Earth.RAS" is missing, a directory, a FIFO or too short: start-up shows exactly one
# message box, and once it is answered the window opens and the program runs on.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/windows.sh"

workdir=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT


check_case() {
    local name=$1
    local folder=$workdir/$name
    mkdir -p "$folder"
    cp "$program" "$folder/viduzirivo"
    case $name in
    missing) ;;
    directory) mkdir "$folder/Earth.RAS" ;;
    fifo) mkfifo "$folder/Earth.RAS" ;;
    short) head -c 1000 /dev/urandom >"$folder/Earth.RAS" ;;
    esac

    (cd / && exec "$folder/viduzirivo") >/dev/null 2>&1 &
    pid=$!
    local box main
    box=$(wait_top_window "$pid" 20) || { echo "$name: no message box"; exit 1; }
    sleep 0.5
    [ "$(window_type "$box")" = DIALOG ] || { echo "$name: a $(window_type "$box") instead of a box"; exit 1; }
    [ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "$name: more than the message box at start-up"; exit 1; }
    answer_box "$box"

    for _ in $(seq 1 100); do
        main=$(top_windows "$pid" | sed -n 1p)
        [ -n "$main" ] && [ "$main" != "$box" ] && break
        sleep 0.1
    done
    [ "$(window_type "$main")" = NORMAL ] || { echo "$name: the window did not open after the message"; exit 1; }
    sleep 1
    kill -0 "$pid" || { echo "$name: the program ended"; exit 1; }
    [ "$(top_windows "$pid" | wc -l)" -eq 1 ] || { echo "$name: a second message box appeared"; exit 1; }
    [ "$(readlink "/proc/$pid/cwd")" = "$folder" ] || { echo "$name: not working in its own folder"; exit 1; }
    wmctrl -i -c "$main"
    wait_gone "$pid" 10 || { echo "$name: still running after its window was closed"; exit 1; }
    wait "$pid" || { echo "$name: unclean exit"; exit 1; }
    pid=
    echo "$name: one message, then the clock ran"
}

for name in missing directory fifo short; do
    check_case "$name"
done
