#!/usr/bin/env bash
# The comparison of two versions against one read of the larger file.
#
#   bench/changes.sh [BUILD_DIR] OLD.xml NEW.xml    (default: <repo>/build-bench)
#
# Times `queltKbTool changes OLD NEW --format json -o X` and `queltKbTool
# diff OLD NEW P` against `read_kb` of the larger of the two files (a read
# into a knowledge base and nothing more), in turn: read, changes, read,
# diff, ..., so that each run of a command is paired with the read just
# before it. Prints the medians of the paired ratios of wall time, CPU time
# (user + system) and peak memory (/usr/bin/time -v).
#
# The usual pair: OLD is `gen_ontylog --concepts 200000 --seed 1`, NEW a copy
# of it with about 5 % of its concepts changed.
#
# Environment:
#   QUELT_BENCH_RUNS   timed runs of each program, >= 3   (5)

set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
die() {
    echo "changes.sh: $*" >&2
    exit 1
}
(($# == 2 || $# == 3)) || die "usage: bench/changes.sh [BUILD_DIR] OLD.xml NEW.xml"
build=$repo/build-bench
(($# == 3)) && build=$1 && shift
old=$1 new=$2
runs=${QUELT_BENCH_RUNS:-5}
[[ $runs =~ ^[0-9]+$ && $runs -ge 3 ]] || die "QUELT_BENCH_RUNS must be a number of at least 3"
[[ -x /usr/bin/time ]] || die "/usr/bin/time (GNU time) is needed for the memory figures"
[[ -f $old && -f $new ]] || die "no such files: $old, $new"

source "$repo/bench/common.sh"
configure_release "$build"
echo "Building read_kb and queltKbTool in $build" >&2
cmake --build "$build" -j2 --target read_kb queltKbTool >/dev/null || die "build failed"

larger=$old
(($(stat -c %s "$new") > $(stat -c %s "$old"))) && larger=$new
scratch=$(mktemp -d)
trap 'rm -rf "$scratch" "$timefile"' EXIT

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

declare -A ratios
commands=(changes diff)
run_command() {
    case $1 in
        changes) measure "$build/queltKbTool" changes "$old" "$new" --format json -o "$scratch/report.jsonl" ;;
        diff) measure "$build/queltKbTool" diff "$old" "$new" "$scratch/cmp" ;;
    esac || die "the $1 command failed"
}

echo "Machine: $(nproc) cores; load average before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
measure "$build/read_kb" "$larger" || die "read_kb failed" # warms the page cache
reads=()
for ((r = 1; r <= runs; r++)); do
    for command in "${commands[@]}"; do
        echo "  run $r of $runs: read, $command" >&2
        measure "$build/read_kb" "$larger" || die "read_kb failed"
        read_wall=$wall read_cpu=$cpu read_rss=$rss
        reads+=("$wall")
        run_command "$command"
        ratios[$command,wall]+=" $(ratio "$wall" "$read_wall")"
        ratios[$command,cpu]+=" $(ratio "$cpu" "$read_cpu")"
        ratios[$command,rss]+=" $(ratio "$rss" "$read_rss")"
        ratios[$command,s]+=" $wall"
        ratios[$command,mb]+=" $((rss / 1024))"
    done
done
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

echo
echo "One read of $(basename "$larger") ($(awk -v b="$(stat -c %s "$larger")" 'BEGIN { printf "%.1f", b / 1e6 }') MB):" \
    "median $(median "${reads[@]}") s, $((read_rss / 1024)) MiB at its peak (last run)"
echo "Medians of $runs paired runs (the command over the read just before it):"
printf '%-8s %9s %9s %9s %9s %9s\n' command "wall s" "wall/rd" "cpu/rd" "peak MiB" "peak/rd"
for command in "${commands[@]}"; do
    # shellcheck disable=SC2086
    printf '%-8s %9s %9s %9s %9s %9s\n' "$command" "$(median ${ratios[$command,s]})" \
        "$(median ${ratios[$command,wall]})" "$(median ${ratios[$command,cpu]})" \
        "$(median ${ratios[$command,mb]})" "$(median ${ratios[$command,rss]})"
done
