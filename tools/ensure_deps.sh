#!/usr/bin/env bash
# Installs the build and test dependencies when a machine lacks them (Debian):
# the compiler and CMake, GoogleTest, Google Benchmark, CLI11 (the command
# line), toml++ (the loading-condition files), nlohmann-json (JSON), libxml2
# (the tests read the charts back), rsvg-convert and a CJK font (the tests
# render the charts), clang (the fuzz targets) and chromium (a test opens the
# HTML report in it).
set -euo pipefail
missing=()
for pkg in g++ cmake make libgtest-dev libbenchmark-dev libcli11-dev libtomlplusplus-dev \
           nlohmann-json3-dev libxml2-dev librsvg2-bin fonts-wqy-microhei clang \
           chromium; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -qq && apt-get install -y -qq "${missing[@]}"
fi
