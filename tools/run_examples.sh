#!/usr/bin/env bash
# The main job: builds the three programs and runs them on the bundled
# examples, without any prompt (path argument, standard input closed), each
# in its own output folder under out/, then prints a few key figures.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash tools/ensure_deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target hydrostatic_curves floating_attitude righting_arm
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
for ex in box_barge semisub semisub_symmetric mixed; do
  run floating_attitude examples/$ex/model.txt out/$ex/floating_attitude examples/$ex/FourPillars.txt
  run righting_arm examples/$ex/model.txt out/$ex/righting_arm
done

# Key figures.
gbk() { iconv -f GBK -t UTF-8 "$1" | tr -d '\r'; }
echo
echo "Output folders: $root/out/<example>/<program>/ (console.txt is the console text)."
echo
echo "Wigley hull (L 100, B 10, T 6.25; at T the exact CB is 4/9 = 0.444444, Cw = Cm = 2/3):"
for res in coarse fine; do
  f=out/wigley_$res/hydrostatic_curves/Hydro_Static.txt
  [ -f "$f" ] || continue
  # The third table's rows: T ZmL CB Cw Cm Cp; show the drafts next to T.
  gbk "$f" | awk -v r="$res" '/^ / { n++; row[n] = $0 }
    END { t = n / 3; for (i = 2 * t + 1; i <= n; i++) { split(row[i], c, " ");
      if (c[1] + 0 > 6.15 && c[1] + 0 < 6.35)
        printf "  %-6s T=%-5s CB=%-9s Cw=%-9s Cm=%-9s Cp=%s\n", r, c[1], c[3], c[4], c[5], c[6] } }'
done
echo
for ex in semisub semisub_symmetric box_barge; do
  f=out/$ex/floating_attitude/console.txt
  [ -f "$f" ] || continue
  echo "$ex, floating attitude:"
  grep -E '^(水平面方程|浮体坐标系下|[1-4]号立柱)' "$f" | sed 's/^/  /'
done
echo
for ex in box_barge semisub semisub_symmetric mixed; do
  f=out/$ex/righting_arm/RightingArm_Around_X_Axis.txt
  [ -f "$f" ] || continue
  gbk "$f" | awk -v ex="$ex" '/系列/ { s++; best[s] = -1e300; next }
    { if ($2 + 0 > best[s]) { best[s] = $2 + 0; at[s] = $1 } }
    END { printf "%s, maximum righting arm: %s at %s deg (heel to starboard), %s at %s deg (to port)\n",
          ex, best[1], at[1], best[2], at[2] }'
done

if [ $failed -ne 0 ]; then
  echo "A program failed; see the messages above." >&2
  exit 1
fi
