// The slow reference of a solid's part below a plane, which the per-solid
// sums of a body are compared against: every tetrahedron of the solid's
// decomposition cut on its own (cut_below_plane) in decomposition order and
// the parts summed (VolumeMoments), a wholly dry one adding a volume of 0 at
// the centroid (0, 0, 0).
#pragma once

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/solid_submerge.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"

namespace testing_support {

// The count tetrahedra cut by p and summed in array order. When the summed
// volume is below kNoVolume in magnitude the centroid is `fallback`, the
// solid's first point.
voxel::SubmergedPart submerged_tetrahedra(const voxel::TetraVertices* tets, int count,
                                          const voxel::Plane& p, voxel::CrossingTolerance tolerance,
                                          const voxel::Point3& fallback);

// A tetrahedron on its own: its cut, the centroid (0, 0, 0) when it is
// wholly dry.
voxel::SubmergedPart submerged_part(const voxel::TetraVertices& t, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance);
// The five tetrahedra of a hexahedron, V0 as fallback.
voxel::SubmergedPart submerged_part(const voxel::Hexahedron& h, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance);
// The three tetrahedra of a prism, V0 as fallback.
voxel::SubmergedPart submerged_part(const voxel::TrianglePrism& prism, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance);
// The 3 sectors() tetrahedra of a cylinder (append_tetrahedra, as the body
// takes them), P0 as fallback.
voxel::SubmergedPart submerged_part(const voxel::Cylinder& c, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance);

}  // namespace testing_support
