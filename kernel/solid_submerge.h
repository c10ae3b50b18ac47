// Volume-weighted sum of the submerged parts of a solid's tetrahedra.
#pragma once

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

struct SubmergedPart {
    double volume = 0.0;
    Point3 centroid;
};

// Cuts each of the count tetrahedra with p (in array order) and sums volumes
// and first moments. When the summed volume is below 1e-20 the centroid is
// `fallback`, the solid's first point; a piece of zero volume adds nothing
// whatever centroid it holds.
SubmergedPart submerge_tetrahedra(Tetrahedron* tets, int count, const Plane& p,
                                  CrossingTolerance tolerance, const Point3& fallback);

}  // namespace voxel
