#!/usr/bin/env bash
# Checks the export table of each tresk.dll given as ARCH:PATH (x86_64 or i686): internal name LIB.dll,
# ordinal base 1, and the twelve undecorated names at their ordinals.
set -euo pipefail
expected="1 TrkSetMonitor
2 TrkGetStatus
3 TrkGetConfig
4 TrkSetConfig
5 TrkScan
6 TrkStopScan
7 TrkAllocRescueItems
8 TrkFreeRescueItems
9 TrkDeleteRescue
10 TrkRestoreRescue
20 TrkClean
21 TrkBackup"
status=0
for arg in "$@"; do
    objdump=${arg%%:*}-w64-mingw32-objdump
    dll=${arg#*:}
    if [ ! -f "$dll" ]; then
        echo "missing: $dll"; status=1; continue
    fi
    table=$($objdump -p "$dll")
    name=$(sed -n 's/^Name[[:space:]]*[0-9a-f]* //p' <<<"$table")
    base=$(sed -n 's/^Ordinal Base[[:space:]]*//p' <<<"$table")
    # "[   4] TrkScan" lists the zero-based index; the ordinal adds the base.
    actual=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" |
             sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\] \(.*\)$/\1 \2/p' |
             awk -v base="$base" '{ print $1 + base, $2 }' | sort -n)
    if [ "$name" != "LIB.dll" ] || [ "$base" != "1" ] || [ "$actual" != "$expected" ]; then
        echo "$dll: wrong export table (name '$name', base '$base'):"
        echo "$actual"
        status=1
    else
        echo "$dll: exports as expected"
    fi
done
exit $status
