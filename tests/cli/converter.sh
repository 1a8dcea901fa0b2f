#!/usr/bin/env bash
# Command-line tests of queltToOWL2 runs that succeed: the usage text, the
# console lines of a conversion, options before and after the input, and
# whole conversions. Each golden pair of tests/data/golden (CASE.xml and
# the hand-checked CASE.owl, with CASE.err holding the writer's messages
# when it has any) must convert to exactly those bytes and lines; the
# output of every golden case but "identifiers" (whose invalid identifiers
# RDF parsers rightly refuse), of the shipped sample and of adversarial
# texts must also read back through rapper, rdflib and Python's own XML
# parser with every triple and text in place. Failures are in badinput.sh.
# usage: converter.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
repo=$(cd "$data/../.." && pwd)
prog="$build/queltToOWL2"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
pass=0; fail=0
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
contains() { if grep -q -F -- "$3" <<<"$2"; then ok; else bad "$1: [$3] not in [$2]"; fi; }

# run ARGS...: runs the converter in $work, sets out, err, status.
run() {
  ( cd "$work" && "$prog" "$@" >"$work/.out" 2>"$work/.err" ); status=$?
  out=$(cat "$work/.out"); err=$(cat "$work/.err")
}
stamp=$(date +%y%m%d)

# judge NAME INPUT OUTPUT NAMESPACE VERSION: rapper parses the output without
# a complaint into as many triples as the input calls for, rdflib into as
# many distinct ones, and every text of the input reads back.
judge() {
  local rap
  rap=$(rapper -q -i rdfxml -o ntriples "$3" 2>"$work/.rap")
  expect "$1: rapper complaints" "$(cat "$work/.rap")" ""
  expect "$1: triples" "$(grep -c . <<<"$rap")" "$(/usr/bin/python3 "$repo/tests/cli/expected_triples.py" "$2")"
  expect "$1: distinct triples (rdflib)" \
    "$(/usr/bin/python3 -c 'import rdflib,sys; g=rdflib.Graph(); g.parse(sys.argv[1], format="xml"); print(len(g))' "$3" 2>/dev/null)" \
    "$(sort -u <<<"$rap" | grep -c .)"
  /usr/bin/python3 "$repo/tests/cli/readback.py" "$2" "$3" "$4" "$5" >"$work/.rb" 2>&1 \
    && ok || bad "$1: texts do not read back: $(head -n 5 "$work/.rb")"
}

# --- usage runs --------------------------------------------------------------
usage_tail=$'Usage:\n\tqueltToOWL2 [-h|H] [-n "namespace"] [-v version] input-tde-file.xml\n\nwhere:\n\th or H show this message\n\tn flags a URI namespace, also used for the xml:base\n\tv flags version\n\nif v or n are not specified, default namespace and version are used.'
for args in "" "-H" "in.xml -n NS -h"; do
  run $args
  expect "status of [$args]" "$status" 0
  expect "stdout of [$args]" "$out" ""
  expect "first line of [$args]" "$(head -n 1 <<<"$err")" "track: 060828"
  contains "version line of [$args]" "$(sed -n 2p <<<"$err")" "queltToOWL2 version compiled on "
  expect "usage of [$args]" "$(tail -n +4 <<<"$err")" "$usage_tail"
done
expect "usage runs write nothing" "$(ls "$work")" ""

# --- the shipped sample --------------------------------------------------------
cp "$repo/examples/cardio.xml" "$work/cardio.xml"
owl="cardio.xml-ByRXK-$stamp.owl"
run cardio.xml
expect "sample status" "$status" 0
expect "sample stdout" "$out" ""
expect "sample console lines" "$(sed -e 's/took .* seconds/took T seconds/' <<<"$err")" \
"track: 060828
Using namespace:  http://medvex.example.org/ftp1/Medvex/Medvex.owl#
Using version:  Medvex2 [Public Edition]
Reading file cardio.xml
Writing output OWL file $owl
Execution took T seconds"
expect "sample files" "$(ls "$work")" "cardio.xml"$'\n'"$owl"
judge sample "$work/cardio.xml" "$work/$owl" "http://medvex.example.org/ftp1/Medvex/Medvex.owl#" \
  "Medvex2 [Public Edition]"

# Options before or after the input file; their values are not the input.
for args in "cardio.xml -n http://x.test/o# -v 2.0" "-n http://x.test/o# -v 2.0 cardio.xml"; do
  rm -f "$work/$owl"
  run $args
  expect "status of [$args]" "$status" 0
  contains "console of [$args]" "$err" $'Using namespace:  http://x.test/o#\nUsing version:  2.0\nReading file cardio.xml'
  expect "header of [$args]" "$(sed -n '2,3p;11p' "$work/$owl")" \
    $'\txmlns="http://x.test/o#"\n\txml:base="http://x.test/o#"\n<owl:versionInfo>2.0</owl:versionInfo>'
done

# --- golden pairs ----------------------------------------------------------------
ns='http://terms.example.org/ftp1/Medvex/Medvex.owl#'
for input in "$data"/golden/*.xml; do
  name=$(basename "$input" .xml)
  cp "$input" "$work/$name.xml"
  run "$name.xml" -n "$ns" -v "Test 1"
  expect "$name: status" "$status" 0
  expect "$name: stdout" "$out" ""
  expect "$name: messages" \
    "$(grep -v -E '^(track: |Using (namespace|version): |Reading file |Writing output OWL file |Execution took )' <<<"$err")" \
    "$(cat "$data/golden/$name.err" 2>/dev/null)"
  output="$work/$name.xml-ByRXK-$stamp.owl"
  cmp -s "$output" "$data/golden/$name.owl" && ok ||
    bad "$name: output differs from $name.owl: $(diff "$data/golden/$name.owl" "$output" | head -n 10)"
  [ "$name" = identifiers ] || judge "$name" "$input" "$output" "$ns" "Test 1"
done

# --- adversarial texts, namespace and version label --------------------------------
cp "$data/cli/adversarial.xml" "$work/adv.xml"
ns='http://x.test/a&b"c<d>#'; ver='v <1> & "two" ]]> three'
run adv.xml -n "$ns" -v "$ver"
expect "adversarial status" "$status" 0
judge adversarial "$work/adv.xml" "$work/adv.xml-ByRXK-$stamp.owl" "$ns" "$ver"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
