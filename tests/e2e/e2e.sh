# The shared start of the end-to-end scripts, sourced first: the program under test (`program`, by default the
# first argument), a display to show it on (X11 with a window manager; a headless Weston when the script sets
# display=wayland, and scale, before sourcing; a virtual one is started when there is none), the window
# helpers of windows.sh, a scratch folder, and a cleanup that ends whatever the script started.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
e2e=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "${display:-x11}" = wayland ]; then
    [ -n "${WAYLAND_DISPLAY:-}" ] || exec "$e2e/../../scripts/with-weston.sh" --scale "${scale:-1}" bash "$0" "$@"
elif ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
    [ -z "${VIDUZIRIVO_OWN_DISPLAY:-}" ] || { echo "no window manager on the display that was started"; exit 1; }
    VIDUZIRIVO_OWN_DISPLAY=1 exec "$e2e/../../scripts/with-display.sh" bash "$0" "$@"
fi
source "$e2e/windows.sh"
program=${program:-$(readlink -f "$1")}
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

# Process $pid must end within $2 seconds, with status $1.
expect_exit() {
    wait_gone "$pid" "$2" || fail "still running $2 s later"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq "$1" ] || fail "exit status $status instead of $1"
}

# Closes window $1 through the window manager: the program must end within $2 seconds, with status 0.
close_cleanly() {
    wmctrl -i -c "$1"
    expect_exit 0 "$2"
}
