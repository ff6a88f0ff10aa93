#!/usr/bin/env bash
# Running costs of the clock program against the floor program (the clock's window and controls, the same
# surface, timer and swap, drawing one lit, textured triangle a tick), measured side by side in one run on one
# virtual display: time from process start to the first frame on screen, frames per second, CPU use (percent
# of one core, the program's own threads, and the X server's separately), and peak resident memory, in each
# window mode asked for. Then the clock's turn time in each mode: the spin advances a fixed step a frame, 451
# frames per turn.
#
# Usage: bench/program_bench.sh [--screen WxH] [--modes "MODE ..."] [build-dir] [rounds] [seconds]
#   --screen   size of the virtual display (default 1920x1080)
#   --modes    window modes, each measured for both programs (default "design maximised minimised"):
#              design (the window as it opens), maximised, fullscreen, minimised, or WxH (the window's inner
#              size set to W x H pixels; the display must be larger)
#   build-dir  a build with bin/viduzirivo, bin/floor_program and bench/libswapcounter.so
#              (default /tmp/build-bench)
#   rounds     launches of each program in each mode; the tables show medians (default 5)
#   seconds    length of the measuring window after the window has settled (default 10)
# Starts its own virtual display (scripts/with-display.sh) unless it is already on one that it started. Frames
# are seen through the swapcounter preload library; neither program is changed for this. The two programs
# take turns, launch by launch, so that a change in the machine's load falls on both. Prints figures and the
# load average before and after; it judges nothing.
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
arguments=("$@")
screen=1920x1080
modes="design maximised minimised"
while [ $# -gt 0 ]; do
    case $1 in
    --screen) screen=$2; shift 2 ;;
    --modes) modes=$2; shift 2 ;;
    *) break ;;
    esac
done
for mode in $modes; do
    [[ $mode =~ ^(design|maximised|fullscreen|minimised|[1-9][0-9]*x[1-9][0-9]*)$ ]] ||
        { echo "program_bench: unknown mode $mode" >&2; exit 2; }
done
build=$(cd "${1:-/tmp/build-bench}" && pwd)
rounds=${2:-5}
seconds=${3:-10}

if [ -z "${PROGRAM_BENCH_DISPLAY:-}" ]; then
    export PROGRAM_BENCH_DISPLAY=1
    exec "$here/../scripts/with-display.sh" --size "$screen" "$0" "${arguments[@]}"
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
#   name mode round startup_ms startup_cpu_ms fps cpu_pct xserver_cpu_pct vmhwm_mib client_size
measure() {
    local name=$1 exe=$2 mode=$3 round=$4
    local swaps=$work/$name-$mode-$round.swaps log=$work/$name-$mode-$round.log
    local launched pid wid first first_cpu

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
        echo "$name $mode $round NA NA NA NA NA NA NA"
        return
    fi
    first=$(figure "$swaps" first_swap_ns)
    first_cpu=$(figure "$swaps" first_swap_cpu_ns)

    wid=""
    for _ in $(seq 1 100); do
        wid=$(window_of "$pid")
        [ -n "$wid" ] && break
        sleep 0.05
    done
    if [ -n "$wid" ]; then
        case $mode in
        maximised) wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz ;;
        fullscreen) wmctrl -i -r "$wid" -b add,fullscreen ;;
        minimised) xdotool windowminimize "$wid" ;;
        *x*) wmctrl -i -r "$wid" -e "0,0,0,${mode%x*},${mode#*x}" ;;
        esac
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
        -v first_cpu="$first_cpu" -v n0="$n0" -v n1="$n1" -v l0="$l0" -v l1="$l1" -v c0="$c0" -v c1="$c1" \
        -v x0="$x0" -v x1="$x1" -v t0="$t0" -v t1="$t1" -v ticks="$ticks" -v hwm="$hwm" -v size="$size" \
        -v xs="$xserver" 'BEGIN {
            wall = (t1 - t0) / 1e6
            startup = (first / 1e3 - launched) / 1e3
            fps = (l1 > l0) ? (n1 - n0) / ((l1 - l0) / 1e9) : 0
            cpu = 100 * (c1 - c0) / ticks / wall
            xcpu = xs == "" ? "NA" : sprintf("%.1f", 100 * (x1 - x0) / ticks / wall)
            printf "%s %s %s %.0f %.0f %.2f %.1f %s %.1f %s\n", name, mode, round, startup, first_cpu / 1e6, fps, \
                cpu, xcpu, hwm / 1024, size
        }'
}

# One launch of each program up to its first frame, not measured. On a software renderer the first start
# after an install, an upgrade of Mesa or a cleared cache compiles the drawing pipelines, and Mesa keeps
# them in its shader cache for the starts that follow; the figures are those of the starts that follow.
warm_up() {
    local swaps=$work/warm-up.swaps pid
    (cd "$(dirname "$1")" && SWAPCOUNTER_FILE=$swaps LD_PRELOAD=$shim exec "$1") >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 300); do
        [ -s "$swaps" ] && break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -f "$swaps"
}
warm_up "$clock"
warm_up "$floor"

results=$work/results
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "program_bench: $rounds round(s), ${seconds} s windows, display $screen, $(nproc) cores," \
    "load average $load_before" >&2
for round in $(seq 1 "$rounds"); do
    # Which program goes first alternates from round to round.
    order="clock floor"
    [ $((round % 2)) -eq 0 ] && order="floor clock"
    for mode in $modes; do
        for name in $order; do
            exe=$clock
            [ "$name" = floor ] && exe=$floor
            line=$(measure "$name" "$exe" "$mode" "$round")
            echo "  $line" >&2
            echo "$line" >>"$results"
        done
    done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "Display $screen, $(nproc) cores; load average (1, 5, 15 min) $load_before before, $load_after after"
echo "Each run: name mode round startup_ms startup_cpu_ms fps cpu% xserver_cpu% VmHWM_MiB client_WxH"
sed 's/^/  /' "$results"
echo
awk -v rounds="$rounds" -v modes="$modes" '
    # The sorted values of one column for one program and mode, in v[1..n]; returns n.
    function sorted(key, col, v,    n, i, j, t) {
        n = 0
        for (i = 1; i <= count; i++) {
            if (keys[i] == key && vals[i, col] != "NA") { v[++n] = vals[i, col] + 0 }
        }
        for (i = 2; i <= n; i++) {
            t = v[i]
            for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]
            v[j + 1] = t
        }
        return n
    }
    function median(key, col,    n, v) {
        n = sorted(key, col, v)
        if (n == 0) return "NA"
        return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    function range(key, col,    n, v) {
        n = sorted(key, col, v)
        return n == 0 ? "NA" : sprintf("%.0f-%.0f", v[1], v[n])
    }
    function ratio(a, b) { return (a == "NA" || b == "NA" || b == 0) ? "NA" : sprintf("%.2f", a / b) }
    function fmt(x, f) { return x == "NA" ? "NA" : sprintf(f, x) }
    {
        # Every launch opens at the design size and has shown its first frame before the mode is set, so the
        # start-up figures of all modes are pooled as well, under the program'"'"'s name alone.
        count++; keys[count] = $1 " " $2; sizes[$1 " " $2] = $10
        for (c = 4; c <= 9; c++) vals[count, c] = $c
        count++; keys[count] = $1
        for (c = 4; c <= 5; c++) vals[count, c] = $c
    }
    END {
        n = split(modes, mode, " ")
        printf "Medians of %d round(s); start-up also as lowest-highest, and as CPU time of the process\n", rounds
        printf "%-6s %-10s %-10s %8s %11s %9s %7s %7s %8s %10s %7s\n", "prog", "mode", "client", "start ms", \
            "start range", "start cpu", "fps", "cpu %", "X cpu %", "VmHWM MiB", "s/turn"
        for (m = 1; m <= n; m++) {
            for (p = 1; p <= 2; p++) {
                name = p == 1 ? "clock" : "floor"; key = name " " mode[m]
                fps = median(key, 6)
                turn = (name == "clock" && fps != "NA" && fps > 0) ? sprintf("%.2f", 451 / fps) : "-"
                printf "%-6s %-10s %-10s %8s %11s %9s %7s %7s %8s %10s %7s\n", name, mode[m], sizes[key], \
                    fmt(median(key, 4), "%.0f"), range(key, 4), fmt(median(key, 5), "%.0f"), fmt(fps, "%.2f"), \
                    fmt(median(key, 7), "%.1f"), fmt(median(key, 8), "%.1f"), fmt(median(key, 9), "%.1f"), turn
            }
        }
        print ""
        printf "Start-up at the design size, all %d launches of each: clock %s ms (%s), floor %s ms (%s), ratio %s;\n", \
            n * rounds, fmt(median("clock", 4), "%.0f"), range("clock", 4), fmt(median("floor", 4), "%.0f"), \
            range("floor", 4), ratio(median("clock", 4), median("floor", 4))
        printf "  CPU time to the first frame: clock %s ms, floor %s ms, ratio %s\n", fmt(median("clock", 5), "%.0f"), \
            fmt(median("floor", 5), "%.0f"), ratio(median("clock", 5), median("floor", 5))
        print ""
        print "Ratios clock/floor (medians)"
        printf "%-10s %8s %9s %7s %7s %8s %10s\n", "mode", "start", "start cpu", "fps", "cpu", "X cpu", "VmHWM"
        for (m = 1; m <= n; m++) {
            a = "clock " mode[m]; b = "floor " mode[m]
            printf "%-10s %8s %9s %7s %7s %8s %10s\n", mode[m], ratio(median(a, 4), median(b, 4)), \
                ratio(median(a, 5), median(b, 5)), ratio(median(a, 6), median(b, 6)), \
                ratio(median(a, 7), median(b, 7)), ratio(median(a, 8), median(b, 8)), ratio(median(a, 9), median(b, 9))
        }
    }' "$results"
