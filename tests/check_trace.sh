#!/usr/bin/env bash
# Runs one test of the trace probe through the test emulator and checks that
# its death left a trace: the test's start, what ended it, the exit status.
#   check_trace.sh <emulator> <probe.exe> <test name> <expected text>...
set -uo pipefail
emulator=$1
probe=$2
test=$3
shift 3
# Into a file, not a pipe: Wine's background processes, should this run
# start them, would keep a pipe open after the probe has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if "$emulator" "$probe" --gtest_filter="$test" >"$log" 2>&1; then
    echo "the probe's $test did not fail"
    exit 1
fi
for expected in "[ RUN      ] $test" "$@"; do
    if ! grep -qF -- "$expected" "$log"; then
        echo "missing from the output: $expected"
        cat "$log"
        exit 1
    fi
done
