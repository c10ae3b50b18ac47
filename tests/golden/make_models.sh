#!/usr/bin/env bash
# Writes the small models of tests/golden/models/: one hull (ship information
# file) and one floating body (Format2 model with its pillar file) made of a
# single kind of solid each, so that every kind's cut reaches the stored
# outputs on its own. The files are committed; this script says where they
# came from. Numbers are written with %.10g, lines end in LF.
set -euo pipefail
out=${1:-$(dirname "$0")/models}
mkdir -p "$out"

# ship_header LOA LPP B D VD GX GY GZ
ship_header() {
  printf 'Loa=%s\nLpp=%s\nB=%s\nD=%s\nVD=%s\nGra_Pt.x=%s\nGra_Pt.y=%s\nGra_Pt.z=%s\nW_Den=1.025\nC1=1.006\n' "$@"
}
# model_header V GX GY GZ
model_header() {
  printf 'Volume of Displacement=%s\nGra_Pt.x=%s\nGra_Pt.y=%s\nGra_Pt.z=%s\n' "$@"
}
# pillars X1 Y1 X2 Y2 X3 Y3 X4 Y4 ZTOP: four vertical axes from z = 0.
pillars() {
  local z=${9}
  printf '#1:\n%s,%s,0\n%s,%s,%s\n#2:\n%s,%s,0\n%s,%s,%s\n#3:\n%s,%s,0\n%s,%s,%s\n#4:\n%s,%s,0\n%s,%s,%s\n' \
    "$1" "$2" "$1" "$2" "$z" "$3" "$4" "$3" "$4" "$z" "$5" "$6" "$5" "$6" "$z" "$7" "$8" "$7" "$8" "$z"
}

# Tetrahedra: ten cells 4 m long, half-breadth b(x) = 4 (1 - ((x - 20) / 24)^2),
# depth 5, each cell (a box with planar flared sides) cut into six
# tetrahedra around its diagonal from the aft bottom starboard corner.
tet_blocks() {
  awk 'function b(x) { return 4 * (1 - ((x - 20) / 24) ^ 2) }
  function v(p) { printf "%.10g,%.10g,%.10g\n", X[p], Y[p], Z[p] }
  BEGIN {
    for (i = 0; i < 10; i++) {
      x0 = 4 * i; x1 = x0 + 4; b0 = b(x0); b1 = b(x1)
      # corners 0..7: bit 0 = x1, bit 1 = port side, bit 2 = deck
      for (c = 0; c < 8; c++) {
        X[c] = (c % 2) ? x1 : x0; bb = (c % 2) ? b1 : b0
        Y[c] = (int(c / 2) % 2) ? bb : -bb; Z[c] = (int(c / 4) % 2) ? 5 : 0
      }
      # the six tetrahedra of the path decomposition 0 -> 7
      split("1 3 2 6 4 5", m, " ")
      for (k = 1; k <= 6; k++) {
        a = m[k]; c2 = m[k % 6 + 1]
        print "Tetrahedron"; v(0); v(a); v(c2); v(7)
      }
    }
  }'
}
total_tet=$(awk 'function b(x) { return 4 * (1 - ((x - 20) / 24) ^ 2) }
  BEGIN { for (i = 0; i < 10; i++) s += 4 * 5 * (b(4 * i) + b(4 * i + 4)); printf "%.10g", s }')
{ ship_header 40 40 8 5 0 20.5 0 2.5; echo '# tetrahedra only (golden outputs)'; tet_blocks; } >"$out/tetrahedra_ship.txt"
{ model_header "$(awk -v t="$total_tet" 'BEGIN { printf "%.10g", 0.4 * t }')" 20.5 0.2 2.5
  echo '# tetrahedra only (golden outputs)'; tet_blocks; } >"$out/tetrahedra_model.txt"
pillars 0 -1 40 -1 40 1 0 1 5 >"$out/tetrahedra_pillars.txt"

# Triangle prisms: a V-section hull, eight cells 5 m long, keel at z = 0,
# half-breadth at the deck z = 4 of 3 + x / 20.
prism_blocks() {
  awk 'function b(x) { return 3 + x / 20 }
  BEGIN {
    for (i = 0; i < 8; i++) {
      x0 = 5 * i; x1 = x0 + 5
      print "TrianglePrism"
      printf "%.10g,%.10g,4\n%.10g,0,0\n%.10g,%.10g,4\n", x0, -b(x0), x0, x0, b(x0)
      printf "%.10g,%.10g,4\n%.10g,0,0\n%.10g,%.10g,4\n", x1, -b(x1), x1, x1, b(x1)
    }
  }'
}
{ ship_header 40 40 8 4 0 20 0 2 ; echo '# triangle prisms only (golden outputs)'; prism_blocks; } >"$out/prisms_ship.txt"
{ model_header 100 19.5 0.1 1.3; echo '# triangle prisms only (golden outputs)'; prism_blocks; } >"$out/prisms_model.txt"
pillars 0 -1 40 -1 40 1 0 1 4 >"$out/prisms_pillars.txt"

# Hexahedra: a hull of flared sections in two layers (z 0-2 and 2-5), each
# side of the centre plane its own hexahedron, nine cells 4 m long.
hex_blocks() {
  awk 'function b(x, z) { return (2.5 + z / 5) * (1 - ((x - 18) / 22) ^ 2) }
  function hex(x0, x1, z0, z1, s) {
    print "Hexahedron"
    printf "%.10g,0,%.10g\n%.10g,%.10g,%.10g\n%.10g,%.10g,%.10g\n%.10g,0,%.10g\n", x0, z0, x0, s * b(x0, z0), z0, x0, s * b(x0, z1), z1, x0, z1
    printf "%.10g,0,%.10g\n%.10g,%.10g,%.10g\n%.10g,%.10g,%.10g\n%.10g,0,%.10g\n", x1, z0, x1, s * b(x1, z0), z0, x1, s * b(x1, z1), z1, x1, z1
  }
  BEGIN {
    for (i = 0; i < 9; i++)
      for (l = 0; l < 2; l++)
        for (s = -1; s <= 1; s += 2) hex(4 * i, 4 * i + 4, l ? 2 : 0, l ? 5 : 2, s)
  }'
}
{ ship_header 36 36 7 5 0 18 0 2.2; echo '# hexahedra only (golden outputs)'; hex_blocks; } >"$out/hexahedra_ship.txt"
{ model_header 300 18.4 -0.15 2.2; echo '# hexahedra only (golden outputs)'; hex_blocks; } >"$out/hexahedra_model.txt"
pillars 0 -2 36 -2 36 2 0 2 5 >"$out/hexahedra_pillars.txt"

# Cylinders. Hull: a horizontal cylinder along x with a vertical tower at
# midship. Body: four columns on a square of side 16 and two pontoons.
{ ship_header 30 30 5 7 0 15 0 2.8; echo '# cylinders only (golden outputs)'
  printf 'Cylinder\n0,0,2.5\n2.5\n30,0,2.5\n2.5\n'
  printf 'Cylinder\n15,0,4\n1\n15,0,7\n1\n'; } >"$out/cylinders_ship.txt"
{ model_header 580 0.5 0.3 5; echo '# cylinders only (golden outputs)'
  for xy in '-8,-8' '8,-8' '8,8' '-8,8'; do printf 'Cylinder\n%s,0\n2\n%s,15\n2\n' "$xy" "$xy"; done
  for y in -8 8; do printf 'Cylinder\n-10,%s,1.5\n1.5\n10,%s,1.5\n1.5\n' "$y" "$y"; done; } >"$out/cylinders_model.txt"
pillars -8 -8 8 -8 8 8 -8 8 15 >"$out/cylinders_pillars.txt"
