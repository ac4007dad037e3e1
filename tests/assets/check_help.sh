#!/usr/bin/env bash
# Checks the help file:  check_help.sh HELP_FILE PROJECT_FILE
# The built help file must hold the pages the program opens by name, and the project must
# compile without warnings (a warning is a missing file or a link to a page that is not there).
set -euo pipefail
chm=$1
project=$2
status=0
pages=("Introduction.htm" "The user interface (Overview).htm")

if [ ! -s "$chm" ]; then
    echo "missing: $chm"
    exit 1
fi
listing=$(chmls -n list "$chm" 2>/dev/null)
for page in "${pages[@]}"; do
    if ! grep -qxF "/$page" <<<"$listing"; then
        echo "$chm: no page '$page'"
        status=1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
warnings=$(
    cd "$work" || exit 1
    chmcmd "$project" 2>/dev/null | grep -i 'warning' || true
)
if [ -n "$warnings" ]; then
    echo "$project compiles with warnings:"
    echo "$warnings"
    status=1
fi
[ $status != 0 ] || echo "$chm: holds ${pages[*]}; the project compiles cleanly"
exit $status
