// Area properties of the waterplane, assembled from the sections of the
// hull's tetrahedra.
#pragma once

#include "apps/hydrostatic_curves/ship_model.h"
#include "kernel/plane.h"

namespace voxel {

struct WaterplaneProps {
    double breadth = 0.0;  // y extent of the section points, m (0 when none)
    double length = 0.0;   // x extent of the section points, m (0 when none)
    double Aw = 0.0;       // waterplane area, m^2
    double xf = 0.0;       // centre of flotation, m
    double yf = 0.0;
    double IT =
        0.0;  // second moment about the axis through the centre of flotation parallel to x, m^4
    double IL = 0.0;   // the same about the axis parallel to y, m^4
    int polygons = 0;  // number of sections summed
};

// p is a level plane z = T. Reads only the vertices. A plane that meets no
// tetrahedron gives Aw = 0, length = breadth = 0 and the rest 0/0.
WaterplaneProps waterplane_properties(const ShipModel& ship, const Plane& p);

}  // namespace voxel
