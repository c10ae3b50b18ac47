#include "support/reference_solids.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "kernel/tolerances.h"
#include "kernel/volume_moments.h"

namespace testing_support {

voxel::SubmergedPart submerged_tetrahedra(const voxel::TetraVertices* tets, int count,
                                          const voxel::Plane& p, voxel::CrossingTolerance tolerance,
                                          const voxel::Point3& fallback) {
    voxel::VolumeMoments sum;
    for (int i = 0; i < count; ++i) {
        const voxel::SubmergedPart part = submerged_part(tets[i], p, tolerance);
        sum.add(part.volume, part.centroid);
    }
    voxel::SubmergedPart out;
    out.volume = sum.volume;
    if (std::fabs(sum.volume) < voxel::kNoVolume)
        out.centroid = fallback;
    else
        out.centroid = sum.centroid();
    return out;
}

voxel::SubmergedPart submerged_part(const voxel::TetraVertices& t, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance) {
    // A wholly dry cut (k = 4) gives the centroid (0, 0, 0).
    const voxel::CutResult r = voxel::cut_below_plane(t, p, tolerance);
    return {r.volume, r.centroid};
}

voxel::SubmergedPart submerged_part(const voxel::Hexahedron& h, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance) {
    const std::array<voxel::TetraVertices, 5> tets = h.decompose();
    return submerged_tetrahedra(tets.data(), 5, p, tolerance, h.V[0]);
}

voxel::SubmergedPart submerged_part(const voxel::TrianglePrism& prism, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance) {
    const std::array<voxel::TetraVertices, 3> tets = prism.decompose();
    return submerged_tetrahedra(tets.data(), 3, p, tolerance, prism.V[0]);
}

voxel::SubmergedPart submerged_part(const voxel::Cylinder& c, const voxel::Plane& p,
                                    voxel::CrossingTolerance tolerance) {
    std::vector<voxel::TetraVertices> tets;
    tets.reserve(static_cast<std::size_t>(3 * c.sectors()));
    c.append_tetrahedra(tets);
    return submerged_tetrahedra(tets.data(), static_cast<int>(tets.size()), p, tolerance, c.P0);
}

}  // namespace testing_support
