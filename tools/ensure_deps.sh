#!/usr/bin/env bash
# Installs the build dependencies when a machine lacks them (Debian).
set -euo pipefail
missing=()
# librsvg2-bin: rsvg-convert, with which the chart tests render the SVG charts.
for pkg in g++ cmake make libgtest-dev libbenchmark-dev librsvg2-bin; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -qq && apt-get install -y -qq "${missing[@]}"
fi
