#include "kernel/plane.h"

namespace voxel {

int Plane::intersect_segment(const Segment& s, Point3& x) const {
    const Point3 d = difference(s.P0, s.P1);
    const double h = (B * d.y + A * d.x) + C * d.z;
    if (std::fabs(h) >= 1e-15) {
        const double t = -plane_value(s.P0) / h;
        x = {s.P0.x + d.x * t, s.P0.y + d.y * t, s.P0.z + d.z * t};
        return kCrossing;
    }
    if (std::fabs(plane_value(s.P0)) < 1e-15) {
        x = midpoint(s.P0, s.P1);
        return kInPlane;
    }
    return kParallelOff;
}

int Plane::intersect_segment_loose(const Segment& s, Point3& x) const {
    const Point3 d = difference(s.P0, s.P1);
    const double h = (B * d.y + A * d.x) + C * d.z;
    if (std::fabs(h) >= 1e-10) {
        const double t = -plane_value(s.P0) / h;
        x = {s.P0.x + d.x * t, s.P0.y + d.y * t, s.P0.z + d.z * t};
        return kCrossing;
    }
    const Point3 m = midpoint(s.P0, s.P1);
    if (std::fabs(plane_value(m)) / normal_length() < 1e-10) {
        x = m;
        return kInPlane;
    }
    return kParallelOff;
}

}  // namespace voxel
