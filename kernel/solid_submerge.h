// Volume-weighted sum of the submerged parts of a solid's tetrahedra.
#pragma once

#include <cstddef>

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

// The part below p of a body kept as one flat array of tetrahedra: each is
// cut in array order and the parts summed (VolumeMoments); the centroid is
// not a number when nothing is submerged.
SubmergedPart sum_submerged_parts(const TetraVertices* tets, std::size_t count, const Plane& p,
                                  CrossingTolerance tolerance);

}  // namespace voxel
