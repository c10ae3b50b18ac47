#include "model/hydrostatics/waterplane.h"

namespace voxel {

WaterplaneProps waterplane_properties(const ShipModel& ship, const Plane& p) {
    SectionSums sums;
    for (const TetraVertices& t : ship.tetrahedra)
        sums.add(t, p, [](const Point3& q) { return Point2{q.x, q.y}; });
    return sums.result();
}

}  // namespace voxel
