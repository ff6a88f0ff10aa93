#!/usr/bin/env bash
# Frames drawn against frames shown on a Wayland compositor, for the clock and the floor program side by side:
# each runs alone on a fresh headless Weston (GL renderer, a 60 Hz output) while Weston's timeline records
# every commit of the program's drawing surface and every repaint that shows one. Prints, per program, mode
# and output scale, the medians over the rounds of: frames drawn and shown in the measuring window, the share
# shown, the median and 95th percentile of the intervals between shown frames, and the clock's turn time that
# follows (451 frames a turn). It judges nothing.
#
# Usage: bench/wayland_bench.sh [build-dir] [rounds] [seconds]
#   build-dir  a build with bin/viduzirivo and bin/floor_program (default /tmp/build-bench)
#   rounds     launches of each program in each mode and scale (default 3)
#   seconds    length of the measuring window, after 2 s to settle (default 10)
# Modes: design (the window as it opens) and maximised (the window given the whole 1024x768 output, in the
# output's own pixels at either scale, with Qt's -qwindowgeometry: Weston's headless output has no input with
# which to maximise it); output scales 1 and 2.
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-/tmp/build-bench}" && pwd)
rounds=${2:-3}
seconds=${3:-10}
settle=2
for f in "$build/bin/viduzirivo" "$build/bin/floor_program"; do
    [ -x "$f" ] || { echo "wayland_bench: missing $f (build first)" >&2; exit 1; }
done

# measure PROGRAM TITLE [QT_ARGUMENTS...]: runs inside with-weston.sh; prints the figures of frames-shown.py.
measure() {
    local timeline=$XDG_RUNTIME_DIR/timeline.json
    weston-debug timeline >"$timeline" 2>/dev/null &
    local debug=$!
    sleep 0.5
    (cd "$(dirname "$1")" && exec "$1" "${@:3}") >/dev/null 2>&1 &
    local program=$!
    sleep $((settle + seconds + 1))
    kill "$program" "$debug" 2>/dev/null || true
    wait "$program" "$debug" 2>/dev/null || true
    "$here/../scripts/frames-shown.py" "$timeline" "$2" "$settle" "$seconds"
}
export -f measure
export here settle seconds

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-6s %-10s %-5s %7s %7s %6s %10s %8s %8s\n' program mode scale drawn shown shown% median_ms p95_ms turn_s
for scale in 1 2; do
    for mode in design maximised; do
        # The title bar that Qt draws on Weston is 30 pixels high.
        geometry=()
        [ "$mode" = maximised ] && geometry=(-qwindowgeometry 1024x738)
        for name in clock floor; do
            exe=$build/bin/viduzirivo title=Viduzirivo
            [ "$name" = floor ] && exe=$build/bin/floor_program title="Viduzirivo floor"
            results=$(for _ in $(seq 1 "$rounds"); do
                "$here/../scripts/with-weston.sh" --scale "$scale" bash -c 'measure "$@"' _ "$exe" "$title" "${geometry[@]}"
            done)
            figure() { awk -v k="$1" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' <<<"$results" | median; }
            drawn=$(figure drawn) shown=$(figure shown)
            printf '%-6s %-10s %-5s %7s %7s %6.1f %10s %8s %8.1f\n' "$name" "$mode" "$scale" "$drawn" "$shown" \
                "$(bc -l <<<"100 * $shown / $drawn")" "$(figure median_ms)" "$(figure p95_ms)" \
                "$(bc -l <<<"451 * $seconds / $drawn")"
        done
    done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
