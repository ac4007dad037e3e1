#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, making the
# prefix on first use. The build sets this script as its cross-compiling
# emulator:  wine-run.sh <prefix folder> program.exe [arguments...]
# A program that fails is named on standard error with the status it ended
# with, so that a test program that died without a word still says how.
set -euo pipefail
prefix=$1
shift
# Wine takes only an absolute prefix; a relative one (build/wineprefix, as
# the README writes it) is taken from the folder the launcher runs in.
[[ $prefix == /* ]] || prefix=$PWD/$prefix
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: nothing here needs them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

ready=$prefix/.holvane-ready
if [ ! -f "$ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$ready" ]; then
        wineboot -i >/dev/null 2>&1
        touch "$ready"
    fi
    flock -u 9
    exec 9>&-
fi

# Without address-space randomization: Wine (without its preloader here)
# claims fixed places of a new process's address space after the host has
# mapped things at random, and about one start in three thousand found the
# place of the shared user data taken ("failed to map the shared user data:
# c0000018") and ended before the program ran, without a word unless Wine's
# error messages are kept.
#
# Wine ends with the low byte of the program's exit code: 1 for failed
# tests, 3 for abort(), 5 for an access violation (0xC0000005), 0xFD for a
# stack overflow (0xC00000FD) and so on; above 128 it may also have been
# ended by a signal.
status=0
setarch "$(uname -m)" -R wine "$@" || status=$?
if [ "$status" -ne 0 ]; then
    signal=""
    [ "$status" -gt 128 ] && signal=" (or by signal $((status - 128)))"
    echo "wine-run: $* ended with exit status $status$signal" >&2
fi
exit "$status"
