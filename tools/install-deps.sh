#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine.
set -euo pipefail
# nlohmann-json3-dev: the JSON Lines of "queltKbTool check"; man-db: the
# test that renders the manual pages; dpkg-dev: cpack's dependency lookup
# (dpkg-shlibdeps) for the Debian package; pmccabe: the function lengths of
# tools/check_size.sh; chromium: the test that opens the page of
# "queltKbTool changes --format html" in a real browser.
pkgs=(cmake g++ make libxerces-c-dev libgtest-dev libbenchmark-dev raptor2-utils
      python3 python3-rdflib libxml2-utils time clang libclang-rt-14-dev clang-format
      nlohmann-json3-dev man-db dpkg-dev pmccabe chromium)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
