#!/usr/bin/env bash
# Installs the dependencies and runs every test, in three builds:
#   build        the normal build, warnings as errors;
#   build-asan   the same tests built with AddressSanitizer (leaks included)
#                and UndefinedBehaviorSanitizer, where any report fails;
#   build-fuzz   the fuzz targets: every stored input replayed, then each
#                target fuzzed for QUELT_FUZZ_SECONDS (default 30).
# The sanitizer and fuzz builds use clang, so the code is also compiled
# warning-free by a second compiler. The three build folders go under
# QUELT_BUILD_ROOT when that is set (a developer's own place outside the
# tree), else into the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${QUELT_BUILD_ROOT:-.}
started=$SECONDS
bash tools/install-deps.sh

echo "=== normal build"
# The benchmarks are built too, so that they keep building.
cmake -S . -B "$root/build" -DQUELT_WERROR=ON -DQUELT_BUILD_BENCH=ON
cmake --build "$root/build" -j2
ctest --test-dir "$root/build" --output-on-failure

echo "=== sanitizer build"
# -O1 keeps the instrumented build fast to compile and still fast to run.
sanitized=(-DCMAKE_CXX_COMPILER=clang++ -DQUELT_WERROR=ON
           -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g")
cmake -S . -B "$root/build-asan" "${sanitized[@]}" -DQUELT_SANITIZE=ON
cmake --build "$root/build-asan" -j2
# Every report goes to a file of its own in one folder, whichever process
# (death-test child, executable run by a script, unprivileged user) made
# it, and also ends that process with a status no test expects.
reports=$(cd "$root/build-asan" && pwd)/sanitizer-reports
rm -rf "$reports"; mkdir -p "$reports"; chmod 1777 "$reports"
status=0
ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:exitcode=86:log_path=$reports/asan" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=86:log_path=$reports/ubsan" \
  ctest --test-dir "$root/build-asan" --output-on-failure || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  for report in "$reports"/*; do echo "--- $report"; cat "$report"; done
  echo "the sanitizers reported the faults above"
  status=1
fi
[ "$status" -eq 0 ] || exit "$status"

echo "=== fuzz build"
cmake -S . -B "$root/build-fuzz" "${sanitized[@]}" -DQUELT_BUILD_FUZZ=ON -DQUELT_BUILD_TESTS=OFF \
  -DQUELT_FUZZ_SECONDS="${QUELT_FUZZ_SECONDS:-30}"
cmake --build "$root/build-fuzz" -j2 --target fuzz_reader fuzz_text
ctest --test-dir "$root/build-fuzz/tests/fuzz" --output-on-failure -j2

echo "=== all tests passed in $((SECONDS - started)) s"
