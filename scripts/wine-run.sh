#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, making the
# prefix on first use. The build sets this script as its cross-compiling
# emulator:  wine-run.sh <prefix folder> program.exe [arguments...]
set -euo pipefail
prefix=$1
shift
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

exec wine "$@"
