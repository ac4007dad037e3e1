#!/usr/bin/env bash
# Installs what is missing, builds the x86_64 and i686 configurations, and
# runs every test under Wine, on an Xvfb display of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
jobs=$(nproc)
cmake --preset mingw64 >/dev/null
cmake --build build -j "$jobs"
cmake --preset mingw32 >/dev/null
cmake --build build-i686 -j "$jobs"

export WINEPREFIX=$root/build/wineprefix
# Wine's error messages only: none in a passing run, and the one trace left
# by a test program that Wine could not start or keep running.
export WINEDEBUG=-all,err+all
# A display of its own; it and the prefix's wineserver stop when the script ends.
source scripts/display.sh

# The prefix is made before the first test is discovered; a persistent
# wineserver makes each test process start in milliseconds.
mkdir -p "$WINEPREFIX"
wineserver -p
scripts/wine-run.sh "$WINEPREFIX" cmd /c exit 0

# The prefix's desktop is held for the whole run by a program that has no
# descriptor of the run: one that a test program started would keep that
# test's output open, and ctest would wait for it until the test's time-out.
ready=build/tests/desktop-ready
rm -f "$ready"
scripts/wine-run.sh "$WINEPREFIX" build/tests/desktop_keeper.exe "Z:$root/$ready" \
    </dev/null >/dev/null 2>&1 &
for _ in $(seq 300); do [ -f "$ready" ] && break; sleep 0.1; done
[ -f "$ready" ] || echo "test: the desktop was not ready after 30 s; going on" >&2

# The test display has no window manager: Wine is told not to hand the test
# programs' windows (and the programs' own, which tests start) to one, or it
# waits two seconds for an answer each time a window is hidden.
unmanaged=build/tests/unmanaged.reg
{
    echo REGEDIT4
    # The programs of the program folder, and the shell's notification area
    # (explorer): hiding its window when the last icon goes would wait as well.
    for program in build/tests/*.exe build/dist/*.exe explorer.exe; do
        printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\n"Managed"="N"\n' \
            "$(basename "$program")"
    done
    # A test program that crashes ends at once instead of waiting in Wine's
    # crash dialog until the test's time-out.
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n'
} > "$unmanaged"
scripts/wine-run.sh "$WINEPREFIX" regedit /S "$unmanaged"

ctest --test-dir build -j "$jobs" --output-on-failure "$@"
