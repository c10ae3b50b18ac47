#include "kernel/solid_submerge.h"

#include <cmath>

namespace voxel {

SubmergedPart submerge_tetrahedra(Tetrahedron* tets, int count, const Plane& p,
                                  const Point3& fallback) {
    double v_sum = 0.0, sx = 0.0, sy = 0.0, sz = 0.0;
    for (int i = 0; i < count; ++i) {
        tets[i].plane = p;
        tets[i].cut();
        const double v = tets[i].volume;
        const Point3 c = tets[i].centroid;
        v_sum = v_sum + v;
        sx = sx + c.x * v;
        sy = sy + c.y * v;
        sz = sz + c.z * v;
    }
    SubmergedPart out;
    out.volume = v_sum;
    if (std::fabs(v_sum) < 1e-20)
        out.centroid = fallback;
    else
        out.centroid = {sx / v_sum, sy / v_sum, sz / v_sum};
    return out;
}

}  // namespace voxel
