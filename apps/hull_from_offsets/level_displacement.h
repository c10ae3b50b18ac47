// The volume of a hull below a level waterline and its centre, from the
// kernel's tetrahedra of its solids.
#pragma once

#include <vector>

#include "apps/hull_from_offsets/hull_solid.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

struct LevelDisplacement {
    double V = 0.0;  // submerged volume, m^3
    Point3 centre;   // centre of buoyancy, m; 0/0 (not a number) when V = 0
};

// The solid's tetrahedra as the readers make them: the kernel's
// decompositions of a hexahedron (five) and a prism (three), in their order.
std::vector<Tetrahedron> solid_tetrahedra(const HullSolid& solid);

// Sum of the tetrahedra of all solids.
int tetrahedron_count(const std::vector<HullSolid>& solids);

// The part of the hull below the level plane z = draft (m above the base
// line): every tetrahedron, solid by solid in order, is cut by the plane
// (0, 0, 1, -draft), whose submerged side is z <= draft, and
//   V = sum v_k,  centre = sum v_k c_k / V
// over the submerged volumes v_k and their centroids c_k, added in the same
// order and association as the hydrostatic program adds them, so that V is
// the program's volume at that waterline to the last bit.
LevelDisplacement displacement_below(const std::vector<HullSolid>& solids, double draft);

}  // namespace voxel
