#!/usr/bin/env bash
# Command-line tests of queltKbTool: usage texts and wrong usage, the three
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
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
contains() { if grep -q -F -- "$3" <<<"$2"; then ok; else bad "$1: [$3] not in [$2]"; fi; }
absent() { if grep -q -F -- "$3" <<<"$2"; then bad "$1: [$3] unexpectedly in [$2]"; else ok; fi; }
same_file() { if cmp -s "$2" "$3"; then ok; else bad "$1: $2 differs from $3"; fi; }
well_formed() {
  if ! command -v xmllint >/dev/null; then ok; return; fi
  if xmllint --noout "$2" 2>/dev/null; then ok; else bad "$1: xmllint rejects $2"; fi
}
# Lists the files in $work, hidden ones too, except the captured streams.
files() { (cd "$work" && ls -A | grep -v -x -e .out -e .err | sort | tr '\n' ' '); }

# run ARGS...: runs the tool in $work; sets out, err, status.
run() {
  ( cd "$work" && "$prog" "$@" >"$work/.out" 2>"$work/.err" ); status=$?
  out=$(cat "$work/.out"); err=$(cat "$work/.err")
}
ru="Usage: queltKbTool roundtrip IN.xml OUT.xml [--renumber]"
mu="Usage: queltKbTool match KB.xml TERMS.txt [--stems]"
du="Usage: queltKbTool diff OLD.xml NEW.xml PREFIX"
if [ ! -x "$prog" ]; then echo "FAIL: $prog not built"; echo "0 passed, 1 failed"; exit 1; fi

# --- usage ------------------------------------------------------------------
run
expect "no arguments: status" "$status" 2
expect "no arguments: stdout" "$out" ""
expect "no arguments: usage on stderr" "$(head -n 1 <<<"$err")" "Usage: queltKbTool COMMAND ARGUMENT..."
overview=$err
for args in "-h" "--help" "help"; do
  run $args
  expect "[$args] status" "$status" 0
  expect "[$args] stdout is the overview" "$out" "$overview"
  expect "[$args] stderr" "$err" ""
done
contains "overview names roundtrip" "$overview" "roundtrip IN.xml OUT.xml [--renumber]"
contains "overview names match" "$overview" "match KB.xml TERMS.txt [--stems]"
contains "overview names diff" "$overview" "diff OLD.xml NEW.xml PREFIX"
contains "overview exit statuses" "$overview" "Exit status: 0 done, 1 an input could not be read"

for cmd in roundtrip match diff; do
  case $cmd in roundtrip) line=$ru ;; match) line=$mu ;; diff) line=$du ;; esac
  for args in "$cmd -h" "$cmd --help" "$cmd a.xml -h" "$cmd --stems --renumber -h"; do
    run $args
    expect "[$args] status" "$status" 0
    expect "[$args] usage line" "$(head -n 1 <<<"$out")" "$line"
    contains "[$args] exit statuses" "$out" "Exit status: 0"
    expect "[$args] stderr" "$err" ""
  done
done
run match -h
contains "match usage: verdict 0" "$out" "0  one-to-one"
contains "match usage: verdict -1" "$out" "-1  one-to-many"
contains "match usage: verdict 1" "$out" "1  many-to-one"
contains "match usage: verdict 4" "$out" "4  partial"
contains "match usage: verdict 5" "$out" "5  none"

# --- wrong usage --------------------------------------------------------------
wrong() { # wrong WANTED-FIRST-LINE USAGE-LINE ARGS...
  local want=$1 usage=$2; shift 2
  run "$@"
  expect "[$*] status" "$status" 2
  expect "[$*] stdout" "$out" ""
  expect "[$*] message" "$(head -n 1 <<<"$err")" "$want"
  expect "[$*] usage follows" "$(sed -n 2p <<<"$err")" "$usage"
}
wrong 'queltKbTool: unknown command "frobnicate"' "Usage: queltKbTool COMMAND ARGUMENT..." frobnicate a b
wrong 'queltKbTool: unknown command "-x"' "Usage: queltKbTool COMMAND ARGUMENT..." -x
wrong "queltKbTool: missing arguments" "$ru" roundtrip
wrong "queltKbTool: missing arguments" "$ru" roundtrip in.xml --renumber
wrong 'queltKbTool: too many arguments ("c.xml")' "$ru" roundtrip a.xml b.xml c.xml
wrong 'queltKbTool: unknown option "--stems"' "$ru" roundtrip a.xml b.xml --stems
wrong 'queltKbTool: unknown option "-r"' "$ru" roundtrip a.xml b.xml -r
wrong "queltKbTool: missing arguments" "$mu" match kb.xml
wrong 'queltKbTool: unknown option "--renumber"' "$mu" match kb.xml t.txt --renumber
wrong "queltKbTool: missing arguments" "$du" diff a.xml b.xml
wrong 'queltKbTool: too many arguments ("d")' "$du" diff a.xml b.xml c d
wrong "queltKbTool: PREFIX is empty" "$du" diff a.xml b.xml ""
expect "wrong usage wrote nothing" "$(files)" ""

# --- roundtrip ----------------------------------------------------------------
cp "$repo/examples/cardio.xml" "$work/cardio.xml"
run roundtrip cardio.xml first.xml
expect "sample roundtrip status" "$status" 0
expect "sample roundtrip stdout" "$out" ""
expect "sample roundtrip stderr" "$err" "track: 060828"
well_formed "sample roundtrip output" "$work/first.xml"
expect "sample roundtrip first line" "$(head -n 1 "$work/first.xml")" \
  '<?xml version="1.0" encoding="UTF-8"?><!DOCTYPE terminology SYSTEM "ontylog.dtd">'
expect "sample roundtrip concepts" "$(grep -c '^<conceptDef>$' "$work/first.xml")" \
  "$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$work/cardio.xml")"
run roundtrip first.xml second.xml
expect "second roundtrip status" "$status" 0
same_file "writing what was read is a fixed point" "$work/first.xml" "$work/second.xml"

run roundtrip --renumber cardio.xml renumbered.xml
expect "renumber status" "$status" 0
codes=$(grep -o '<code>[^<]*</code>' "$work/renumbered.xml" | sed 's/<[^>]*>//g')
ids=$(grep -o '<id>[^<]*</id>' "$work/renumbered.xml" | sed 's/<[^>]*>//g')
count=$(wc -l <<<"$codes")
expect "renumbered ids run 1..n" "$ids" "$(seq 1 "$count")"
expect "renumbered codes carry the counter" "$(sed 's/^[NKRPAQC]//' <<<"$codes")" "$(seq 1 "$count")"
expect "renumbered section letters in order" "$(sed 's/[0-9]*$//' <<<"$codes" | uniq | tr -d '\n')" "NKRPAQC"
expect "first code" "$(head -n 1 <<<"$codes")" "N1"

cp "$m/writer_small.xml" "$work/small.xml"
run roundtrip small.xml small.xml
expect "in-place roundtrip status" "$status" 0
same_file "checked document reads and writes back as itself" "$work/small.xml" "$m/writer_small.xml"
expect "no temporary left" "$(files | grep -c tmp)" 0

# --- failures: inputs ---------------------------------------------------------
rm -f "$work"/*.xml; cp "$m/broken.xml" "$work/broken.xml"
echo "keep me" >"$work/kept.xml"
run roundtrip nope.xml out.xml
expect "missing input status" "$status" 1
expect "missing input message" "$err" $'track: 060828\nqueltKbTool: cannot read "nope.xml": No such file or directory'
mkdir "$work/adir"
run roundtrip adir out.xml
expect "directory input status" "$status" 1
contains "directory input message" "$err" 'queltKbTool: cannot read "adir": Is a directory'
run roundtrip broken.xml kept.xml
expect "broken input status" "$status" 1
expect "broken input stdout" "$out" ""
contains "broken input parser line" "$err" "Fatal Error: "
expect "broken input message" "$(tail -n 1 <<<"$err")" \
  'queltKbTool: cannot read "broken.xml": not a well-formed Ontylog XML document'
expect "broken input leaves the output alone" "$(cat "$work/kept.xml")" "keep me"
expect "failed inputs wrote nothing" "$(files)" "adir broken.xml kept.xml "

# --- failures: outputs --------------------------------------------------------
cp "$m/diff_old.xml" "$work/old.xml"
run roundtrip old.xml no/such/dir/out.xml
expect "missing output dir status" "$status" 1
expect "missing output dir message" "$(tail -n 1 <<<"$err")" \
  "ERROR: cannot write output file 'no/such/dir/out.xml': No such file or directory"
run roundtrip old.xml adir
expect "directory output status" "$status" 1
contains "directory output message" "$err" "ERROR: cannot write output file 'adir': Is a directory"
expect "failed outputs left nothing" "$(files)" "adir broken.xml kept.xml old.xml "
if [ -w /dev/full ]; then
  ( cd "$work" && "$prog" match "$m/match_kb.xml" "$m/terms.txt" >/dev/full 2>"$work/.err" ); status=$?
  expect "full stdout status" "$status" 1
  expect "full stdout message" "$(tail -n 1 "$work/.err")" "queltKbTool: cannot write to standard output"
fi

# --- match ----------------------------------------------------------------------
run match "$m/match_kb.xml" "$m/terms.txt"
expect "match status" "$status" 0
expect "match output" "$out" "$(cat "$m/match_simple.tsv")"
expect "match stderr" "$err" $'track: 060828\ntrack: 060828'
run match --stems "$m/match_kb.xml" "$m/terms.txt"
expect "match --stems status" "$status" 0
expect "match --stems output" "$out" "$(cat "$m/match_stems.tsv")"

printf 'Kidney\nkidney\nKidney' >"$work/dups.txt"
run match "$m/match_kb.xml" dups.txt
expect "repeated terms status" "$status" 0
expect "repeated terms: one line each, stdout only results" "$out" \
"Kidney	1	many-to-one	Kidney_Organ|C4
kidney	1	many-to-one	Kidney_Organ|C4
Kidney	1	many-to-one	Kidney_Organ|C4"
contains "repeated terms reported on stderr" "$err" $'ERROR::addConcept:DupConceptName\tKidney'

printf 'a\001b\\c|d;e\x7f\n' >"$work/odd.txt"
run match "$m/match_kb.xml" odd.txt
expect "control bytes and separators in a term are escaped" "$out" 'a\x01b\\c\|d\;e\x7F	5	none	'

: >"$work/empty.txt"
run match "$m/match_kb.xml" empty.txt
expect "empty term list status" "$status" 0
expect "empty term list output" "$out" ""

run match "$m/match_kb.xml" missing.txt
expect "missing term list status" "$status" 1
expect "missing term list stdout" "$out" ""
contains "missing term list message" "$err" 'queltKbTool: cannot read "missing.txt": No such file or directory'
run match "$m/match_kb.xml" adir
expect "directory term list status" "$status" 1
contains "directory term list message" "$err" 'queltKbTool: cannot read "adir": Is a directory'
run match broken.xml "$m/terms.txt"
expect "broken terminology status" "$status" 1
expect "broken terminology stdout" "$out" ""
contains "broken terminology message" "$err" 'queltKbTool: cannot read "broken.xml": not a well-formed'

# --- diff -----------------------------------------------------------------------
run diff "$m/diff_old.xml" "$m/diff_new.xml" v
expect "diff status" "$status" 0
expect "diff counts" "$out" $'shared\t2\nremoved\t1\nadded\t1'
expect "diff stderr" "$err" $'track: 060828\ntrack: 060828\ntrack: 060828\ntrack: 060828'
same_file "shared concepts" "$work/v-shared.xml" "$m/diff_shared.xml"
same_file "removed and added concepts" "$work/v-unique.xml" "$m/diff_unique.xml"
well_formed "shared output" "$work/v-shared.xml"
well_formed "unique output" "$work/v-unique.xml"
run roundtrip v-unique.xml v-unique-again.xml
same_file "diff output reads back" "$work/v-unique-again.xml" "$work/v-unique.xml"

mkdir "$work/cmp"
run diff "$repo/examples/cardio.xml" "$repo/examples/cardio.xml" cmp/same
n=$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$repo/examples/cardio.xml")
expect "identical versions status" "$status" 0
expect "identical versions counts" "$out" "$(printf 'shared\t%s\nremoved\t0\nadded\t0' "$n")"
expect "identical versions: only the markers apart" \
  "$(grep -A1 '^<conceptDef>$' "$work/cmp/same-unique.xml" | grep -o '<name>.*</name>' | tr '\n' ' ')" \
  "<name>deleted_concepts</name> <name>new_concepts</name> "
expect "identical versions: shared pairs" "$(grep -c '^<conceptDef>$' "$work/cmp/same-shared.xml")" $((2 * n))

rm -rf "$work/cmp"/*
run diff "$m/diff_old.xml" nope.xml cmp/x
expect "diff missing input status" "$status" 1
contains "diff missing input message" "$err" 'queltKbTool: cannot read "nope.xml"'
run diff "$m/diff_old.xml" broken.xml cmp/x
expect "diff broken input status" "$status" 1
run diff "$m/diff_old.xml" "$m/diff_new.xml" no/dir/x
expect "diff unwritable output status" "$status" 1
expect "diff unwritable output stdout" "$out" ""
contains "diff unwritable output message" "$err" "ERROR: cannot write output file 'no/dir/x-shared.xml'"
expect "failed diffs wrote nothing" "$(ls -A "$work/cmp")" ""

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
