#!/usr/bin/env bash
# The real program under valgrind's memcheck for a few seconds of frames, then closed through the window
# manager: no invalid read or write anywhere, and no definite leak from our own code. The suppressions in
# valgrind.supp cover system libraries only, each with its reason.
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
command -v valgrind >/dev/null || { echo "skipped: valgrind is not installed"; exit 77; }

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
# Mesa's software rasteriser without its JIT: valgrind follows plain code much faster than generated code.
GALLIUM_DRIVER=softpipe valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --suppressions="$here/valgrind.supp" --num-callers=30 \
    --log-file="$workdir/memcheck.log" "$program" &
pid=$!
window=$(timeout 240 xdotool search --sync --onlyvisible --name '^Viduzirivo$' | head -n1 || true)
[ -n "$window" ] || { kill "$pid"; cat "$workdir/memcheck.log"; echo "the window did not appear"; exit 1; }
sleep 8
wmctrl -i -c "$window"
status=0
wait "$pid" || status=$?
grep -E "ERROR SUMMARY|definitely lost|Invalid (read|write)" "$workdir/memcheck.log" || true
if grep -qE "Invalid (read|write)" "$workdir/memcheck.log"; then
    grep -A25 -E "Invalid (read|write)" "$workdir/memcheck.log" | head -80
    echo "invalid memory access"
    exit 1
fi
# Definite leaks whose stacks pass through our own code.
if grep -A30 "definitely lost" "$workdir/memcheck.log" | grep -qE "(app|render|scene|platform)/[a-z_]+\.cpp"; then
    grep -A30 "definitely lost" "$workdir/memcheck.log" | head -120
    echo "a definite leak from our code"
    exit 1
fi
[ "$status" -eq 0 ] || { tail -40 "$workdir/memcheck.log"; echo "exit status $status"; exit 1; }
echo "memcheck clean"
