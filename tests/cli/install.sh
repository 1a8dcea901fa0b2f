#!/usr/bin/env bash
# The installed programs: "cmake --install" into a temporary prefix puts
# both programs and their manual pages there, the installed converter
# converts the sample and the installed tool checks the faulty one, "man"
# renders both pages without a warning, and "cpack -G DEB" makes a package
# that holds them and declares the libraries they load.
# usage: install.sh BUILD_DIR TEST_DATA_DIR
set -u
build=$(cd "$1" && pwd); data=$(cd "$2" && pwd)
repo=$(cd "$data/../.." && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
pass=0; fail=0
expect() {
  if [ "$2" = "$3" ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL: $1: got [$2], want [$3]"; fi
}
contains() { if grep -q -F -- "$3" <<<"$2"; then expect "$1" x x; else expect "$1" "$2" "... $3 ..."; fi; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null; expect "install" $? 0
expect "installed files" "$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')" \
  "./bin/queltKbTool ./bin/queltToOWL2 ./share/man/man1/queltKbTool.1 ./share/man/man1/queltToOWL2.1 "

# The installed programs, run from elsewhere, on copies of the samples.
mkdir "$work/run"
cp "$repo/examples/cardio.xml" "$repo/examples/cardio-faulty.xml" "$work/run/"
(cd "$work/run" && "$prefix/bin/queltToOWL2" cardio.xml >/dev/null 2>&1); expect "installed converter" $? 0
owl=$(ls "$work/run"/cardio.xml-ByRXK-*.owl 2>/dev/null)
expect "the converter wrote its output" "$(wc -l <<<"$owl")" 1
if command -v xmllint >/dev/null && [ -n "$owl" ]; then
  xmllint --noout "$owl" 2>/dev/null; expect "the output is well-formed" $? 0
fi
out=$(cd "$work/run" && "$prefix/bin/queltKbTool" check cardio-faulty.xml 2>/dev/null); status=$?
expect "installed check of the faulty sample" "$status" 1
expect "installed check summary" "$(tail -n 1 <<<"$out")" "5 errors, 3 warnings"

# The manual pages render without a warning and say what the README says.
if command -v man >/dev/null; then
  for page in queltToOWL2 queltKbTool; do
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>"$work/man.err")
    expect "man $page" $? 0
    expect "man $page warnings" "$(cat "$work/man.err")" ""
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" EXAMPLES; do
      contains "man $page: $section" "$text" "$section"
    done
  done
  contains "queltKbTool(1) names the check" "$text" "queltKbTool check examples/cardio-faulty.xml --format json"
else
  echo "man is not installed: the manual pages are not rendered"
fi

# The Debian package.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null && [ -f "$build/CPackConfig.cmake" ]; then
  (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1); expect "cpack" $? 0
  deb=$(ls "$work/package"/quelt_*.deb 2>/dev/null)
  expect "one package" "$(wc -l <<<"$deb")" 1
  if [ -n "$deb" ]; then
    expect "package name" "$(dpkg-deb -f "$deb" Package)" quelt
    depends=$(dpkg-deb -f "$deb" Depends)
    for library in libxerces-c3.2 libstdc++6 libc6; do
      contains "package depends on $library" "$depends" "$library"
    done
    expect "package contents" "$(dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ { print $NF }' | sort | tr '\n' ' ')" \
      "./usr/bin/queltKbTool ./usr/bin/queltToOWL2 ./usr/share/man/man1/queltKbTool.1 ./usr/share/man/man1/queltToOWL2.1 "
  fi
else
  echo "cpack or dpkg-deb is not installed: no package is made"
fi

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
