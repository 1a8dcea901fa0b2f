#!/usr/bin/env bash
# "queltKbTool check" against the converter on generated terminologies with
# faults put in; see consistency.py.
# usage: consistency.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for program in gen_ontylog queltKbTool queltToOWL2; do
  if [ ! -x "$build/$program" ]; then echo "FAIL: $build/$program not built"; exit 1; fi
done
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
python3 "$here/consistency.py" "$build" "$work"
