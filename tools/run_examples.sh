#!/usr/bin/env bash
# The main job: builds the three programs and runs them without any prompt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/ensure_deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2
for prog in hydrostatic_curves floating_attitude righting_arm; do
  echo "== $prog"
  ./build/apps/$prog/$prog </dev/null || true
done
