#!/usr/bin/env bash
# The bad-input matrix: every row of tests/data/cli/badinput.txt is one run of
# queltToOWL2 or queltKbTool, in a folder of its own, within a time and a
# memory limit. Each run must end with the row's status and message; a
# failed run leaves the output as it was and writes nothing else, a run
# that succeeds writes a well-formed output and nothing else; and no run
# may let the private file that hostile documents point at reach any file
# or the console. Prints each run's status, time and peak memory.
# usage: badinput.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
work=$(mktemp -d); trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
pass=0; fail=0
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
stamp=$(date +%y%m%d)

# Limits of every run. A build with AddressSanitizer runs several times
# slower and reserves terabytes of address space, so there it gets more
# time and the sanitizer's own limit on resident memory stands in for the
# address-space limit.
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

# --- the makers of inputs, run in the case's folder ---------------------------
# A small terminology: $1 is the Preferred_Name of its one concept below the
# root (line 13), $2 stands between the XML declaration and the root.
document() {
  cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
${2:-}
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
copy() { cp "$data/$1" "$2"; }
noise() {
  python3 -c 'import random, sys; random.seed(7); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(65536)))'
}
nested() {
  document Leaf | sed '$d'
  python3 -c 'import sys; n = 100000; sys.stdout.write("<a>" * n + "deep" + "</a>" * n + "\n")'
  echo "</terminology>"
}
huge() {
  document HUGE | python3 -c '
import sys
text = "huge text &amp; &lt;more> " * (50 * 1024 * 1024 // 21 + 1)
sys.stdout.write(sys.stdin.read().replace("HUGE", text))'
}
long_words() { document "$(python3 -c 'print("ab" * 49996 + "ational", "y" * 100000)')"; }
long_terms() { python3 -c 'print("y" * 100000, ("ab" * 49996 + "ational").upper())'; }
utf8_text=$'Gr\xc3\xb6\xc3\x9fe \xe2\x82\xac \xf0\x9d\x84\x9e caf\xc3\xa9'
# document "$2" in UTF-16 ($1: le or be) with its byte order mark.
utf16() {
  document "$2" | python3 -c '
import sys
text = sys.stdin.read().replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\"")
codec, bom = ("utf-16-le", b"\xff\xfe") if sys.argv[1] == "le" else ("utf-16-be", b"\xfe\xff")
sys.stdout.buffer.write(bom + text.encode(codec))' "$1"
}
# A terminology of $1 concepts below the root.
many() {
  document Leaf | sed '$d'
  for i in $(seq 3 "$1"); do
    echo "<conceptDef><name>C$i</name><code>C$i</code><definingConcepts><concept>Root</concept></definingConcepts><properties><property><name>RXK</name><value>X$i</value></property><property><name>Preferred_Name</name><value>term number $i of a long list</value></property></properties></conceptDef>"
  done
  echo "</terminology>"
}

# The private file that hostile documents point at.
secret="SECRET-$$-$RANDOM-CONTENT"
mkdir "$work/private"; echo "$secret" >"$work/private/secret.txt"
echo "<!ENTITY leak \"$secret\">" >"$work/private/secret.dtd"

as_nobody=()
[ "$(id -u)" -eq 0 ] && as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)

# --- the runs -------------------------------------------------------------------
# run_case CASE INPUT AS STATUS STREAM MESSAGE OUTPUT COMMAND
run_case() {
  local name=$1 input=$2 as=$3 want=$4 stream=$5 message=${6//STAMP/$stamp} output=${7//STAMP/$stamp} command=$8
  local dir="$work/$name" prefix=() before words
  mkdir "$dir"
  [ "$output" != - ] && [ "$want" != 0 ] && echo keep >"$dir/$output"
  [ "$input" != - ] && (cd "$dir" && eval "$input")
  before=$(ls -A "$dir")
  eval "words=($command)"
  words[0]="$build/${words[0]}"
  case $as in
    nobody) prefix=("${as_nobody[@]}") ;;
    fsize=*) prefix=(bash -c "trap '' XFSZ; ulimit -f ${as#fsize=}; exec \"\$@\"" -) ;;
  esac
  ( cd "$dir" && limit_memory && exec timeout -k 5 "$seconds" \
      /usr/bin/time -f '%e %M' -o "$work/.time" "${prefix[@]}" "${words[@]}" ) \
    >"$work/.out" 2>"$work/.err"
  local status=$? secs=? peak_kb=0
  [ -s "$work/.time" ] && read -r secs peak_kb < <(tail -n 1 "$work/.time")
  rm -f "$work/.time"
  cat "$work/.out" "$work/.err" >>"$work/.console"
  local said
  said=$(cat "$work/.out" "$work/.err" |
    grep -a -m 1 -E '^(Fatal Error|ERROR|queltKbTool:|No input|Execution took)')
  printf '  %-19s %4s %7s s %5s MB  %s\n' "$name" "$status" "$secs" $((peak_kb / 1024)) "$said" | cut -c 1-150

  expect "$name: status" "$status" "$want"
  [ $((peak_kb / 1024)) -lt "$memory_mb" ] || bad "$name: peak memory $((peak_kb / 1024)) MB"
  local pattern rest="$message&&"
  while [ -n "$rest" ]; do
    pattern=${rest%%&&*}; rest=${rest#*&&}
    pattern=$(sed -e 's/^ *//' -e 's/ *$//' <<<"$pattern")
    case $pattern in
      FATAL) pattern='^Fatal Error: .+ at line: [0-9]+$' ;;
      DONE) pattern='^Execution took .* seconds$' ;;
    esac
    grep -a -q -E -- "$pattern" "$work/.$stream" && ok || bad "$name: /$pattern/ not in [$(head -c 500 "$work/.$stream")]"
  done
  if [ "$want" = 0 ]; then
    if [ "$output" != - ]; then
      xmllint --noout --huge "$dir/$output" 2>"$work/.xl" && ok ||
        bad "$name: output not well-formed: $(head -c 300 "$work/.xl")"
      before=$(printf '%s\n%s' "$before" "$output" | grep . | LC_ALL=C sort)
    fi
    expect "$name: files" "$(ls -A "$dir" | LC_ALL=C sort)" "$(LC_ALL=C sort <<<"$before")"
  else
    expect "$name: files" "$(ls -A "$dir")" "$before"
    [ "$output" != - ] && expect "$name: output kept" "$(cat "$dir/$output")" keep
    [ "${words[0]##*/}" = queltKbTool ] && expect "$name: standard output" "$(cat "$work/.out")" ""
  fi
}

echo "  case                exit    time       peak  message"
while IFS= read -r row; do
  case $row in ''|'#'*) continue ;; esac
  fields=()
  while [[ $row == *' | '* ]]; do fields+=("${row%% | *}"); row=${row#* | }; done
  fields+=("$row")
  for i in "${!fields[@]}"; do fields[$i]=$(sed -e 's/^ *//' -e 's/ *$//' <<<"${fields[$i]}"); done
  if [ ${#fields[@]} -ne 8 ]; then bad "row ${fields[0]}: ${#fields[@]} columns"; continue; fi
  run_case "${fields[@]}"
done <"$data/cli/badinput.txt"

# --- what the rows alone cannot say ------------------------------------------------
owl=terms.xml-ByRXK-$stamp.owl
grep -q -F "$utf8_text" "$work/utf8/$owl" && ok || bad "utf8: the text is not in the output"
for variant in utf16le utf16be; do
  cmp -s "$work/utf8/$owl" "$work/$variant/$owl" && ok || bad "$variant: output differs from that of UTF-8"
done
size=$(stat -c %s "$work/huge_text/big.xml-ByRXK-$stamp.owl" 2>/dev/null || echo 0)
[ "$size" -gt $((50 * 1024 * 1024)) ] && ok || bad "huge_text: output of $size bytes"
grep -q -F "$secret" "$work/.console" && bad "the secret appeared on the console" || ok
expect "files holding the secret" \
  "$(grep -r -l -F "$secret" "$work" --exclude-dir=private --exclude=.console)" ""

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
