#!/usr/bin/env bash
# Command-line tests of queltToOWL2: argument matrix, console lines and
# their streams, exit statuses, output file handling on failure, and real
# RDF/XML tools judging the output.
# usage: converter.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
repo=$(cd "$data/../.." && pwd)
prog="$build/queltToOWL2"
work=$(mktemp -d); trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
pass=0; fail=0
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
contains() { if grep -q -F -- "$3" <<<"$2"; then ok; else bad "$1: [$3] not in [$2]"; fi; }
absent() { if grep -q -F -- "$3" <<<"$2"; then bad "$1: [$3] unexpectedly in output"; else ok; fi; }

# run ARGS...: runs the converter in $work, sets out, err, status.
run() {
  ( cd "$work" && "$prog" "$@" >"$work/.out" 2>"$work/.err" ); status=$?
  out=$(cat "$work/.out"); err=$(cat "$work/.err")
}
stamp=$(date +%y%m%d)
usage_tail=$'\n\nUsage:\n\tqueltToOWL2 [-h|H] [-n "namespace"] [-v version] input-tde-file.xml\n\nwhere:\n\th or H show this message\n\tn flags a URI namespace, also used for the xml:base\n\tv flags version\n\nif v or n are not specified, default namespace and version are used.'

# --- usage runs ------------------------------------------------------------
for args in "" "-h" "-H" "-h in.xml" "in.xml -n NS -H"; do
  run $args
  expect "status of [$args]" "$status" 0
  expect "stdout of [$args]" "$out" ""
  expect "first line of [$args]" "$(head -n 1 <<<"$err")" "track: 060828"
  expect "usage of [$args]" "$(tail -n +3 <<<"$err")" "${usage_tail#$'\n'}"
  contains "version line of [$args]" "$(sed -n 2p <<<"$err")" "queltToOWL2 version compiled on "
done
ls "$work" | grep -q owl && bad "a usage run wrote a file" || ok

# --- wrong usage: arguments but no input file ------------------------------
for args in "-v" "-n NS" "-n NS -v 1.0"; do
  run $args
  expect "status of [$args]" "$status" 2
  expect "message of [$args]" "$(sed -n 2p <<<"$err")" "No input file given."
  contains "usage of [$args]" "$err" "if v or n are not specified"
done

# --- normal run on the sample ----------------------------------------------
cp "$repo/examples/cardio.xml" "$work/cardio.xml"
run cardio.xml
owl="cardio.xml-ByRXK-$stamp.owl"
expect "sample status" "$status" 0
expect "sample stdout" "$out" ""
expect "sample console lines" "$(sed -e 's/took .* seconds/took T seconds/' <<<"$err")" \
"track: 060828
Using namespace:  http://medvex.example.org/ftp1/Medvex/Medvex.owl#
Using version:  Medvex2 [Public Edition]
Reading file cardio.xml
Writing output OWL file $owl
Execution took T seconds"
[ -s "$work/$owl" ] && ok || bad "no output $owl"
expect "no temporary left" "$(ls "$work" | grep -c tmp)" 0
contains "header namespace" "$(sed -n 2p "$work/$owl")" $'\txmlns="http://medvex.example.org/ftp1/Medvex/Medvex.owl#"'
expect "last line" "$(tail -n 1 "$work/$owl")" "</rdf:RDF>"

# Options before or after the input file; the values are not the input.
for args in "cardio.xml -n http://x.test/o# -v 2.0" "-n http://x.test/o# -v 2.0 cardio.xml"; do
  rm -f "$work/$owl"
  run $args
  expect "status of [$args]" "$status" 0
  contains "namespace of [$args]" "$err" "Using namespace:  http://x.test/o#"
  contains "version of [$args]" "$err" "Using version:  2.0"
  contains "input of [$args]" "$err" "Reading file cardio.xml"
  contains "header of [$args]" "$(sed -n 3p "$work/$owl")" $'\txml:base="http://x.test/o#"'
  contains "version label of [$args]" "$(sed -n 11p "$work/$owl")" "<owl:versionInfo>2.0</owl:versionInfo>"
done

# --- judges: rapper and rdflib parse the sample's output --------------------
run cardio.xml
if command -v rapper >/dev/null; then
  rap=$(rapper -q -i rdfxml -o ntriples "$work/$owl" 2>"$work/.rap")
  expect "rapper complaints on sample" "$(cat "$work/.rap")" ""
  triples=$(grep -c . <<<"$rap")
  expect "sample triple count (rapper)" "$triples" "$(/usr/bin/python3 "$data/../cli/expected_triples.py" "$work/cardio.xml")"
  # rdflib keeps each distinct triple once.
  py=$(/usr/bin/python3 -c 'import rdflib,sys; g=rdflib.Graph(); g.parse(sys.argv[1], format="xml"); print(len(g))' "$work/$owl" 2>&1)
  expect "sample triple count (rdflib)" "$py" "$(sort -u <<<"$rap" | grep -c .)"
else
  bad "rapper is not installed"
fi
python3 "$data/../cli/readback.py" "$work/cardio.xml" "$work/$owl" \
  "http://medvex.example.org/ftp1/Medvex/Medvex.owl#" "Medvex2 [Public Edition]" >"$work/.rb" 2>&1 \
  && ok || bad "sample texts do not read back: $(head -n 5 "$work/.rb")"

# --- adversarial texts read back exactly ------------------------------------
cp "$data/cli/adversarial.xml" "$work/adv.xml"
ns='http://x.test/a&b"c<d>#'; ver='v <1> & "two" ]]> three'
run adv.xml -n "$ns" -v "$ver"
expect "adversarial status" "$status" 0
advowl="$work/adv.xml-ByRXK-$stamp.owl"
xmllint --noout "$advowl" 2>"$work/.xl" && ok || bad "adversarial output not well-formed: $(head -n 3 "$work/.xl")"
python3 "$data/../cli/readback.py" "$work/adv.xml" "$advowl" "$ns" "$ver" >"$work/.rb" 2>&1 \
  && ok || bad "adversarial texts do not read back: $(head -n 8 "$work/.rb")"
rap=$(rapper -q -i rdfxml -o ntriples "$advowl" 2>"$work/.rap")
expect "rapper complaints on adversarial output" "$(cat "$work/.rap")" ""
expect "adversarial triple count" "$(grep -c . <<<"$rap")" "$(/usr/bin/python3 "$data/../cli/expected_triples.py" "$work/adv.xml")"

# --- broken input: status 1, no output, an existing output untouched -------
head -c 3000 "$repo/examples/cardio.xml" >"$work/broken.xml"
echo keep >"$work/broken.xml-ByRXK-$stamp.owl"
run broken.xml
expect "truncated status" "$status" 1
contains "truncated message" "$out" "Fatal Error: "
contains "truncated line number" "$out" " at line: "
absent "truncated run writes nothing" "$err" "Writing output OWL file"
expect "existing output untouched" "$(cat "$work/broken.xml-ByRXK-$stamp.owl")" "keep"
run missing.xml
expect "missing input status" "$status" 1
contains "missing input message" "$out" "Fatal Error: "
expect "missing input writes nothing" "$(ls "$work" | grep -c '^missing')" 0
mkdir "$work/dir.xml"
run dir.xml
expect "directory input status" "$status" 1
: >"$work/empty.xml"
run empty.xml
expect "empty input status" "$status" 1

# --- output that cannot be written ------------------------------------------
# The target is a directory: the rename fails.
mkdir -p "$work/target/in.xml-ByRXK-$stamp.owl"
cp "$repo/examples/cardio.xml" "$work/target/in.xml"
run target/in.xml
expect "directory target status" "$status" 1
contains "directory target message" "$err" "ERROR: cannot write output file 'target/in.xml-ByRXK-$stamp.owl': "
expect "directory target leaves no temporary" "$(ls "$work/target" | wc -l)" 2
# A full disk, simulated by a file-size limit with SIGXFSZ ignored.
mkdir "$work/full"; cp "$repo/examples/cardio.xml" "$work/full/in.xml"
echo keep >"$work/full/in.xml-ByRXK-$stamp.owl"
( cd "$work" && trap '' XFSZ && ulimit -f 16 && exec "$prog" full/in.xml ) >"$work/.out" 2>"$work/.err"; status=$?
expect "full disk status" "$status" 1
contains "full disk message" "$(cat "$work/.err")" "ERROR: cannot write output file 'full/in.xml-ByRXK-$stamp.owl': File too large"
expect "full disk leaves the old output" "$(cat "$work/full/in.xml-ByRXK-$stamp.owl")" "keep"
expect "full disk leaves no temporary" "$(ls "$work/full" | wc -l)" 2
# A directory without write permission (as an unprivileged user when run as root).
mkdir "$work/ro"; cp "$repo/examples/cardio.xml" "$work/ro/in.xml"; chmod 555 "$work/ro"; chmod 755 "$work"
as=()
if [ "$(id -u)" -eq 0 ]; then as=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
( cd "$work" && "${as[@]}" "$prog" ro/in.xml ) >"$work/.out" 2>"$work/.err"; status=$?
expect "read-only directory status" "$status" 1
contains "read-only directory message" "$(cat "$work/.err")" "ERROR: cannot write output file 'ro/in.xml-ByRXK-$stamp.owl': Permission denied"
expect "read-only directory stays empty" "$(ls "$work/ro")" "in.xml"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
