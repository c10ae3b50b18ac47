// The part of a solid or a body below a plane.
#pragma once

#include "kernel/point3.h"

namespace voxel {

// Volume (length^3) and centroid (length) of a submerged part.
struct SubmergedPart {
    double volume = 0.0;
    Point3 centroid;
};

}  // namespace voxel
