#!/usr/bin/env bash
# Checks that every C++ file of the repository is formatted as the committed
# .clang-format says; prints the files that are not and exits with 1.
# Format them with:  clang-format -i FILE...
#
# usage: tools/check_format.sh [REPOSITORY]
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2
command -v clang-format >/dev/null || { echo "check_format.sh: clang-format is not installed"; exit 2; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
status=0
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "format: ${#files[@]} files as .clang-format says"
exit "$status"
