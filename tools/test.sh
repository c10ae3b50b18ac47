#!/usr/bin/env bash
# Builds and runs every test.
#   --sanitize  in a separate build with AddressSanitizer and
#               UndefinedBehaviorSanitizer
#   --werror    compiler warnings are errors
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/ensure_deps.sh
dir=build
flags=(-DCMAKE_BUILD_TYPE=Release -DVOXEL_WERROR=OFF)
for arg in "$@"; do
  case $arg in
    --sanitize) dir=build-sanitize; flags[0]=-DCMAKE_BUILD_TYPE=RelWithDebInfo
                flags+=(-DVOXEL_SANITIZE=ON) ;;
    --werror) flags[1]=-DVOXEL_WERROR=ON ;;
    *) echo "test.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j2
ctest --test-dir "$dir" --output-on-failure -j2
