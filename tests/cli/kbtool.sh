#!/usr/bin/env bash
# Command-line tests of queltKbTool runs that succeed: the usage texts, and
# the four commands against hand-checked files: documents the writer wrote
# read and write back as themselves (the small terminology, texts that need
# escaping in every field, the shipped sample), a document with an internal
# subset written back with it applied, renumbering, matching by terms and by
# stems, the comparison of two versions, the check of the faulty sample in
# its three formats, and the list of the kinds of findings. Wrong usage and
# failures are in badinput.sh.
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
same_file() { if cmp -s "$2" "$3"; then ok; else bad "$1: $2 differs from $3"; fi; }
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
track='track: 060828'

# --- usage texts ------------------------------------------------------------------
run --help; ran "--help" 0
for text in "Usage: queltKbTool COMMAND ARGUMENT..." "roundtrip IN.xml OUT.xml [--renumber]" \
    "match KB.xml TERMS.txt [--stems]" "diff OLD.xml NEW.xml PREFIX" \
    "check KB.xml [--format text|tsv|json]" "changes OLD.xml NEW.xml [--format text|tsv|json|html] [-o FILE]" \
    "Exit status: 0 done, 1 an input could not be read"; do
  contains "overview" "$out" "$text"
done
# -h anywhere among a command's words shows its usage.
run roundtrip -h; ran "roundtrip -h" 0
expect "roundtrip usage" "$(head -n 1 <<<"$out")" "Usage: queltKbTool roundtrip IN.xml OUT.xml [--renumber]"
run diff a.xml --help; ran "diff a.xml --help" 0
expect "diff usage" "$(head -n 1 <<<"$out")" "Usage: queltKbTool diff OLD.xml NEW.xml PREFIX"
run match --stems --renumber -h; ran "match --stems --renumber -h" 0
expect "match usage" "$(head -n 1 <<<"$out")" "Usage: queltKbTool match KB.xml TERMS.txt [--stems]"
for verdict in "0  one-to-one" "-1  one-to-many" "1  many-to-one" "4  partial" "5  none"; do
  contains "match usage" "$out" "$verdict"
done

# --- roundtrip ------------------------------------------------------------------------
# Documents the writer wrote, hand-checked, read and write back unchanged,
# in place too.
for doc in writer_small writer_texts; do
  cp "$m/$doc.xml" "$work/$doc.xml"
  run roundtrip "$doc.xml" "$doc.xml"; ran "$doc roundtrip" 0 "" "$track"
  same_file "$doc reads and writes back as itself" "$work/$doc.xml" "$m/$doc.xml"
done
run roundtrip --renumber writer_small.xml renumbered.xml; ran "renumber" 0
same_file "renumbered" "$work/renumbered.xml" "$m/writer_small_renumbered.xml"
cp "$repo/examples/cardio.xml" "$work/cardio.xml"
run roundtrip cardio.xml first.xml; ran "sample roundtrip" 0
expect "sample concepts" "$(grep -c '^<conceptDef>$' "$work/first.xml")" \
  "$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$work/cardio.xml")"
run roundtrip first.xml second.xml; ran "second roundtrip" 0
same_file "writing what was read is a fixed point" "$work/first.xml" "$work/second.xml"
expect "no temporary left" "$(ls -A "$work" | grep -v -x -e .out -e .err | tr '\n' ' ')" \
  "cardio.xml first.xml renumbered.xml second.xml writer_small.xml writer_texts.xml "
# An internal subset: its entities expanded, its default attributes given.
run roundtrip "$m/internal_subset.xml" subset.xml; ran "internal subset" 0 "" "$track"
same_file "internal subset" "$work/subset.xml" "$m/internal_subset_written.xml"

# --- match -------------------------------------------------------------------------------
run match "$m/match_kb.xml" "$m/terms.txt"
ran "match" 0 "$(cat "$m/match_simple.tsv")" "$track"$'\n'"$track"
run match --stems "$m/match_kb.xml" "$m/terms.txt"; ran "match --stems" 0 "$(cat "$m/match_stems.tsv")"
# Repeated terms: a line each, the repetition reported on standard error.
printf 'Kidney\nkidney\nKidney' >"$work/dups.txt"
run match "$m/match_kb.xml" dups.txt
ran "repeated terms" 0 $'Kidney\t1\tmany-to-one\tKidney_Organ|C4
kidney\t1\tmany-to-one\tKidney_Organ|C4\nKidney\t1\tmany-to-one\tKidney_Organ|C4'
contains "repeated terms reported" "$err" $'ERROR::addConcept:DupConceptName\tKidney'
printf 'a\001b\\c|d;e\x7f\n' >"$work/odd.txt"
run match "$m/match_kb.xml" odd.txt
ran "control bytes and separators are escaped" 0 'a\x01b\\c\|d\;e\x7F	5	none	'
if [ -w /dev/full ]; then
  ( cd "$work" && "$prog" match "$m/match_kb.xml" "$m/terms.txt" >/dev/full 2>"$work/.err" ); status=$?
  ran "full standard output" 1
  expect "full standard output message" "$(tail -n 1 "$work/.err")" "queltKbTool: cannot write to standard output"
fi

# --- diff ---------------------------------------------------------------------------------
run diff "$m/diff_old.xml" "$m/diff_new.xml" v
ran "diff" 0 $'shared\t2\nremoved\t1\nadded\t1' "$track"$'\n'"$track"$'\n'"$track"$'\n'"$track"
same_file "shared concepts" "$work/v-shared.xml" "$m/diff_shared.xml"
same_file "removed and added concepts" "$work/v-unique.xml" "$m/diff_unique.xml"
n=$(grep -c -e '^<conceptDef>' -e '^<conceptInf>' "$work/cardio.xml")
run diff cardio.xml cardio.xml same
ran "identical versions" 0 "$(printf 'shared\t%s\nremoved\t0\nadded\t0' "$n")"
expect "identical versions: only the markers apart" \
  "$(grep -A1 '^<conceptDef>$' "$work/same-unique.xml" | grep -o '<name>.*</name>' | tr '\n' ' ')" \
  "<name>deleted_concepts</name> <name>new_concepts</name> "
expect "identical versions: shared pairs" "$(grep -c '^<conceptDef>$' "$work/same-shared.xml")" $((2 * n))

# --- changes ------------------------------------------------------------------------------
# The sample against its edited copy, a change of every kind, in three
# formats (the page is opened in a browser by changes_page.sh), to standard
# output and to a file; against itself and its written copy: no change.
cp "$repo/examples/cardio-next.xml" "$work/"
d="$data/cli"
run changes cardio.xml cardio-next.xml; ran "changes" 0 "$(cat "$d/changes_sample.txt")" "$track"$'\n'"$track"
run changes cardio.xml cardio-next.xml --format tsv; ran "changes as tsv" 0 "$(cat "$d/changes_sample.tsv")"
run changes --format=json cardio.xml cardio-next.xml -o report.jsonl; ran "changes as json to a file" 0 ""
same_file "changes as json" "$work/report.jsonl" "$d/changes_sample.jsonl"
/usr/bin/python3 -c 'import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
summary = lines[-1]["summary"]
counted = {}
for record in lines[:-1]:
    for change in record.get("changes", []):
        counted[change["change"]] = counted.get(change["change"], 0) + 1
assert {k: v for k, v in summary.items() if v} == counted, (summary, counted)' "$work/report.jsonl"
expect "json read back: the summary counts the records" $? 0
run changes cardio.xml cardio-next.xml --ignore-ids --format tsv
expect "--ignore-ids" "$(cut -f 1 <<<"$out" | grep -c -x id-changed)" 0
run changes cardio.xml cardio.xml; ran "against itself" 0 $'Changes from cardio.xml to cardio.xml\n\nno change'
run changes cardio.xml first.xml --format json
zero=$(sed -n '$p' "$d/changes_sample.jsonl" | grep -o '"[a-z-]*":[0-9][0-9]*' | sed 's/:[0-9]*$/:0/' | paste -s -d,)
ran "against its written copy" 0 "{\"summary\":{$zero},\"not_compared\":[\"locale\"]}"

# --- check ---------------------------------------------------------------------------------
run check -h; ran "check -h" 0
for kind in "undefined-property (error)" "rootless-role-kind (error)" "not-well-formed (error)" \
    "invalid-owl-name (warning)" "parent-cycle (warning)" "reader-message (warning)"; do
  contains "check usage names every kind" "$out" "$kind"
done
# --kinds lists the kinds of the usage text, a line each: name, severity, meaning.
usage_kinds=$(grep -E '^  [a-z-]+ \((error|warning)\)$' <<<"$out" | sed 's/^  //')
run check --kinds; ran "check --kinds" 0
expect "check --kinds lists every kind" "$(cut -f 1,2 <<<"$out" | sed 's/\t\(.*\)/ (\1)/')" "$usage_kinds"
contains "check --kinds: the meaning" "$out" $'not-well-formed\terror\tthe document is not well-formed XML: reading stops there'
cp "$repo/examples/cardio-faulty.xml" "$work/"
run check cardio-faulty.xml
ran "faulty sample: errors end with 1" 1 "$(cat "$m/check_faulty.txt")" "$track"
run check cardio-faulty.xml --format tsv; ran "faulty sample as tsv" 1 "$(cat "$m/check_faulty.tsv")"
run check --format=json cardio-faulty.xml; ran "faulty sample as json" 1 "$(cat "$m/check_faulty.jsonl")"
python3 -c 'import json, sys
rows = [json.loads(line) for line in sys.stdin]
assert [r["line"] for r in rows] == [10, 33, 222, 449, 488, 553, 641, 690], rows
assert all(set(r) == {"line", "severity", "kind", "subject", "name", "code", "explanation"} for r in rows)' \
  <<<"$out"
expect "json read back by an independent parser" $? 0
# The sample converts cleanly: no finding; warnings alone end with 0.
run check cardio.xml; ran "sample" 0 "0 errors, 0 warnings" "$track"
sed -e 's|<code>R106</code>|<code>R 106</code>|' "$work/cardio.xml" >"$work/warned.xml"
run check warned.xml --format tsv
ran "warnings only" 0 $'line\tseverity\tkind\tsubject\tname\tcode\texplanation
31\twarning\tinvalid-owl-name\trole definition\tDrug_Acts_On_Site\tR 106\tcode: invalid OWL name; internal char at 2, "R 106"'
# A broken document: the parser's error is the one finding.
cp "$m/broken.xml" "$work/broken.xml"
run check broken.xml --format json
ran "broken input as json" 1 '{"line":9,"severity":"error","kind":"not-well-formed","subject":"document","name":"","code":"","explanation":"unterminated end tag '"'name'"'"}'
# Control characters and separators in a field are escaped in text and tsv.
printf '<?xml version="1.1"?>\n<terminology>\n<conceptDef><name>A\tb&#x1;\\c</name></conceptDef>\n</terminology>\n' >"$work/odd.xml"
run check odd.xml --format tsv
expect "odd names escaped in tsv" "$(tail -n +2 <<<"$out" | cut -f 5 | sort -u)" 'A\tb\x01\\c'
expect "odd names escaped in text" "$(run check odd.xml; head -n 1 <<<"$out")" \
  "odd.xml:3: warning: root-of-undeclared-kind: concept 'A\\tb\\x01\\\\c': a concept without parents, whose kind is missing or not declared"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
