#!/usr/bin/env bash
# Holds the code outside tests/ and bench/ to a size a reader takes in: no
# function longer than 70 lines, no file longer than 700. Function lengths
# are pmccabe's (from the line of the function's name to its closing brace).
# A long table may stay when it is data, not logic: such functions are
# named below, each with what it holds.
#
# usage: tools/check_size.sh [REPOSITORY]
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2
command -v pmccabe >/dev/null || { echo "check_size.sh: pmccabe is not installed"; exit 2; }
max_function=70
max_file=700
# file:function of the tables allowed to be longer.
tables=()

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v -E '^(tests|bench)/')
else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print |
        sed 's|^\./||' | grep -v -E '^(tests|bench)/')
fi
status=0
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    lines=$(wc -l <"$file")
    if [ "$lines" -gt "$max_file" ]; then
        echo "$file: $lines lines (at most $max_file)"
        status=1
    fi
done
# pmccabe: complexity, complexity, statements, first line, lines, file(line): name
while read -r _ _ _ _ length where name; do
    file=${where%%(*}
    allowed=0
    for table in "${tables[@]}"; do
        [ "$table" = "$file:$name" ] && allowed=1
    done
    if [ "$length" -gt "$max_function" ] && [ "$allowed" -eq 0 ]; then
        echo "${where%:} $name: $length lines (at most $max_function)"
        status=1
    fi
done < <(pmccabe "${files[@]}" 2>/dev/null)
[ "$status" -eq 0 ] && echo "size: ${#files[@]} files, no function over $max_function lines, no file over $max_file"
exit "$status"
