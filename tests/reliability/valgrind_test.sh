#!/usr/bin/env bash
# The real program under memcheck for a few seconds of frames, then closed through the window manager: no
# invalid access anywhere and no definite leak that valgrind.supp (system libraries only, each with its
# reason) does not cover.
source "$(dirname "$0")/../e2e/e2e.sh"
command -v valgrind >/dev/null || { echo "skipped: valgrind is not installed"; exit 77; }
# Mesa's software rasteriser without its JIT: valgrind follows plain code much faster than generated code.
export GALLIUM_DRIVER=softpipe
start valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --error-exitcode=99 --child-silent-after-fork=yes --keep-debuginfo=yes --num-callers=30 \
    --suppressions="$here/valgrind.supp" "$program"
window=$(wait_top_window "$pid" 240) || fail "no window"
sleep 8
close_cleanly "$window" 300 # memcheck ends it with status 99 where it found errors; the log shows them
grep "ERROR SUMMARY" "$workdir/log"
