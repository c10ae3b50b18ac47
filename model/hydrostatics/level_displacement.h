// The volume of a hull below a level waterline and its centre, from the body
// of its solids.
#pragma once

#include <vector>

#include "kernel/point3.h"
#include "model/body/body.h"
#include "model/io/solid_blocks.h"

namespace voxel {

struct LevelDisplacement {
    double V = 0.0;  // submerged volume, m^3
    Point3 centre;   // centre of buoyancy, m; 0/0 (not a number) when V = 0
};

// The solids as the ship reader makes its hull: solid by solid, each in the
// order of the kernel's decomposition, summed Flat with the hydrostatic
// program's crossing test (parallel tolerance 1e-15).
Body hull_body(const std::vector<SolidBlock>& solids);

// The part of the hull below the level plane z = draft (m above the base
// line): every tetrahedron, in order, is cut by the plane (0, 0, 1, -draft),
// whose submerged side is z <= draft, and the parts are summed as the
// hydrostatic program sums them, so that V is the program's volume at that
// waterline to the last bit.
LevelDisplacement displacement_below(const Body& hull, double draft);

}  // namespace voxel
