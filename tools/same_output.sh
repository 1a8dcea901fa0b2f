#!/usr/bin/env bash
# Runs both programs of a build, and the generator, over a set of inputs and
# records everything they produce: the files written (as SHA-256 sums),
# standard output, standard error (the "Execution took" time masked) and
# the exit status of each run. Two records made from two builds are equal
# exactly when the builds behave the same on those inputs:
#
#   tools/same_output.sh BUILD_DIR RECORD_DIR [INPUT.xml...]
#   diff -r RECORD_A RECORD_B
#
# Without inputs it takes the shipped samples and every document under
# tests/data. Each input is converted, written back (plain and renumbered),
# matched against tests/data/maintenance/terms.txt (plain and by stems) and
# checked (text, tsv, json); consecutive inputs are compared with "diff".
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[[ $# -ge 2 ]] || { echo "usage: same_output.sh BUILD_DIR RECORD_DIR [INPUT.xml...]" >&2; exit 2; }
build=$(cd "$1" && pwd)
record=$2
shift 2
inputs=("$@")
if [[ ${#inputs[@]} -eq 0 ]]; then
    mapfile -t inputs < <(cd "$repo" && ls examples/*.xml && git ls-files 'tests/data/*.xml')
    inputs=("${inputs[@]/#/$repo/}")
fi
terms=$repo/tests/data/maintenance/terms.txt

mkdir -p "$record"
record=$(cd "$record" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME COMMAND...: runs in $work/run, beside input.xml (and old.xml,
# the input before, for "diff"), and records the status, both streams and
# the sums of the files the command wrote there.
run() {
    local name=$1
    shift
    rm -rf "$work/run" && mkdir "$work/run"
    cp "$work/input.xml" "$work/run/input.xml"
    [[ ! -f $work/old.xml ]] || cp "$work/old.xml" "$work/run/old.xml"
    local status=0
    (cd "$work/run" && "$@" >"$work/out" 2>"$work/err") || status=$?
    {
        echo "status $status"
        echo "--- stdout"
        cat "$work/out"
        echo "--- stderr"
        sed -E -e 's/^Execution took .* seconds$/Execution took T seconds/' -e 's/-ByRXK-[0-9]{6}\.owl/-ByRXK-STAMP.owl/' "$work/err"
        echo "--- files"
        (cd "$work/run" && find . -type f ! -name input.xml ! -name old.xml -print0 | sort -z |
            xargs -0 -r sha256sum | sed -E 's/-ByRXK-[0-9]{6}\.owl/-ByRXK-STAMP.owl/')
    } >"$record/$name"
}

i=0
for input in "${inputs[@]}"; do
    i=$((i + 1))
    base=$(printf '%03d-%s' "$i" "$(basename "$input" .xml)")
    echo "$base: $input" >&2
    cp "$input" "$work/input.xml"
    in=input.xml
    run "$base.convert" "$build/queltToOWL2" "$in" -n 'http://x.example.org/o#' -v 'V 1'
    run "$base.roundtrip" "$build/queltKbTool" roundtrip "$in" back.xml
    run "$base.renumber" "$build/queltKbTool" roundtrip "$in" back.xml --renumber
    run "$base.match" "$build/queltKbTool" match "$in" "$terms"
    run "$base.stems" "$build/queltKbTool" match "$in" "$terms" --stems
    for format in text tsv json; do
        run "$base.check-$format" "$build/queltKbTool" check "$in" --format "$format"
    done
    if [[ -f $work/old.xml ]]; then
        run "$base.diff" "$build/queltKbTool" diff old.xml "$in" cmp
    fi
    cp "$input" "$work/old.xml"
done
rm -f "$work/old.xml"
run gen-3000 "$build/gen_ontylog" --concepts 3000 --seed 7 --out gen.xml
run gen-faults "$build/gen_ontylog" --concepts 3000 --seed 7 --faults 0.05 --fault-log log.txt --out gen.xml
