// The submerged midship section: the hull clipped to a box around the midship
// station and cut by the plane x = Lpp / 2.
#pragma once

#include <vector>

#include "kernel/plane.h"
#include "kernel/tetrahedron.h"
#include "model/hydrostatics/ship_model.h"

namespace voxel {

// The part of t where f(P) <= 0, as 0 to 3 tetrahedra: the pieces of the
// tetrahedron cut (k dry vertices: k = 0 the input, k = 1, 2 three pieces,
// k = 3 one, k = 4 none).
SubmergedPieces clip_below_plane(const TetraVertices& t, const Plane& p,
                                 CrossingTolerance tolerance);

struct MidshipSection {
    double Am = 0.0;   // submerged section area, m^2
    double Bm = 0.0;   // breadth of that section, m; 0 when there is none
    int polygons = 0;  // number of sections summed
};

// At the draft T (m): the hull clipped to Lpp/2 - 10 <= x <= Lpp/2 + 10,
// |y| <= B/2, 0 <= z <= T (pieces below 1e-15 m^3 dropped), then cut by
// x = Lpp/2; a face in that plane counts from the forward tetrahedron only.
// Reads the vertices, Lpp, B and the hull's crossing test; alters nothing.
MidshipSection midship_section(const ShipModel& ship, double T);

// The clipping in two steps, for a sweep over many drafts. The first five
// planes do not depend on the draft: midship_slab clips the hull by them,
// pass after pass, each pass taking the pieces of the one before in order
// and putting the pieces of each in their table order. The last plane,
// z <= T, and the section follow in midship_section_of. Together they are
// midship_section. With `near_only` the first pass takes only the
// tetrahedra that may_reach_midship: the others leave no piece that can.
std::vector<TetraVertices> midship_slab(const ShipModel& ship, bool near_only = false);
MidshipSection midship_section_of(const std::vector<TetraVertices>& slab, const ShipModel& ship,
                                  double T);

// Whether a piece can have a section at x = Lpp/2 at all: its x range meets
// the plane within a margin far above the rounding of the section's
// crossings and of the pieces that the plane z <= T cuts from it. A piece
// that cannot adds nothing to midship_section_of and may be left out of the
// slab.
bool may_reach_midship(const TetraVertices& piece, const ShipModel& ship);

}  // namespace voxel
