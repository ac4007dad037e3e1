#!/usr/bin/env bash
# Runs the scan benchmark (or, named first, the rescue benchmark) under Wine
# in a prefix of its own (build/bench-wineprefix), so the tests' prefix never
# sees their synthetic keys; each benchmark also removes them when it ends.
# The program (with the reg.exe it starts) and the prefix's wineserver are
# pinned to one CPU (BENCH_CPU, default the last one): registry calls between
# two CPUs are several times slower and noisy.
#
#   bench/run.sh [scan_bench arguments]     e.g. bench/run.sh --servers 20000
#   bench/run.sh rescue [rescue_bench arguments]   e.g. bench/run.sh rescue --keys 20000
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

program=build/bench/scan_bench.exe
if [ "${1:-}" = rescue ]; then
    program=build/bench/rescue_bench.exe
    shift
fi
[ -f "$program" ] || { cmake --preset mingw64 >/dev/null && cmake --build build -j8; }

cpu=${BENCH_CPU:-$(( $(nproc) - 1 ))}
export WINEPREFIX=$root/build/bench-wineprefix
export WINEDEBUG=-all
unset DISPLAY  # nothing here opens a window

# Make the prefix (first run only), then hand it to a pinned server of ours.
scripts/wine-run.sh "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
taskset -c "$cpu" wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

taskset -c "$cpu" scripts/wine-run.sh "$WINEPREFIX" "$program" "$@"
