#!/usr/bin/env bash
# The main job: builds the programs and runs them on the bundled
# examples, without any prompt (path argument, standard input closed), each
# in its own output folder under out/ (the mesh hulls of wigley_mesh/ and
# catamaran/ among them); builds the Wigley hull from its table of offsets
# with hull_from_offsets and runs the three programs on that too; draws the
# cross curves of stability (cross_curves) of the box barge, the Wigley hull
# and the mesh hulls; runs the loading conditions of examples/loading/
# (loading_condition); then prints a few key figures.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash tools/ensure_deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target hydrostatic_curves floating_attitude righting_arm hull_from_offsets \
  cross_curves loading_condition
bin=$root/build/apps
export LC_ALL=C.UTF-8

# run PROGRAM MODEL OUTDIR [PILLARS]: one program on one model in its own folder.
failed=0
run() {
  local prog=$1 model=$2 dir=$3 pillars=${4:-} status=0
  mkdir -p "$dir"
  [ -n "$pillars" ] && cp "$pillars" "$dir/FourPillars.txt"
  (cd "$dir" && "$bin/$prog/$prog" "$root/$model" </dev/null >console.txt 2>stderr.txt) ||
    status=$?
  if [ $status -ne 0 ]; then
    echo "$prog on $model ended with status $status (see $dir)"
    failed=1
  fi
}

rm -rf out
for ex in box_barge mixed; do
  run hydrostatic_curves examples/$ex/ship.txt out/$ex/hydrostatic_curves
done
for res in coarse fine; do
  run hydrostatic_curves examples/wigley/ship_$res.txt out/wigley_$res/hydrostatic_curves
done
# Mesh hulls: the Wigley hull as STL meshes, a catamaran as an OBJ.
for res in coarse fine; do
  run hydrostatic_curves examples/wigley_mesh/ship_$res.txt out/wigley_mesh_$res/hydrostatic_curves
done
run hydrostatic_curves examples/catamaran/ship.txt out/catamaran/hydrostatic_curves
for ex in box_barge semisub semisub_symmetric mixed wigley_mesh catamaran; do
  run floating_attitude examples/$ex/model.txt out/$ex/floating_attitude examples/$ex/FourPillars.txt
  run righting_arm examples/$ex/model.txt out/$ex/righting_arm
done

# The cross curves of stability: the default sheet (drafts D/10 ... 9D/10,
# heels 0, 5, ..., 90 degrees) of a ship file each.
for ex in box_barge/ship wigley/ship_fine wigley_mesh/ship_fine catamaran/ship; do
  name=${ex%/*}
  [ "$name" = wigley ] && name=wigley_fine
  [ "$name" = wigley_mesh ] && name=wigley_mesh_fine
  run cross_curves examples/$ex.txt out/$name/cross_curves
done

# Loading conditions: weights, tanks whose liquids shift, the floating
# position, GZ and the criteria.
for ex in box_barge wigley; do
  run loading_condition examples/loading/$ex/condition.toml out/loading_$ex/loading_condition
done

# The Wigley hull from its table of offsets: the model files in
# out/wigley_offsets/model/, then the three programs on them.
wig=out/wigley_offsets
mkdir -p $wig/hull_from_offsets
"$bin/hull_from_offsets/hull_from_offsets" examples/wigley/offsets.csv --draft 6.25 --kg 4.5 \
  --out $wig/model >$wig/hull_from_offsets/console.txt 2>$wig/hull_from_offsets/stderr.txt || {
  echo "hull_from_offsets on examples/wigley/offsets.csv ended with status $? (see $wig/hull_from_offsets)"
  failed=1
}
run hydrostatic_curves $wig/model/ship.txt $wig/hydrostatic_curves
run floating_attitude $wig/model/model.txt $wig/floating_attitude $wig/model/FourPillars.txt
run righting_arm $wig/model/model.txt $wig/righting_arm

# Key figures.
gbk() { iconv -f GBK -t UTF-8 "$1" | tr -d '\r'; }
echo
echo "Output folders: $root/out/<example>/<program>/ (console.txt is the console text)."
echo
echo "Wigley hull from examples/wigley/offsets.csv (hull_from_offsets):"
sed 's/^/  /' $wig/hull_from_offsets/console.txt
echo
echo "Wigley hull (L 100, B 10, T 6.25; at T the exact CB is 4/9 = 0.444444, Cw = Cm = 2/3):"
for res in coarse fine offsets mesh_coarse mesh_fine; do
  f=out/wigley_$res/hydrostatic_curves/Hydro_Static.txt
  [ -f "$f" ] || continue
  # The third table's rows: T ZmL CB Cw Cm Cp; show the drafts next to T.
  gbk "$f" | awk -v r="$res" '/^ / { n++; row[n] = $0 }
    END { t = n / 3; for (i = 2 * t + 1; i <= n; i++) { split(row[i], c, " ");
      if (c[1] + 0 > 6.15 && c[1] + 0 < 6.35)
        printf "  %-11s T=%-5s CB=%-9s Cw=%-9s Cm=%-9s Cp=%s\n", r, c[1], c[3], c[4], c[5], c[6] } }'
done
echo
for ex in semisub semisub_symmetric box_barge wigley_offsets wigley_mesh catamaran; do
  f=out/$ex/floating_attitude/console.txt
  [ -f "$f" ] || continue
  echo "$ex, floating attitude (step lines: $(grep -c '^Step' "$f")):"
  grep -E '^(水平面方程|浮体坐标系下|[1-4]号立柱)' "$f" | sed 's/^/  /'
done
echo
for ex in box_barge semisub semisub_symmetric mixed wigley_offsets wigley_mesh catamaran; do
  f=out/$ex/righting_arm/RightingArm_Around_X_Axis.txt
  [ -f "$f" ] || continue
  gbk "$f" | awk -v ex="$ex" '/系列/ { s++; best[s] = -1e300; next }
    { if ($2 + 0 > best[s]) { best[s] = $2 + 0; at[s] = $1 } }
    END { printf "%s, maximum righting arm: %s at %s deg (heel to starboard), %s at %s deg (to port)\n",
          ex, best[1], at[1], best[2], at[2] }'
done
echo
echo "Cross curves of stability, KN (m) to starboard with G on the base line, free trim:"
for ex in box_barge wigley_fine wigley_mesh_fine catamaran; do
  f=out/$ex/cross_curves/KN_Curves.csv
  [ -f "$f" ] || continue
  # The middle displacement of the sheet at 10, 30, 60 and 90 degrees.
  awk -F, -v ex="$ex" 'NR > 1 { if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 }
      kn[$1 "," $5 + 0] = $6 }
    END { d = order[int((n + 1) / 2)]
      printf "  %-17s displacement %.1f t: KN(10)=%.4f KN(30)=%.4f KN(60)=%.4f KN(90)=%.4f\n",
        ex, d, kn[d ",10"], kn[d ",30"], kn[d ",60"], kn[d ",90"] }' "$f"
done

echo
echo "Loading conditions (liquids shifting with heel and trim; damage by lost buoyancy):"
for ex in box_barge wigley; do
  f=out/loading_$ex/loading_condition/console.txt
  [ -f "$f" ] || continue
  echo "  $ex:"
  sed -n '2,3p' "$f" | sed 's/^/    /'
  grep '^破损工况' "$f" | sed 's/^/    /' || true
done

if [ $failed -ne 0 ]; then
  echo "A program failed; see the messages above." >&2
  exit 1
fi
