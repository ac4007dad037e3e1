#!/usr/bin/env bash
# Builds the programs and starts Holvane.exe under Wine from the program
# folder build/dist, where it keeps its settings, language file and backups.
# The program takes no arguments.
set -euo pipefail
if [ $# -ne 0 ]; then
    echo "usage: scripts/run.sh   (Holvane.exe takes no arguments)" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset mingw64 >/dev/null
cmake --build build -j "$(nproc)"
exec scripts/wine-run.sh "$root/build/wineprefix" build/dist/Holvane.exe
