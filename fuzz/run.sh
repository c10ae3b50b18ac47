#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz and runs one of them.
#   bash fuzz/run.sh TARGET SECONDS [more libFuzzer options]
# TARGET: format2, ship, pillars, text_input, mesh or condition. The corpus
# it grows is kept in build-fuzz/corpus/TARGET; the seeds of
# fuzz/corpus/TARGET are read, and an input that fails is saved in
# fuzz/reproducers/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 2 ] || { echo "usage: bash fuzz/run.sh TARGET SECONDS [libFuzzer options]" >&2; exit 2; }
target=$1 seconds=$2
shift 2
[ -f "fuzz/${target}_fuzz.cpp" ] || { echo "run.sh: no fuzz target $target" >&2; exit 2; }
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVOXEL_FUZZ=ON -DVOXEL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build build-fuzz -j2 --target "${target}_fuzz"
mkdir -p "build-fuzz/corpus/$target" "fuzz/reproducers/$target"
exec "build-fuzz/fuzz/${target}_fuzz" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
  -dict=fuzz/models.dict -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="fuzz/reproducers/$target/" "$@"
