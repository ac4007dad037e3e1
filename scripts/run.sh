#!/usr/bin/env bash
# Builds the program and starts it under Wine from the program folder.
# Arguments are passed on to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset mingw64 >/dev/null
cmake --build build -j "$(nproc)"
program=build/tools/trkcall.exe
[ -f build/dist/Holvane.exe ] && program=build/dist/Holvane.exe
# Until the main program exists, the small caller scans every category.
if [ "$program" = build/tools/trkcall.exe ] && [ $# -eq 0 ]; then set -- invalid all; fi
exec scripts/wine-run.sh "$root/build/wineprefix" "$program" "$@"
