#!/usr/bin/env bash
# Running costs of the clock program against the floor program (the same window, surface and timer, drawing
# nothing), measured side by side in one run on one virtual display: time from process start to the first
# frame on screen, frames per second, CPU use (percent of one core, the program's own threads, and the X
# server's separately), and peak resident memory, at the design size, maximised and minimised. Then the
# clock's spin period, 451 frames per turn.
#
# Usage: bench/program_bench.sh [build-dir] [rounds] [seconds]
#   build-dir  a build with bin/viduzirivo, bin/floor_program and bench/libswapcounter.so
#              (default /tmp/build-bench)
#   rounds     launches of each program at each size; the table shows medians (default 5)
#   seconds    length of the measuring window after the window has settled (default 10)
# Starts its own virtual display (scripts/with-display.sh, 1920x1080) unless it is already on one that it
# started. Frames are seen through the swapcounter preload library; neither program is changed for this.
# Prints figures only; it judges nothing.
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-/tmp/build-bench}" && pwd)
rounds=${2:-5}
seconds=${3:-10}
screen=1920x1080

if [ -z "${PROGRAM_BENCH_DISPLAY:-}" ]; then
    export PROGRAM_BENCH_DISPLAY=1
    exec "$here/../scripts/with-display.sh" --size "$screen" "$0" "$build" "$rounds" "$seconds"
fi

clock=$build/bin/viduzirivo
floor=$build/bin/floor_program
shim=$build/bench/libswapcounter.so
for f in "$clock" "$floor" "$shim"; do
    [ -e "$f" ] || { echo "program_bench: missing $f (build first)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
settle=2 # seconds between the window reaching its size and the measuring window
# with-display.sh runs this script as its own child, beside the X server.
xserver=$(pgrep -P "$PPID" -x Xvfb | head -n1 || true)

now_us() { echo "${EPOCHREALTIME/./}"; }
# One value from the swap counter's file.
figure() { awk -v k="$2" '$1 == k { print $2 }' "$1" 2>/dev/null; }
# utime + stime of a process, all its threads, in clock ticks.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# The top-level window that the window manager keeps for a process.
window_of() { wmctrl -lp | awk -v p="$1" '$3 == p { print $1; exit }'; }

# measure NAME EXECUTABLE MODE ROUND: prints one result line
#   name mode round startup_ms fps cpu_pct xserver_cpu_pct vmhwm_mib client_size
measure() {
    local name=$1 exe=$2 mode=$3 round=$4
    local swaps=$work/$name-$mode-$round.swaps log=$work/$name-$mode-$round.log
    local launched pid wid first

    launched=$(now_us)
    (cd "$(dirname "$exe")" && SWAPCOUNTER_FILE=$swaps LD_PRELOAD=$shim exec "$exe") >"$log" 2>&1 &
    pid=$!

    for _ in $(seq 1 300); do
        [ -s "$swaps" ] && break
        sleep 0.05
    done
    if [ ! -s "$swaps" ]; then
        echo "program_bench: $name showed no frame within 15 s" >&2
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        echo "$name $mode $round NA NA NA NA NA NA"
        return
    fi
    first=$(figure "$swaps" first_swap_ns)

    wid=""
    for _ in $(seq 1 100); do
        wid=$(window_of "$pid")
        [ -n "$wid" ] && break
        sleep 0.05
    done
    if [ "$mode" = maximised ] && [ -n "$wid" ]; then
        wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz
    elif [ "$mode" = minimised ] && [ -n "$wid" ]; then
        xdotool windowminimize "$wid"
    fi
    sleep "$settle"
    local size
    size=$(xwininfo -id "$wid" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')

    local c0 x0 n0 l0 t0 c1 x1 n1 l1 t1
    c0=$(cpu_ticks "$pid")
    x0=$( [ -n "$xserver" ] && cpu_ticks "$xserver" || echo 0)
    n0=$(figure "$swaps" swaps)
    l0=$(figure "$swaps" last_swap_ns)
    t0=$(now_us)
    sleep "$seconds"
    c1=$(cpu_ticks "$pid")
    x1=$( [ -n "$xserver" ] && cpu_ticks "$xserver" || echo 0)
    n1=$(figure "$swaps" swaps)
    l1=$(figure "$swaps" last_swap_ns)
    t1=$(now_us)
    local hwm
    hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")

    # Close it as a user would; a program that does not go in time is ended.
    wmctrl -i -c "$wid" 2>/dev/null || true
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true

    awk -v name="$name" -v mode="$mode" -v round="$round" -v launched="$launched" -v first="$first" \
        -v n0="$n0" -v n1="$n1" -v l0="$l0" -v l1="$l1" -v c0="$c0" -v c1="$c1" -v x0="$x0" -v x1="$x1" \
        -v t0="$t0" -v t1="$t1" -v ticks="$ticks" -v hwm="$hwm" -v size="$size" -v xs="$xserver" 'BEGIN {
            wall = (t1 - t0) / 1e6
            startup = (first / 1e3 - launched) / 1e3
            fps = (l1 > l0) ? (n1 - n0) / ((l1 - l0) / 1e9) : 0
            cpu = 100 * (c1 - c0) / ticks / wall
            xcpu = xs == "" ? "NA" : sprintf("%.1f", 100 * (x1 - x0) / ticks / wall)
            printf "%s %s %s %.0f %.2f %.1f %s %.1f %s\n", name, mode, round, startup, fps, cpu, xcpu, hwm / 1024, size
        }'
}

results=$work/results
echo "program_bench: $rounds round(s), ${seconds} s windows, display $screen, $(nproc) cores" >&2
for round in $(seq 1 "$rounds"); do
    for mode in design maximised minimised; do
        for name in clock floor; do
            exe=$clock
            [ "$name" = floor ] && exe=$floor
            line=$(measure "$name" "$exe" "$mode" "$round")
            echo "  $line" >&2
            echo "$line" >>"$results"
        done
    done
done

echo
echo "Each run: name mode round startup_ms fps cpu% xserver_cpu% VmHWM_MiB client_WxH"
sed 's/^/  /' "$results"
echo
awk -v rounds="$rounds" '
    function median(key, col,    n, i, j, t, v) {
        n = 0
        for (i = 1; i <= count; i++) {
            if (keys[i] == key && vals[i, col] != "NA") { v[++n] = vals[i, col] + 0 }
        }
        if (n == 0) return "NA"
        for (i = 2; i <= n; i++) { t = v[i]; for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]; v[j + 1] = t }
        return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    function ratio(a, b) { return (a == "NA" || b == "NA" || b == 0) ? "NA" : sprintf("%.2f", a / b) }
    function fmt(x, f) { return x == "NA" ? "NA" : sprintf(f, x) }
    {
        count++; keys[count] = $1 " " $2; sizes[$1 " " $2] = $9
        for (c = 4; c <= 8; c++) vals[count, c] = $c
    }
    END {
        printf "Medians of %d round(s)\n", rounds
        printf "%-6s %-10s %-10s %10s %8s %8s %10s %10s %9s\n", "prog", "size", "client", "start ms", "fps", "cpu %", "X cpu %", "VmHWM MiB", "s/turn"
        split("design maximised minimised", modes, " ")
        for (m = 1; m <= 3; m++) {
            for (p = 1; p <= 2; p++) {
                name = p == 1 ? "clock" : "floor"; key = name " " modes[m]
                fps = median(key, 5)
                turn = (name == "clock" && fps != "NA" && fps > 0) ? sprintf("%.2f", 451 / fps) : "-"
                printf "%-6s %-10s %-10s %10s %8s %8s %10s %10s %9s\n", name, modes[m], sizes[key], fmt(median(key, 4), "%.0f"), \
                    fmt(fps, "%.2f"), fmt(median(key, 6), "%.1f"), fmt(median(key, 7), "%.1f"), fmt(median(key, 8), "%.1f"), turn
            }
        }
        print ""
        print "Ratios clock/floor (medians)"
        printf "%-10s %10s %8s %8s %10s %10s\n", "size", "start", "fps", "cpu", "X cpu", "VmHWM"
        for (m = 1; m <= 3; m++) {
            a = "clock " modes[m]; b = "floor " modes[m]
            printf "%-10s %10s %8s %8s %10s %10s\n", modes[m], ratio(median(a, 4), median(b, 4)), ratio(median(a, 5), median(b, 5)), \
                ratio(median(a, 6), median(b, 6)), ratio(median(a, 7), median(b, 7)), ratio(median(a, 8), median(b, 8))
        }
        fps = median("clock design", 5)
        if (fps != "NA" && fps > 0) printf "\nSpin period at the design size: 451 frames / %.2f frames/s = %.2f s per turn\n", fps, 451 / fps
    }' "$results"
