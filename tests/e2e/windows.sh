# Window helpers for the end-to-end scripts. Only windows that the window manager manages are windows a user
# sees: Qt's native child windows (the drawing surface, the credit box) carry the program's title as well.

# The managed top-level windows of a process.
top_windows() {
    # wmctrl fails now and then while a window is being unmapped; that is an empty answer, not an error.
    { wmctrl -lp 2>/dev/null || true; } | awk -v pid="$1" '$3 == pid {print $1}'
}

# Runs the command after $1 and $2 every tenth of a second until it succeeds, for up to $1 seconds; gives up
# early when process $2 (if one is named) has ended.
wait_for() {
    local seconds=$1 pid=$2
    shift 2
    for _ in $(seq 1 $((seconds * 10))); do
        "$@" && return 0
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Prints the first managed window of process $1 other than window $2; fails when there is none.
other_top_window() {
    local window
    window=$(top_windows "$1" | grep -v -x "${2:-none}" | sed -n 1p)
    [ -n "$window" ] && echo "$window"
}

# Waits up to $2 seconds for process $1 to show a managed window and prints the first one.
wait_top_window() { wait_for "$2" "$1" other_top_window "$1"; }

# The preferred type of a window: NORMAL for a main window, DIALOG for a message box.
window_type() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE | sed -n 's/^[^=]*= _NET_WM_WINDOW_TYPE_\([A-Z]*\).*/\1/p'
}

# The client area of a window as WIDTHxHEIGHT.
client_size() {
    xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'
}

# Waits up to $2 seconds for process $1 to end; fails if it is still running.
process_gone() { ! kill -0 "$1" 2>/dev/null; }
wait_gone() { wait_for "$2" "" process_gone "$1"; }

# Starts a virtual X server with a screen of depth $1 (and Xvfb's options after it): its process is $xvfb,
# its display $xdisplay.
start_xvfb() {
    rm -f "$workdir/display"
    Xvfb -displayfd 3 -screen 0 "1024x768x$1" "${@:2}" -nolisten tcp 3>"$workdir/display" >/dev/null 2>&1 &
    xvfb=$!
    wait_for 10 "$xvfb" test -s "$workdir/display" || fail "the virtual X server did not start"
    xdisplay=:$(head -n1 "$workdir/display")
}

# Waits up to $1 seconds for process $pid to show a window, gives it a second to show more, and checks that
# the process shows a message box titled Viduzirivo and nothing else; sets $box to it. The command $2 (by
# default is_dialog) tells a box from a window, given its id: Wine types a box without an owner as NORMAL.
expect_box_alone() {
    box=$(wait_top_window "$pid" "$1") || fail "no message box appeared"
    sleep 1
    [ "$(top_windows "$pid")" = "$box" ] || fail "more windows than the message box"
    "${2:-is_dialog}" "$box" || fail "not a message box but a $(window_type "$box") of $(client_size "$box")"
    xprop -id "$box" WM_NAME | grep -q '= "Viduzirivo"$' || fail "the box is not titled Viduzirivo"
}
is_dialog() { [ "$(window_type "$1")" = DIALOG ]; }

# Answers the message box in window $1 with its default button, as a user pressing Return.
answer_box() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key Return
}

# A command that fails under `set -e` says which one, instead of ending the script in silence.
set -o errtrace
trap 'echo "failed at line $LINENO: $BASH_COMMAND" >&2' ERR

# Wayland (scripts/with-weston.sh): no tool can list another client's windows there, so a client is watched
# through its own protocol log (WAYLAND_DEBUG=client on its standard error) and through screenshots.

# Waits up to $3 seconds for the protocol log $1 of process $4 to show a request matching $2.
wait_request() { wait_for "$3" "$4" grep -q -- "$2" "$1"; }

# How many requests in protocol log $1 match $2.
count_requests() {
    grep -c -- "$2" "$1" || true
}

# A screenshot of the whole output into $1, cropped to what is not the compositor's plain background.
screenshot_windows() {
    local shots status=0
    shots=$(mktemp -d)
    (cd "$shots" && weston-screenshooter >/dev/null 2>&1 && convert wayland-screenshot-*.png -trim +repage "$1") ||
        status=1
    rm -rf "$shots"
    return "$status"
}
