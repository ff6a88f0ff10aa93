# The shared start of the end-to-end scripts, sourced first: the program under test ($1), a display with a
# window manager (a virtual one when there is none), a scratch folder, a cleanup that ends whatever the script
# started, and helpers that see the program's windows as the window manager does: only managed windows are
# windows a user sees, while Qt's native child windows carry the program's title as well.
set -euo pipefail
set -o errtrace
trap 'echo "failed at line $LINENO: $BASH_COMMAND" >&2' ERR
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
    [ -z "${VIDUZIRIVO_OWN_DISPLAY:-}" ] || { echo "no window manager on the display that was started"; exit 1; }
    VIDUZIRIVO_OWN_DISPLAY=1 exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-display.sh" bash "$0" "$@"
fi
workdir=$(mktemp -d)
pid=
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$workdir"' EXIT

fail() {
    echo "$*"
    [ ! -s "$workdir/log" ] || cat "$workdir/log"
    exit 1
}

# Starts a command from / in the background as $pid, its output in $workdir/log.
start() {
    (cd / && exec "$@") >"$workdir/log" 2>&1 &
    pid=$!
}

# The managed top-level windows of process $1 (wmctrl fails now and then while a window is being unmapped).
top_windows() {
    { wmctrl -lp 2>/dev/null || true; } | awk -v pid="$1" '$3 == pid {print $1}'
}

# Waits up to $2 seconds for process $1 to show a managed window, and prints the first one.
wait_top_window() {
    local window
    for _ in $(seq 1 $(($2 * 10))); do
        window=$(top_windows "$1" | sed -n 1p)
        [ -z "$window" ] || { echo "$window"; return 0; }
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for process $1 to end.
wait_gone() {
    for _ in $(seq 1 $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# NORMAL for a main window, DIALOG for a message box.
window_type() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE | sed -n 's/^[^=]*= _NET_WM_WINDOW_TYPE_\([A-Z]*\).*/\1/p'
}

# Answers the message box in window $1 with its default button, as a user pressing Return.
answer_box() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool key Return
}

# Closes window $1 through the window manager: the program must end within $2 seconds, with status 0.
close_cleanly() {
    wmctrl -i -c "$1"
    wait_gone "$pid" "$2" || fail "still running $2 s after its window was closed"
    wait "$pid" || fail "exit status $?"
    pid=
}
