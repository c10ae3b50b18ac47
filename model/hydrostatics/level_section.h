// Everything one waterline of the sweep asks of the hull, from one pass over
// its tetrahedra and what no waterline changes computed once beforehand.
#pragma once

#include <vector>

#include "kernel/platform/large_array.h"
#include "kernel/solid_submerge.h"
#include "kernel/waterplane_section.h"
#include "model/hydrostatics/midship_section.h"
#include "model/hydrostatics/ship_model.h"

namespace voxel {

// What does not depend on the draft: per tetrahedron its z range (m), full
// volume (m^3) and vertex centroid (m), computed by the very operations of
// the cut; and the midship slab (midship_slab) less the pieces that cannot
// reach the section plane.
struct HullIndex {
    LargeArray<double> zmin, zmax;
    LargeArray<double> volume;
    LargeArray<Point3> centroid;
    std::vector<TetraVertices> midship;
};

HullIndex index_hull(const ShipModel& ship);

struct LevelSection {
    SubmergedPart submerged;     // volume (m^3) and centre of buoyancy (m)
    WaterplaneProps waterplane;  // in the ship's (x, y)
    MidshipSection midship;
};

// At the level waterline z = T (m): the same doubles as
// ship.submerged_volume_and_centre, waterplane_properties and
// midship_section at that plane, to the last bit.
//  - The volume sums every tetrahedron in array order. One wholly below the
//    plane (its highest z <= T: every plane value z - T <= 0) adds its full
//    volume and vertex centroid, as its cut would; one wholly above (lowest
//    z > T) adds exactly 0, which leaves the sums as they are, so it is
//    passed over; only the others are cut.
//  - Only a tetrahedron whose z range meets T within a margin can have a
//    section polygon: for one that lies above or below the plane by more
//    than 1e-12 (1 + |T| + its height), no vertex is within 1e-15 of the
//    plane and no edge's crossing falls between its ends, whatever the
//    rounding. The others are summed in array order, as before.
LevelSection level_section(const ShipModel& ship, const HullIndex& index, double T);

}  // namespace voxel
