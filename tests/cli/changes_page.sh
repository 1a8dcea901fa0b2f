#!/usr/bin/env bash
# The page of "queltKbTool changes --format html" in a real browser (headless
# Chromium): the report of the sample against its edited copy loads without
# a message on the browser's console, shows the counts of the JSON summary,
# a row per concept that differs, and its filter and tables keep the rows
# they should. The page is read as the browser left it after its script ran.
# usage: changes_page.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
repo=$(cd "$data/../.." && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
pass=0; fail=0
ok()  { pass=$((pass + 1)); }
bad() { fail=$((fail + 1)); echo "FAIL: $*"; }
expect() { if [ "$2" = "$3" ]; then ok; else bad "$1: got [$2], want [$3]"; fi; }
browser=$(command -v chromium || command -v chromium-browser) || { echo "FAIL: no chromium"; exit 1; }

cp "$repo/examples/cardio.xml" "$repo/examples/cardio-next.xml" "$work/"
(cd "$work" && "$build/queltKbTool" changes cardio.xml cardio-next.xml --format html -o page.html &&
  "$build/queltKbTool" changes cardio.xml cardio-next.xml --format json -o report.jsonl) 2>/dev/null
expect "reports written" $? 0

# show FRAGMENT: what the page holds after loading page.html#FRAGMENT, as
# "summary KIND COUNT", "row CODE" and "shown N" lines; the browser's console
# messages are in $work/console.
show() {
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --enable-logging=stderr --v=0 \
    --dump-dom "file://$work/page.html#$1" 2>"$work/browser.err" >"$work/dom.html"
  grep -a -E 'CONSOLE|Uncaught' "$work/browser.err" >"$work/console"
  /usr/bin/python3 - "$work/dom.html" <<'EOF'
import sys
from html.parser import HTMLParser
class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.kind = None
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "td" and "data-kind" in a:
            self.kind = a["data-kind"]
        if tag == "tr" and a.get("class") == "concept":
            print("row", a["data-code"])
        if tag == "span" and a.get("id") == "shown":
            print("shown", a.get("data-matching"))
    def handle_data(self, data):
        if self.kind:
            print("summary", self.kind, data)
            self.kind = None
Page().feed(open(sys.argv[1], encoding="utf-8").read())
EOF
}

page=$(show "")
expect "no console message" "$(cat "$work/console")" ""
expect "the counts shown are the JSON summary" "$(grep '^summary' <<<"$page")" \
  "$(/usr/bin/python3 -c 'import json, sys
summary = json.loads(open(sys.argv[1]).read().splitlines()[-1])["summary"]
print("\n".join("summary %s %d" % (k, v) for k, v in summary.items() if v))' "$work/report.jsonl")"
expect "a row per concept that differs" "$(grep '^row' <<<"$page" | cut -d ' ' -f 2 | paste -s -d ' ')" \
  "$(grep -o '^{"code":"[^"]*"' "$work/report.jsonl" | cut -d '"' -f 4 | paste -s -d ' ')"

page=$(show "filter=aspirin")
expect "filter: no console message" "$(cat "$work/console")" ""
expect "filter by name" "$(grep -E '^(row|shown)' <<<"$page" | paste -s -d ' ')" "shown 2 row C1034 row C1035"
page=$(show "filter=ASPIRIN%20association-removed%20drug")
expect "filter by several words, case and kind and branch" "$(grep -E '^(row|shown)' <<<"$page" | paste -s -d ' ')" \
  "shown 2 row C1034 row C1035"
page=$(show "filter=no-such-concept")
expect "filter matching nothing" "$(grep -E '^(row|shown)' <<<"$page" | paste -s -d ' ')" "shown 0"
page=$(show "table=moved")
expect "the table of moved concepts" "$(grep -E '^(row|shown)' <<<"$page" | paste -s -d ' ')" "shown 1 row C1024"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
