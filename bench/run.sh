#!/usr/bin/env bash
# Runs a scan benchmark under Wine in a prefix of its own
# (build/bench-wineprefix), so the tests' prefix never sees its synthetic
# keys; the benchmarks also remove them when they end. The program and the
# prefix's wineserver are pinned to one CPU (BENCH_CPU, default the last
# one): registry calls between two CPUs are several times slower and noisy.
# The scan through the main window gets an Xvfb display of its own.
#
#   bench/run.sh [scan_bench arguments]     e.g. bench/run.sh --servers 20000
#   bench/run.sh window_scan_bench [its arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

name=scan_bench
if [ "${1:-}" = window_scan_bench ]; then
    name=$1
    shift
fi
program=build/bench/$name.exe
[ -f "$program" ] || { cmake --preset mingw64 >/dev/null && cmake --build build -j8; }

cpu=${BENCH_CPU:-$(( $(nproc) - 1 ))}
export WINEPREFIX=$root/build/bench-wineprefix
export WINEDEBUG=-all
unset DISPLAY
xvfb_pid=""
if [ "$name" = window_scan_bench ]; then
    display=$(( 100 + $$ % 400 ))
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$(( display + 1 ))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    export DISPLAY=:$display
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# Make the prefix (first run only), then hand it to a pinned server of ours.
scripts/wine-run.sh "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
taskset -c "$cpu" wineserver -p
trap cleanup EXIT

taskset -c "$cpu" scripts/wine-run.sh "$WINEPREFIX" "$program" "$@"
