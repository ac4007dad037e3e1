#!/usr/bin/env bash
# Runs a test program under Wine with a limit on the size of every file it
# writes, so that a write runs out of room part-way, as on a full disk; the
# program finds the limit in HOLVANE_FILE_SIZE_LIMIT (bytes).
#   run_with_file_size_limit.sh PREFIX EMULATOR KIB PROGRAM [ARGUMENTS...]
# The wineserver keeps the registry and must not inherit the limit: one is
# started for the prefix first when none runs yet, and stopped again after.
set -euo pipefail
prefix=$1 emulator=$2 kib=$3
shift 3
export WINEPREFIX=$prefix
if [ ! -f "$prefix/.holvane-ready" ]; then
    echo "no Wine prefix at $prefix"
    exit 1
fi
started=0
status=0
wineserver -p || status=$?
case $status in
    0) started=1 ;;
    2) ;;  # one runs already
    *) echo "wineserver could not be started"; exit 1 ;;
esac
export HOLVANE_FILE_SIZE_LIMIT=$((kib * 1024))
status=0
# An ignored SIGXFSZ makes the write that crosses the limit fail instead.
bash -c 'trap "" XFSZ; ulimit -f "$1"; shift; exec "$@"' limit "$kib" "$emulator" "$@" || status=$?
if [ "$started" = 1 ]; then wineserver -k; fi
exit $status
