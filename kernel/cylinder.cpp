#include "kernel/cylinder.h"

#include <cmath>
#include <vector>

#include "kernel/angles.h"

namespace voxel {

void Cylinder::make(const Point3& p0, const Point3& p1, double radius) {
    P0 = p0;
    P1 = p1;
    r = radius;
    n = 30;
}

Point3 Cylinder::rim_point(int k, int sectors) const {
    const Point3 axis = difference(P0, P1);
    const double len = length(axis);
    const double ux = axis.x / len, uy = axis.y / len, uz = axis.z / len;
    // The rim angle uses 3.1415926, not the double nearest pi: the last sector
    // ends short of the first rim point by 2 * (pi - 3.1415926) rad.
    const double theta = (2 * k) * kRimPi / sectors;
    const double c = std::cos(theta), s = std::sin(theta);
    if (std::fabs(uy) < 1e-10 && std::fabs(uz) < 1e-10) {
        // Axis along x: the rim starts straight below P0.
        return {P0.x, P0.y + r * s, P0.z - r * c};
    }
    // P0 + r (cos t e1 + sin t e2) with e1 = (m, -ux uy / m, -ux uz / m) and
    // e2 = (0, uz / m, -uy / m), m = sqrt(uz^2 + uy^2): both unit and normal
    // to the axis.
    const double m = std::sqrt(uz * uz + uy * uy);
    return {P0.x + r * m * c, P0.y + (r * uz * s - r * ux * uy * c) / m,
            P0.z - (r * ux * uz * c + r * uy * s) / m};
}

Box3 Cylinder::bounds() const {
    Box3 box;
    std::vector<TetraVertices> tets;
    tets.reserve(static_cast<std::size_t>(3 * sectors()));
    append_tetrahedra(tets);
    for (const TetraVertices& t : tets) box.fold(t.bounds());
    return box;
}

}  // namespace voxel
