// Area properties of the waterplane, assembled from the sections of the
// hull's tetrahedra.
#pragma once

#include "kernel/plane.h"
#include "kernel/waterplane_section.h"
#include "model/hydrostatics/ship_model.h"

namespace voxel {

// p is a level plane z = T; the section's plane coordinates are the ship's
// (x, y), in m: Aw in m^2, xf and yf in m, IT and IL in m^4. Reads only the
// vertices. A plane that meets no tetrahedron gives Aw = 0, length = breadth
// = 0 and the rest 0/0.
WaterplaneProps waterplane_properties(const ShipModel& ship, const Plane& p);

}  // namespace voxel
