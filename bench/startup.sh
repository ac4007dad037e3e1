#!/usr/bin/env bash
# Runs the start-up benchmark under Wine in the benchmarks' prefix
# (build/bench-wineprefix) on an Xvfb display of its own. The benchmark,
# the programs it starts and the prefix's wineserver are pinned to one CPU
# (BENCH_CPU, default the last one), as in bench/run.sh.
#
#   bench/startup.sh [--runs N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

program=build/bench/startup_bench.exe
if [ ! -f "$program" ] || [ ! -f build/dist/Holvane.exe ]; then
    cmake --preset mingw64 >/dev/null && cmake --build build -j8 --target startup_bench
fi

cpu=${BENCH_CPU:-$(( $(nproc) - 1 ))}
export WINEPREFIX=$root/build/bench-wineprefix
export WINEDEBUG=-all

# A display of its own; it and the prefix's wineserver stop when the script ends.
source scripts/display.sh

# Make the prefix (first run only), then hand it to a pinned server of ours.
scripts/wine-run.sh "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
taskset -c "$cpu" wineserver -p

# No window manager: the programs' windows are not handed to one.
unmanaged=build/bench/unmanaged.reg
{
    echo REGEDIT4
    for name in Holvane.exe bare_window.exe startup_bench.exe explorer.exe; do
        printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n"Managed"="N"\n' \
            "$name"
    done
} > "$unmanaged"
taskset -c "$cpu" scripts/wine-run.sh "$WINEPREFIX" regedit /S "$unmanaged"

taskset -c "$cpu" scripts/wine-run.sh "$WINEPREFIX" "$program" "$@"
