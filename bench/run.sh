#!/usr/bin/env bash
# Runs the whole programs on large generated models and prints a table of
# wall time and peak memory (maximum resident set size).
#
#   bash bench/run.sh [--bin DIR] [--threads N] [--repeat K] [--scaling] [--large] [--mesh]
#
#   --bin DIR     the programs to time (DIR/<program>/<program>); by default
#                 this checkout's Release build in build-bench/apps
#   --threads N   passed to the programs that take it (hydrostatic_curves,
#                 righting_arm, cross_curves); by default they use every core
#   --repeat K    run each case K times and keep the fastest (default 3)
#   --scaling     also the hydrostatic table for 10^4, 10^5, 10^6 and 4*10^6
#                 tetrahedra
#   --large       also righting_arm on 200,000 hexahedra and on 20,000
#                 cylinders (long without the fast paths)
#   --mesh        also the Wigley hull as a closed mesh of 10^6 facets (binary
#                 STL): hydrostatic_curves on a ship file whose hull is the
#                 mesh, the same with D so small that no waterline is computed
#                 (reading), righting_arm on a Format2 model whose one solid
#                 is the mesh; and hydrostatic_curves on the same hull built
#                 from its offsets as 10^6 tetrahedra
#
# The models are generated into build-bench/models (several hundred MB with
# --scaling); nothing large is committed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bin="" threads="" repeat=3 scaling=0 large=0 mesh=0
while [ $# -gt 0 ]; do
  case $1 in
    --bin) bin=$(cd "$2" && pwd); shift ;;
    --threads) threads=$2; shift ;;
    --repeat) repeat=$2; shift ;;
    --scaling) scaling=1 ;;
    --large) large=1 ;;
    --mesh) mesh=1 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done

bash tools/ensure_deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVOXEL_BUILD_BENCH=ON \
      -DVOXEL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target make_bench_models hydrostatic_curves floating_attitude \
      righting_arm cross_curves loading_condition hull_from_offsets >/dev/null
[ -n "$bin" ] || bin=$root/build-bench/apps
gen=$root/build-bench/bench/make_bench_models
models=$root/build-bench/models
mkdir -p "$models"

# model NAME ARGS...: generates once.
model() {
  local name=$1; shift
  [ -s "$models/$name" ] || "$gen" "$@" >"$models/$name"
  echo "$models/$name"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# timed LABEL PROGRAM MODEL [PILLARS]: the fastest of the repeats.
printf '%-58s %9s %11s\n' "run" "wall (s)" "peak (MB)"
timed() {
  local label=$1 prog=$2 file=$3 pillars=${4:-} best="" mem="" i
  local args=("$file")
  if [ -n "$threads" ] && [ "$prog" != floating_attitude ]; then args+=(--threads "$threads"); fi
  for ((i = 0; i < repeat; i++)); do
    rm -rf "$work/run" && mkdir -p "$work/run"
    [ -n "$pillars" ] && cp "$pillars" "$work/run/FourPillars.txt"
    # A run that computes no waterline ends with status 1 (the reading-only
    # case); only the time matters here. The last line of the time file is
    # the figures.
    (cd "$work/run" && /usr/bin/time -f '%e %M' -o "$work/time" "$bin/$prog/$prog" "${args[@]}" \
       </dev/null >/dev/null 2>"$work/stderr") || true
    read -r t m < <(tail -n 1 "$work/time")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t mem=$m; fi
  done
  printf '%-58s %9s %11.0f\n' "$label" "$best" "$(awk -v m="$mem" 'BEGIN { print m / 1024 }')"
}

hull=$(model box_hull_1e6.txt box_hull 200 20 50)
[ -s "$models/box_hull_1e6_D0.5.txt" ] || sed 's/^D=10$/D=0.5/' "$hull" >"$models/box_hull_1e6_D0.5.txt"
timed "hydrostatic_curves, box hull 10^6 tetrahedra, D = 10" hydrostatic_curves "$hull"
timed "hydrostatic_curves, same hull, D = 0.5 (reading, no waterline)" hydrostatic_curves \
      "$models/box_hull_1e6_D0.5.txt"
timed "cross_curves, same hull (D = 10), default sheet 9 x 19" cross_curves "$hull"
# The Wigley condition without its damage case: the paths made absolute, the
# file ending before its first [[compartment]].
wig=$root/examples/loading/wigley
sed -e '/^\[\[compartment\]\]/,$d' -e "s|\"\\.\\./\\.\\./|\"$root/examples/|" \
    -e "s|\"tanks/|\"$wig/tanks/|" "$wig/condition.toml" >"$work/wigley_intact.toml"
timed "loading_condition, Wigley hull, ten tanks, GZ at 1 degree (182 arms)" loading_condition \
      "$work/wigley_intact.toml"
timed "same with the engine room flooded (182 residual arms more)" loading_condition \
      "$wig/condition.toml"
timed "righting_arm, four-column body (4 hex + 4 cyl)" righting_arm \
      "$(model four_column.txt four_column)"
timed "righting_arm, box body 20,000 hexahedra (10^5 tetrahedra)" righting_arm \
      "$(model box_body_2e4.txt box_body 40 10 50)"
timed "floating_attitude, semi-submersible example" floating_attitude \
      "$root/examples/semisub/model.txt" "$root/examples/semisub/FourPillars.txt"
if [ $large = 1 ]; then
  timed "righting_arm, box body 200,000 hexahedra" righting_arm \
        "$(model box_body_2e5.txt box_body 100 20 100)"
  timed "righting_arm, 20,000 cylinders" righting_arm "$(model columns_2e4.txt column_body 20000)"
fi
if [ $scaling = 1 ]; then
  timed "hydrostatic_curves, 10^4 tetrahedra" hydrostatic_curves \
        "$(model box_hull_1e4.txt box_hull 20 10 10)"
  timed "hydrostatic_curves, 10^5 tetrahedra" hydrostatic_curves \
        "$(model box_hull_1e5.txt box_hull 50 20 20)"
  timed "hydrostatic_curves, 10^6 tetrahedra" hydrostatic_curves "$hull"
  timed "hydrostatic_curves, 4*10^6 tetrahedra" hydrostatic_curves \
        "$(model box_hull_4e6.txt box_hull 400 40 50)"
fi
if [ $mesh = 1 ]; then
  # The mesh file sits beside the model files that name it.
  model wigley_1e6.stl wigley_stl 1000 249 >/dev/null
  mesh_ship=$(model wigley_mesh_ship.txt wigley_mesh_ship wigley_1e6.stl)
  [ -s "$models/wigley_mesh_ship_D0.01.txt" ] ||
    sed 's/^D=.*$/D=0.01/' "$mesh_ship" >"$models/wigley_mesh_ship_D0.01.txt"
  offsets=$(model wigley_offsets_400x249.csv wigley_offsets 400 249)
  [ -s "$models/wigley_offsets/ship.txt" ] ||
    "$root/build-bench/apps/hull_from_offsets/hull_from_offsets" "$offsets" --draft 6.25 \
      --kg 4.5 --out "$models/wigley_offsets" >/dev/null
  timed "hydrostatic_curves, Wigley 10^6 tetrahedra (offsets)" hydrostatic_curves \
        "$models/wigley_offsets/ship.txt"
  timed "hydrostatic_curves, Wigley mesh 10^6 facets" hydrostatic_curves "$mesh_ship"
  timed "hydrostatic_curves, same mesh, D = 0.01 (reading, no waterline)" hydrostatic_curves \
        "$models/wigley_mesh_ship_D0.01.txt"
  timed "righting_arm, Wigley mesh 10^6 facets (Format2)" righting_arm \
        "$(model wigley_mesh_model.txt wigley_mesh_model wigley_1e6.stl)"
fi
