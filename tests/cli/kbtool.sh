#!/usr/bin/env bash
# Command-line tests of queltKbTool: usage texts and wrong usage, the four
# commands against hand-checked outputs, and every failure path (missing,
# directory and broken inputs, outputs that cannot be written) with its
# exit status, console lines and the files it leaves.
# usage: kbtool.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
repo=$(cd "$data/../.." && pwd)
prog="$build/queltKbTool"
m="$data/maintenance"
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
pass=0; fail=0
expect() {
  if [ "$2" = "$3" ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1: got [$2], want [$3]"; fi
}
contains() { if grep -q -F -- "$3" <<<"$2"; then expect "$1" x x; else expect "$1" "$2" "... $3 ..."; fi; }
same_file() { if cmp -s "$2" "$3"; then expect "$1" x x; else expect "$1" "$2" "$3"; fi; }
well_formed() {
  command -v xmllint >/dev/null || return 0
  xmllint --noout "$2" 2>/dev/null; expect "$1 well-formed" $? 0
}
# Lists the files in $work, hidden ones too, except the captured streams.
files() { (cd "$work" && ls -A | grep -v -x -e .out -e .err | sort | tr '\n' ' '); }
# run ARGS...: runs the tool in $work; sets out, err, status.
run() {
  ( cd "$work" && "$prog" "$@" >"$work/.out" 2>"$work/.err" ); status=$?
  out=$(cat "$work/.out"); err=$(cat "$work/.err")
}
# ran LABEL STATUS [STDOUT [STDERR]]: checks the last run.
ran() {
  expect "$1: status" "$status" "$2"
  if [ $# -ge 3 ]; then expect "$1: stdout" "$out" "$3"; fi
  if [ $# -ge 4 ]; then expect "$1: stderr" "$err" "$4"; fi
}
# fails LABEL MESSAGE ARGS...: the tool run with ARGS fails with status 1,
# nothing on standard output and MESSAGE among its lines on standard error.
fails() {
  local label=$1 message=$2; shift 2
  run "$@"; ran "$label" 1 ""; contains "$label" "$err" "$message"
}
track=$'track: 060828'
ru="Usage: queltKbTool roundtrip IN.xml OUT.xml [--renumber]"
mu="Usage: queltKbTool match KB.xml TERMS.txt [--stems]"
du="Usage: queltKbTool diff OLD.xml NEW.xml PREFIX"
cu="Usage: queltKbTool check KB.xml [--format text|tsv|json]"
if [ ! -x "$prog" ]; then echo "FAIL: $prog not built"; echo "0 passed, 1 failed"; exit 1; fi

# --- usage and wrong usage ----------------------------------------------------
run; ran "no arguments" 2 ""
overview=$err
expect "no arguments: usage" "$(head -n 1 <<<"$err")" "Usage: queltKbTool COMMAND ARGUMENT..."
for args in "-h" "--help" "help"; do run $args; ran "[$args]" 0 "$overview" ""; done
for text in "roundtrip IN.xml OUT.xml [--renumber]" "match KB.xml TERMS.txt [--stems]" \
    "diff OLD.xml NEW.xml PREFIX" "check KB.xml [--format text|tsv|json]" \
    "Exit status: 0 done, 1 an input could not be read"; do
  contains "overview" "$overview" "$text"
done
for args in "roundtrip -h" "match --help" "diff a.xml -h" "match --stems --renumber -h" \
    "check -h" "check --format json --help"; do
  run $args; ran "[$args]" 0
  case $args in roundtrip*) line=$ru ;; match*) line=$mu ;; diff*) line=$du ;; check*) line=$cu ;; esac
  expect "[$args] usage line" "$(head -n 1 <<<"$out")" "$line"
  contains "[$args] exit statuses" "$out" "Exit status: 0"
done
run match -h
for verdict in "0  one-to-one" "-1  one-to-many" "1  many-to-one" "4  partial" "5  none"; do
  contains "match usage" "$out" "$verdict"
done
wrong() { # wrong MESSAGE USAGE-LINE ARGS...
  local want=$1 usage=$2; shift 2
  run "$@"; ran "[$*]" 2 ""
  expect "[$*] message and usage" "$(head -n 2 <<<"$err")" "$want"$'\n'"$usage"
}
wrong 'queltKbTool: unknown command "frobnicate"' "Usage: queltKbTool COMMAND ARGUMENT..." frobnicate a b
wrong 'queltKbTool: unknown command "-x"' "Usage: queltKbTool COMMAND ARGUMENT..." -x
wrong "queltKbTool: missing arguments" "$ru" roundtrip in.xml --renumber
wrong 'queltKbTool: too many arguments ("c.xml")' "$ru" roundtrip a.xml b.xml c.xml
wrong 'queltKbTool: unknown option "--stems"' "$ru" roundtrip a.xml b.xml --stems
wrong 'queltKbTool: unknown option "-r"' "$ru" roundtrip a.xml b.xml -r
wrong "queltKbTool: missing arguments" "$mu" match kb.xml
wrong 'queltKbTool: unknown option "--renumber"' "$mu" match kb.xml t.txt --renumber
wrong "queltKbTool: missing arguments" "$du" diff a.xml b.xml
wrong 'queltKbTool: too many arguments ("d")' "$du" diff a.xml b.xml c d
wrong "queltKbTool: PREFIX is empty" "$du" diff a.xml b.xml ""
wrong "queltKbTool: missing arguments" "$cu" check
wrong 'queltKbTool: too many arguments ("b.xml")' "$cu" check a.xml b.xml
wrong 'queltKbTool: unknown format "xml"' "$cu" check a.xml --format xml
wrong 'queltKbTool: unknown format ""' "$cu" check a.xml --format=
wrong 'queltKbTool: option "--format" needs a value' "$cu" check a.xml --format
wrong 'queltKbTool: unknown option "--stems"' "$cu" check a.xml --stems
expect "wrong usage wrote nothing" "$(files)" ""

# --- roundtrip ----------------------------------------------------------------
cp "$repo/examples/cardio.xml" "$work/cardio.xml"
run roundtrip cardio.xml first.xml; ran "sample roundtrip" 0 "" "$track"
well_formed "sample roundtrip" "$work/first.xml"
expect "sample roundtrip concepts" "$(grep -c '^<conceptDef>$' "$work/first.xml")" \
  "$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$work/cardio.xml")"
run roundtrip first.xml second.xml; ran "second roundtrip" 0
same_file "writing what was read is a fixed point" "$work/first.xml" "$work/second.xml"
run roundtrip --renumber cardio.xml renumbered.xml; ran "renumber" 0
codes=$(grep -o '<code>[^<]*</code>' "$work/renumbered.xml")
expect "renumbered: one counter from N1 to the last concept" "$(sed -n '1p;$p' <<<"$codes" | tr '\n' ' ')" \
  "<code>N1</code> <code>C$(wc -l <<<"$codes")</code> "
cp "$m/writer_small.xml" "$work/small.xml"
run roundtrip small.xml small.xml; ran "in-place roundtrip" 0
same_file "checked document reads and writes back as itself" "$work/small.xml" "$m/writer_small.xml"
expect "no temporary left" "$(files)" "cardio.xml first.xml renumbered.xml second.xml small.xml "

# --- failures -----------------------------------------------------------------
rm -f "$work"/*.xml; cp "$m/broken.xml" "$work/broken.xml"; mkdir "$work/adir"
echo "keep me" >"$work/kept.xml"
run roundtrip nope.xml out.xml
ran "missing input" 1 "" "$track"$'\nqueltKbTool: cannot read "nope.xml": No such file or directory'
fails "directory input" 'queltKbTool: cannot read "adir": Is a directory' roundtrip adir out.xml
fails "broken input" "Fatal Error: " roundtrip broken.xml kept.xml
expect "broken input message" "$(tail -n 1 <<<"$err")" \
  'queltKbTool: cannot read "broken.xml": not a well-formed Ontylog XML document'
expect "broken input leaves the output alone" "$(cat "$work/kept.xml")" "keep me"
cp "$m/diff_old.xml" "$work/old.xml"
run roundtrip old.xml no/such/dir/out.xml; ran "missing output dir" 1
expect "missing output dir message" "$(tail -n 1 <<<"$err")" \
  "ERROR: cannot write output file 'no/such/dir/out.xml': No such file or directory"
fails "directory output" "ERROR: cannot write output file 'adir': Is a directory" roundtrip old.xml adir
expect "failures left no file" "$(files)" "adir broken.xml kept.xml old.xml "
if [ -w /dev/full ]; then
  ( cd "$work" && "$prog" match "$m/match_kb.xml" "$m/terms.txt" >/dev/full 2>"$work/.err" ); status=$?
  ran "full stdout" 1
  expect "full stdout message" "$(tail -n 1 "$work/.err")" "queltKbTool: cannot write to standard output"
fi

# --- match ----------------------------------------------------------------------
run match "$m/match_kb.xml" "$m/terms.txt"
ran "match" 0 "$(cat "$m/match_simple.tsv")" "$track"$'\n'"$track"
run match --stems "$m/match_kb.xml" "$m/terms.txt"; ran "match --stems" 0 "$(cat "$m/match_stems.tsv")"
printf 'Kidney\nkidney\nKidney' >"$work/dups.txt"
run match "$m/match_kb.xml" dups.txt
ran "repeated terms: one line each, stdout only results" 0 $'Kidney\t1\tmany-to-one\tKidney_Organ|C4
kidney\t1\tmany-to-one\tKidney_Organ|C4\nKidney\t1\tmany-to-one\tKidney_Organ|C4'
contains "repeated terms reported on stderr" "$err" $'ERROR::addConcept:DupConceptName\tKidney'
printf 'a\001b\\c|d;e\x7f\n' >"$work/odd.txt"
run match "$m/match_kb.xml" odd.txt
ran "control bytes and separators are escaped" 0 'a\x01b\\c\|d\;e\x7F	5	none	'
: >"$work/empty.txt"
run match "$m/match_kb.xml" empty.txt; ran "empty term list" 0 ""
fails "missing term list" 'cannot read "missing.txt": No such file or directory' match "$m/match_kb.xml" missing.txt
fails "directory term list" 'queltKbTool: cannot read "adir": Is a directory' match "$m/match_kb.xml" adir
fails "broken terminology" 'cannot read "broken.xml": not a well-formed' match broken.xml "$m/terms.txt"

# --- diff -----------------------------------------------------------------------
run diff "$m/diff_old.xml" "$m/diff_new.xml" v
ran "diff" 0 $'shared\t2\nremoved\t1\nadded\t1' "$track"$'\n'"$track"$'\n'"$track"$'\n'"$track"
same_file "shared concepts" "$work/v-shared.xml" "$m/diff_shared.xml"
same_file "removed and added concepts" "$work/v-unique.xml" "$m/diff_unique.xml"
mkdir "$work/cmp"
run diff "$repo/examples/cardio.xml" "$repo/examples/cardio.xml" cmp/same
n=$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$repo/examples/cardio.xml")
ran "identical versions" 0 "$(printf 'shared\t%s\nremoved\t0\nadded\t0' "$n")"
expect "identical versions: only the markers apart" \
  "$(grep -A1 '^<conceptDef>$' "$work/cmp/same-unique.xml" | grep -o '<name>.*</name>' | tr '\n' ' ')" \
  "<name>deleted_concepts</name> <name>new_concepts</name> "
expect "identical versions: shared pairs" "$(grep -c '^<conceptDef>$' "$work/cmp/same-shared.xml")" $((2 * n))
rm -rf "$work/cmp"/*
fails "diff missing input" 'queltKbTool: cannot read "nope.xml"' diff "$m/diff_old.xml" nope.xml cmp/x
fails "diff broken input" 'cannot read "broken.xml"' diff "$m/diff_old.xml" broken.xml cmp/x
fails "diff unwritable output" "ERROR: cannot write output file 'no/dir/x-shared.xml'" \
  diff "$m/diff_old.xml" "$m/diff_new.xml" no/dir/x
expect "failed diffs wrote nothing" "$(ls -A "$work/cmp")" ""

# --- check --------------------------------------------------------------------
run check -h
for kind in "undefined-property (error)" "rootless-role-kind (error)" "not-well-formed (error)" \
    "invalid-owl-name (warning)" "parent-cycle (warning)" "reader-message (warning)"; do
  contains "check usage names every kind" "$out" "$kind"
done
rm -rf "$work"/*; cp "$repo/examples/cardio-faulty.xml" "$repo/examples/cardio.xml" "$work/"
run check cardio-faulty.xml
ran "faulty sample: errors end with 1" 1 "$(cat "$m/check_faulty.txt")" "$track"
run check cardio-faulty.xml --format tsv; ran "faulty sample as tsv" 1 "$(cat "$m/check_faulty.tsv")"
run check --format=json cardio-faulty.xml; ran "faulty sample as json" 1 "$(cat "$m/check_faulty.jsonl")"
# The sample converts cleanly: no finding.
run check cardio.xml; ran "sample" 0 "0 errors, 0 warnings" "$track"
# Warnings alone end with 0.
sed -e 's|<code>R106</code>|<code>R 106</code>|' "$work/cardio.xml" >"$work/warned.xml"
run check warned.xml --format tsv
ran "warnings only" 0 $'line\tseverity\tkind\tsubject\tname\tcode\texplanation
31\twarning\tinvalid-owl-name\trole definition\tDrug_Acts_On_Site\tR 106\tcode: invalid OWL name; internal char at 2, "R 106"'
if command -v python3 >/dev/null; then
  run check cardio-faulty.xml --format json
  python3 -c 'import json, sys
rows = [json.loads(line) for line in sys.stdin]
assert [r["line"] for r in rows] == [10, 33, 222, 449, 488, 553, 641, 690], rows
assert all(set(r) == {"line", "severity", "kind", "subject", "name", "code", "explanation"} for r in rows)' \
    <<<"$out"
  expect "json read back by an independent parser" $? 0
fi
run check missing.xml; ran "check missing input" 1 "" "$track"$'\nqueltKbTool: cannot read "missing.xml": No such file or directory'
cp "$m/broken.xml" "$work/broken.xml"
run check broken.xml
ran "broken input: the parser's error is the one finding" 1 "broken.xml:9: error: not-well-formed: document: unterminated end tag 'name'

Summary:
       1  error    not-well-formed
1 error, 0 warnings" "$track"$'\nqueltKbTool: cannot read "broken.xml": not a well-formed Ontylog XML document'
run check broken.xml --format json
ran "broken input as json" 1 '{"line":9,"severity":"error","kind":"not-well-formed","subject":"document","name":"","code":"","explanation":"unterminated end tag '"'name'"'"}'
# Control characters and separators in a field are escaped in text and tsv.
printf '<?xml version="1.1"?>\n<terminology>\n<conceptDef><name>A\tb&#x1;\\c</name></conceptDef>\n</terminology>\n' >"$work/odd.xml"
run check odd.xml --format tsv
expect "odd names escaped in tsv" "$(tail -n +2 <<<"$out" | cut -f 5 | sort -u)" 'A\tb\x01\\c'
expect "odd names escaped in text" "$(run check odd.xml; head -n 1 <<<"$out")" \
  "odd.xml:3: warning: root-of-undeclared-kind: concept 'A\\tb\\x01\\\\c': a concept without parents, whose kind is missing or not declared"
if [ -w /dev/full ]; then
  ( cd "$work" && "$prog" check cardio.xml >/dev/full 2>"$work/.err" ); status=$?
  ran "check to a full stdout" 1
  expect "check to a full stdout message" "$(tail -n 1 "$work/.err")" "queltKbTool: cannot write to standard output"
fi

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
