#!/usr/bin/env bash
# The real program under valgrind's memcheck for a few seconds of frames, then closed through the window
# manager: no invalid read or write anywhere, and no definite leak from our own code. The suppressions in
# valgrind.supp cover system libraries only, each with its reason.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
source "$here/../e2e/windows.sh"
command -v valgrind >/dev/null || { echo "skipped: valgrind is not installed"; exit 77; }

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
# Mesa's software rasteriser without its JIT: valgrind follows plain code much faster than generated code.
# Any invalid access or definite leak that the system-library suppressions do not cover fails the run.
GALLIUM_DRIVER=softpipe valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --error-exitcode=99 --child-silent-after-fork=yes --keep-debuginfo=yes \
    --suppressions="$here/valgrind.supp" --num-callers=30 --log-file="$workdir/memcheck.log" "$program" &
pid=$!
window=$(wait_top_window "$pid" 240) || { kill "$pid"; cat "$workdir/memcheck.log"; echo "no window"; exit 1; }
sleep 8
wmctrl -i -c "$window"
status=0
wait "$pid" || status=$?
grep -E "ERROR SUMMARY|definitely lost:|Invalid (read|write)" "$workdir/memcheck.log" || true
if [ "$status" -ne 0 ]; then
    grep -v -E "^==[0-9]+== *$" "$workdir/memcheck.log" | tail -120
    echo "memcheck found errors (exit status $status)"
    exit 1
fi
echo "memcheck clean"
