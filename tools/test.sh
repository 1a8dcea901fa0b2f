#!/usr/bin/env bash
# Installs the dependencies, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DQUELT_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure
