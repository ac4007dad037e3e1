#!/usr/bin/env bash
# Checks the help file:  check_help.sh HELP_FILE PROJECT_FILE LANGUAGE_DEFAULTS
# The built help file must hold the pages the program opens by name, the project must compile
# without warnings (a warning is a missing file or a link to a page that is not there), and the
# overview page must name every button and help-menu item of the main window by the built-in
# text the window shows (the BUTTON and HELP texts of the language defaults).
set -euo pipefail
chm=$1
project=$2
defaults=$3
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

overview="$(dirname "$project")/The user interface (Overview).htm"
captions=$(grep -oE '"IDS_MAINWND_(BUTTON|HELP)_[A-Za-z_]+", "[^"]+"' "$defaults" |
           sed -E 's/^"[^"]+", "(.*)"$/\1/' | sort -u)
if [ -z "$captions" ]; then
    echo "$defaults: no button texts found"
    status=1
fi
while IFS= read -r caption; do
    [ -n "$caption" ] || continue
    if ! grep -qF "$caption" "$overview"; then
        echo "$overview: does not name the button '$caption'"
        status=1
    fi
done <<<"$captions"

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
[ $status != 0 ] || echo "$chm: holds ${pages[*]}; the project compiles cleanly; the overview names every button"
exit $status
