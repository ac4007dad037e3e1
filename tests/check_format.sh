#!/usr/bin/env bash
# Checks that every C and C++ file of the project's own is as the formatter
# leaves it (clang-format with the root .clang-format, the one
# scripts/setup.sh installs) and names each file that is not, with the
# formatter's first complaints. Third-party and generated files live
# elsewhere (GoogleTest in /usr/src, everything built in build*/).
#   check_format.sh <source root>
# A file it names is fixed by: clang-format -i <file>
set -uo pipefail
root=${1:?usage: check_format.sh <source root>}
formatter=${CLANG_FORMAT:-clang-format}
if ! command -v "$formatter" >/dev/null 2>&1; then
    echo "check_format: no $formatter (scripts/setup.sh installs the Debian package clang-format)"
    exit 1
fi
cd "$root" || exit 1

folders=(core classlib widgets app defrag shared tests bench tools)
mapfile -t files < <(find "${folders[@]}" -type f \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \) | sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "check_format: no source files below $root"
    exit 1
fi

# One run over every file; each complaint begins "FILE:LINE:COLUMN: error:".
complaints=$(printf '%s\0' "${files[@]}" |
    xargs -0 "$formatter" --style=file --dry-run -Werror 2>&1)
status=$?
mapfile -t unformatted < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$complaints" |
    cut -d: -f1 | uniq)
if [ "$status" -ne 0 ] || [ ${#unformatted[@]} -ne 0 ]; then
    for file in "${unformatted[@]}"; do
        echo "not formatted: $file"
        grep -m 3 -F "$file:" <<<"$complaints" | sed 's/^/    /'
    done
    # A failure that named no file (the formatter itself failed) is shown whole.
    [ ${#unformatted[@]} -eq 0 ] && echo "$complaints"
    echo "${#unformatted[@]} of ${#files[@]} files differ from what" \
         "$($formatter --version | head -1) makes of them; clang-format -i FILE formats one"
    exit 1
fi
echo "all ${#files[@]} files formatted ($($formatter --version | head -1))"
