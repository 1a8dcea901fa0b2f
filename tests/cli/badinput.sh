#!/usr/bin/env bash
# Bad-input matrix of queltToOWL2: inputs that are missing, broken, hostile,
# huge or oddly encoded or named, and outputs that cannot be written. Every
# run has a time limit and a memory limit; each case checks the exit status
# and the message, that a failed run writes no output file and leaves an
# existing one as it was, and prints its status, time and peak memory.
# Big inputs are generated here, in a temporary directory.
# usage: badinput.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd)
prog="$build/queltToOWL2"
tool="$build/queltKbTool"
work=$(mktemp -d); trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
pass=0; fail=0
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
matches() { if grep -q -E -- "$3" <<<"$2"; then ok; else bad "$1: /$3/ not in [${2:0:2000}]"; fi; }
stamp=$(date +%y%m%d)

# Limits of every run: wall time and memory. A build with AddressSanitizer
# runs several times slower, and reserves terabytes of address space, so
# there it gets more time and the sanitizer's own limit on resident memory
# stands in for the address-space limit.
seconds=60
memory_mb=4096
sanitized=no
if grep -q '^QUELT_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  sanitized=yes
  seconds=180
fi
limit_memory() {
  if [ "$sanitized" = yes ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}hard_rss_limit_mb=$memory_mb"
  else
    ulimit -v $((memory_mb * 1024))
  fi
}

# bounded DIR COMMAND...: runs the command in DIR within the limits; sets
# status, out and err, and secs and peak_mb as GNU time measured them.
bounded() {
  local dir=$1; shift
  ( cd "$dir" && limit_memory && exec timeout -k 5 "$seconds" \
      /usr/bin/time -f '%e %M' -o "$work/.time" "$@" ) >"$work/.out" 2>"$work/.err"
  status=$?
  out=$(cat "$work/.out"); err=$(cat "$work/.err")
  cat "$work/.out" "$work/.err" >>"$work/.console"
  secs=?; peak_kb=0
  [ -s "$work/.time" ] && read -r secs peak_kb < <(tail -n 1 "$work/.time")
  peak_mb=$((${peak_kb:-0} / 1024))
  rm -f "$work/.time"
}

# A line per run for the record: case, exit status, time, peak memory and
# the line that says what happened.
report() {
  local said
  said=$(grep -m 1 -E '^(Fatal Error|ERROR|Exception|Unexpected|No input|Execution took)' <<<"$out
$err")
  printf '  %-26s %4s %8s s %6s MB  %s\n' "$1" "$status" "$secs" "$peak_mb" "${said:0:110}"
}
within_memory() { [ "$peak_mb" -lt "$memory_mb" ] && ok || bad "$1: peak memory $peak_mb MB"; }

# fails NAME STATUS PATTERN STREAM INPUT: a run on INPUT (in $work/NAME,
# made by the caller) ends with STATUS and prints a line matching PATTERN
# on STREAM (out or err), writes no output file, and leaves an existing one
# as it was. The runs go through the command in as_user when it is set.
as_user=()
fails() {
  local name=$1 want=$2 pattern=$3 stream=$4 input=$5
  local dir="$work/$name"
  local owl="$input-ByRXK-$stamp.owl"
  local before count; before=$(ls -A "$dir"); count=$(ls -A "$dir" | wc -l)
  bounded "$dir" "${as_user[@]}" "$prog" "$input"
  report "$name"
  expect "$name: status" "$status" "$want"
  if [ "$stream" = out ]; then matches "$name: message" "$out" "$pattern"
  else matches "$name: message" "$err" "$pattern"; fi
  expect "$name: no output file" "$(ls -A "$dir")" "$before"
  within_memory "$name"
  # Again with an output file in place: it stays as it was.
  echo keep >"$dir/$owl"
  bounded "$dir" "${as_user[@]}" "$prog" "$input"
  expect "$name: status with an existing output" "$status" "$want"
  expect "$name: existing output untouched" "$(cat "$dir/$owl")" keep
  expect "$name: nothing else written" "$(ls -A "$dir" | wc -l)" $((count + 1))
  rm -f "$dir/$owl"
}

# converts NAME INPUT: a run on INPUT in $work/NAME succeeds and writes an
# output that an XML parser accepts; sets owl to its path.
converts() {
  local name=$1 input=$2
  bounded "$work/$name" "$prog" "$input"
  report "$name"
  expect "$name: status" "$status" 0
  expect "$name: nothing on standard output" "$out" ""
  matches "$name: last line" "$(tail -n 1 <<<"$err")" '^Execution took .* seconds$'
  within_memory "$name"
  owl="$work/$name/$input-ByRXK-$stamp.owl"
  xmllint --noout --huge "$owl" 2>"$work/.xl" && ok ||
    bad "$name: output not well-formed: $(head -c 300 "$work/.xl")"
}

# A small terminology: $1 is the Preferred_Name of its one concept below
# the root (line 13), $2 stands between the XML declaration and the root.
document() {
  cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
$2
<terminology ref_by="name" if_exists_action="replace">
<namespaceDef><name>Lab</name><code>N1</code><id>1</id></namespaceDef>
<kindDef reference="true"><name>Lab_Kind</name><code>K1</code><id>2</id><namespace>Lab</namespace></kindDef>
<propertyDef><name>RXK</name><code>P1</code><id>3</id><namespace>Lab</namespace><range>string</range></propertyDef>
<propertyDef><name>Preferred_Name</name><code>P2</code><id>4</id><namespace>Lab</namespace><range>string</range></propertyDef>
<conceptDef><name>Root</name><code>C1</code><id>5</id><namespace>Lab</namespace><primitive/><kind>Lab_Kind</kind>
<properties><property><name>RXK</name><value>X1</value></property></properties></conceptDef>
<conceptDef><name>Leaf</name><code>C2</code><id>6</id><namespace>Lab</namespace><primitive/><kind>Lab_Kind</kind>
<definingConcepts><concept>Root</concept></definingConcepts>
<properties><property><name>RXK</name><value>X2</value></property>
<property><name>Preferred_Name</name><value>$1</value></property></properties></conceptDef>
</terminology>
EOF
}

# case_dir NAME: the directory of case NAME, made on first use.
case_dir() { mkdir -p "$work/$1"; echo "$work/$1"; }
fatal='^Fatal Error: .+ at line: [0-9]+$'
as_unprivileged=()
[ "$(id -u)" -eq 0 ] && as_unprivileged=(setpriv --reuid=65534 --regid=65534 --clear-groups)
echo "  case                       exit     time       peak  message"

# --- inputs that cannot be read -----------------------------------------
case_dir missing >/dev/null
fails missing 1 "$fatal" out missing.xml
mkdir "$(case_dir directory)/dir.xml"
fails directory 1 "$fatal" out dir.xml
: >"$(case_dir empty)/empty.xml"
fails empty 1 "$fatal" out empty.xml
# Root reads any file: this one is unreadable to an unprivileged user.
document "Leaf term" "" >"$(case_dir unreadable)/locked.xml"
chmod 000 "$work/unreadable/locked.xml"
as_user=("${as_unprivileged[@]}")
fails unreadable 1 "$fatal" out locked.xml
as_user=()

# --- broken documents: the first fatal error and its line -----------------
{ document "Leaf term" "" | head -n 11; printf '<property><name>Preferred_Name</name><value>Le'; } \
  >"$(case_dir truncated)/cut.xml"
fails truncated 1 '^Fatal Error: .+ at line: 12$' out cut.xml
python3 -c 'import random, sys; random.seed(7); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(65536)))' \
  >"$(case_dir garbage)/noise.bin"
fails garbage 1 "$fatal" out noise.bin
{ document "Leaf term" ""; printf '\x00\xff\xfe<<&&'; } >"$(case_dir garbage_after_root)/tail.xml"
fails garbage_after_root 1 "$fatal" out tail.xml
printf '<?xml version="1.0" encoding="no-such-code"?>\n<terminology/>\n' >"$(case_dir unknown_encoding)/enc.xml"
fails unknown_encoding 1 "$fatal" out enc.xml
document $'caf\xc3\x28 \xff' "" >"$(case_dir invalid_utf8)/bytes.xml"
fails invalid_utf8 1 "$fatal" out bytes.xml
document 'a&#1;b' "" >"$(case_dir control_character)/ctl.xml"
fails control_character 1 '^Fatal Error: .+ at line: 13$' out ctl.xml

# --- hostile documents ---------------------------------------------------
# Nine levels of ten references each: 10^9 expansions if they were allowed.
{ echo '<!DOCTYPE terminology ['; echo '<!ENTITY a0 "lol">'
  for i in 1 2 3 4 5 6 7 8 9; do
    printf '<!ENTITY a%d "' "$i"
    for _ in 1 2 3 4 5 6 7 8 9 10; do printf '&a%d;' $((i - 1)); done
    echo '">'
  done
  echo ']>'; } >"$work/.bomb"
document '&a9;' "$(cat "$work/.bomb")" >"$(case_dir entity_bomb)/bomb.xml"
fails entity_bomb 1 "$fatal" out bomb.xml

# External entities naming a local file are refused; nothing of the file
# may reach the console or any file written (checked at the end).
secret="SECRET-$$-$RANDOM-CONTENT"
mkdir "$work/private"; echo "$secret" >"$work/private/secret.txt"
echo "<!ENTITY leak \"$secret\">" >"$work/private/secret.dtd"
document '&leak;' "<!DOCTYPE terminology [ <!ENTITY leak SYSTEM \"file://$work/private/secret.txt\"> ]>" \
  >"$(case_dir external_entity)/ext.xml"
fails external_entity 1 "$fatal" out ext.xml
document '&leak;' '<!DOCTYPE terminology [ <!ENTITY leak SYSTEM "../private/secret.txt"> ]>' \
  >"$(case_dir external_relative)/rel.xml"
fails external_relative 1 "$fatal" out rel.xml
document '&leak;' '<!DOCTYPE terminology [ <!ENTITY % p SYSTEM "../private/secret.dtd"> %p; ]>' \
  >"$(case_dir external_parameter)/pe.xml"
fails external_parameter 1 "$fatal" out pe.xml
# The DTD that the document names is never read, so the entities it
# declares stay unknown; the parser drops a reference to one without a
# word (a document may rely on declarations a parser is not asked to read).
document '&leak;' '<!DOCTYPE terminology SYSTEM "../private/secret.dtd">' >"$(case_dir external_dtd)/dtd.xml"
converts external_dtd dtd.xml

# --- big documents -------------------------------------------------------
{ document "Leaf term" "" | sed '$d'
  python3 -c 'import sys; n = 100000; sys.stdout.write("<a>" * n + "deep" + "</a>" * n + "\n")'
  echo "</terminology>"; } >"$(case_dir nested)/deep.xml"
converts nested deep.xml

document "HUGE" "" | python3 -c '
import sys
text = "huge text &amp; &lt;more> " * (50 * 1024 * 1024 // 21 + 1)
sys.stdout.write(sys.stdin.read().replace("HUGE", text))
' >"$(case_dir huge_text)/big.xml"
converts huge_text big.xml
size=$(stat -c %s "$owl" 2>/dev/null || echo 0)
[ "$size" -gt $((50 * 1024 * 1024)) ] && ok || bad "huge_text: output of $size bytes"

# A word of 100,000 letters that ends in a suffix the stemmer takes off,
# and one of 100,000 y's (whose consonant status depends on the letter
# before each), stemmed when queltKbTool matches terms by their stems.
long=$(python3 -c 'print("ab" * 49996 + "ational")')
ys=$(python3 -c 'print("y" * 100000)')
document "$long $ys" "" >"$(case_dir long_word)/word.xml"
converts long_word word.xml
printf '%s\n' "$ys ${long^^}" >"$work/long_word/terms.txt"
bounded "$work/long_word" "$tool" match word.xml terms.txt --stems
report "long_word (match --stems)"
expect "long_word: match status" "$status" 0
matches "long_word: matched by stems" "$out" $'\tLeaf\\|C2$'
within_memory "long_word (match --stems)"
bounded "$work/long_word" "$tool" match word.xml terms.txt
report "long_word (match)"
expect "long_word: exact match status" "$status" 0
matches "long_word: no exact match" "$out" $'\tnone\t$'

# --- encodings and names -------------------------------------------------
text=$'Gr\xc3\xb6\xc3\x9fe \xe2\x82\xac \xf0\x9d\x84\x9e caf\xc3\xa9'
document "$text" "" >"$(case_dir utf8)/terms.xml"
converts utf8 terms.xml
utf8_owl=$owl
grep -q -F "$text" "$utf8_owl" && ok || bad "utf8: text not in the output"
for variant in utf16le utf16be; do
  python3 -c '
import sys
text = open(sys.argv[1], encoding="utf-8").read().replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\"")
codec, bom = ("utf-16-le", b"\xff\xfe") if sys.argv[3] == "utf16le" else ("utf-16-be", b"\xfe\xff")
open(sys.argv[2], "wb").write(bom + text.encode(codec))
' "$work/utf8/terms.xml" "$(case_dir $variant)/terms.xml" "$variant"
  converts "$variant" terms.xml
  cmp -s "$utf8_owl" "$owl" && ok || bad "$variant: output differs from that of the UTF-8 input"
done
odd=$'my terms \xc3\xa9\xc3\xa0 \xe6\x97\xa5\xe6\x9c\xac.xml'
document "Leaf term" "" >"$(case_dir odd_name)/$odd"
converts odd_name "$odd"
[ -s "$owl" ] && ok || bad "odd_name: no output named after the input"

# --- usage -----------------------------------------------------------------
bounded "$(case_dir usage)" "$prog" -n NS -v 1.0
report "no input file"
expect "usage: status" "$status" 2
matches "usage: message" "$err" '^No input file given\.$'
expect "usage: nothing written" "$(ls -A "$work/usage")" ""

# --- outputs that cannot be written -----------------------------------------
# A directory without write permission (for an unprivileged user).
document "Leaf term" "" >"$(case_dir read_only)/in.xml"
echo keep >"$work/read_only/in.xml-ByRXK-$stamp.owl"
chmod 555 "$work/read_only"
bounded "$work/read_only" "${as_unprivileged[@]}" "$prog" in.xml
report "read_only"
expect "read_only: status" "$status" 1
matches "read_only: message" "$err" \
  "^ERROR: cannot write output file 'in.xml-ByRXK-$stamp.owl': Permission denied$"
expect "read_only: existing output untouched" "$(cat "$work/read_only/in.xml-ByRXK-$stamp.owl")" keep
expect "read_only: nothing else" "$(ls -A "$work/read_only" | wc -l)" 2

# Output beyond the file-size limit (512 KB), with SIGXFSZ ignored so that
# the write fails with EFBIG instead of killing the process.
{ document "Leaf term" "" | sed '$d'
  for i in $(seq 3 3000); do
    echo "<conceptDef><name>C$i</name><code>C$i</code><definingConcepts><concept>Root</concept></definingConcepts><properties><property><name>RXK</name><value>X$i</value></property><property><name>Preferred_Name</name><value>term number $i of a long list</value></property></properties></conceptDef>"
  done
  echo "</terminology>"; } >"$(case_dir file_size)/in.xml"
echo keep >"$work/file_size/in.xml-ByRXK-$stamp.owl"
bounded "$work/file_size" bash -c "trap '' XFSZ; ulimit -f 512; exec \"\$0\" in.xml" "$prog"
report "file_size"
expect "file_size: status" "$status" 1
matches "file_size: message" "$err" \
  "^ERROR: cannot write output file 'in.xml-ByRXK-$stamp.owl': File too large$"
expect "file_size: existing output untouched" "$(cat "$work/file_size/in.xml-ByRXK-$stamp.owl")" keep
expect "file_size: nothing else" "$(ls -A "$work/file_size" | wc -l)" 2

# --- nothing of the private file anywhere ------------------------------------
grep -q -F "$secret" "$work/.console" && bad "the secret appeared on the console" || ok
expect "files holding the secret" "$(grep -r -l -F "$secret" "$work" --exclude-dir=private --exclude=.console)" ""

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
