#!/usr/bin/env bash
# Runs a benchmark under Wine in a prefix of its own (build/bench-wineprefix),
# so the tests' prefix never sees their synthetic keys; each benchmark also
# removes them when it ends. The program (with the reg.exe it starts) and the
# prefix's wineserver are pinned to one CPU (BENCH_CPU, default the last one):
# registry calls between two CPUs are several times slower and noisy. The
# scan through the main window gets an Xvfb display of its own.
#
#   bench/run.sh [scan_bench arguments]     e.g. bench/run.sh --servers 20000
#   bench/run.sh rescue [rescue_bench arguments]   e.g. bench/run.sh rescue --keys 20000
#   bench/run.sh window_scan_bench [its arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

name=scan_bench
case "${1:-}" in
    rescue) name=rescue_bench; shift ;;
    window_scan_bench) name=window_scan_bench; shift ;;
esac
program=build/bench/$name.exe
[ -f "$program" ] || { cmake --preset mingw64 >/dev/null && cmake --build build -j8; }

cpu=${BENCH_CPU:-$(( $(nproc) - 1 ))}
export WINEPREFIX=$root/build/bench-wineprefix
export WINEDEBUG=-all
if [ "$name" = window_scan_bench ]; then
    # A display of its own; it and the prefix's wineserver stop when the script ends.
    source scripts/display.sh
else
    unset DISPLAY  # nothing else here opens a window
    trap 'wineserver -k 2>/dev/null || true' EXIT
fi

# Make the prefix (first run only), then hand it to a pinned server of ours.
scripts/wine-run.sh "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
taskset -c "$cpu" wineserver -p

taskset -c "$cpu" scripts/wine-run.sh "$WINEPREFIX" "$program" "$@"
