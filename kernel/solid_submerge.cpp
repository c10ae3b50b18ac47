#include "kernel/solid_submerge.h"

#include <cmath>

#include "kernel/tolerances.h"
#include "kernel/volume_moments.h"

namespace voxel {

SubmergedPart submerge_tetrahedra(Tetrahedron* tets, int count, const Plane& p,
                                  CrossingTolerance tolerance, const Point3& fallback) {
    VolumeMoments sum;
    for (int i = 0; i < count; ++i) {
        tets[i].submerge(p, tolerance);
        sum.add(tets[i].volume, tets[i].centroid);
    }
    SubmergedPart out;
    out.volume = sum.volume;
    if (std::fabs(sum.volume) < kNoVolume)
        out.centroid = fallback;
    else
        out.centroid = sum.centroid();
    return out;
}

SubmergedPart sum_submerged_parts(const TetraVertices* tets, std::size_t count, const Plane& p,
                                  CrossingTolerance tolerance) {
    // A wholly dry tetrahedron adds a volume of 0, which leaves the sums as
    // they are.
    VolumeMoments sum;
    for (std::size_t i = 0; i < count; ++i) {
        const CutResult r = cut_below_plane(tets[i], p, tolerance);
        sum.add(r.volume, r.centroid);
    }
    return {sum.volume, sum.centroid()};
}

}  // namespace voxel
