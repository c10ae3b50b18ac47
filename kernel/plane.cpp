#include "kernel/plane.h"

namespace voxel {

int Plane::intersect_segment(const Segment& s, Point3& x) const {
    if (line_crossing(s.P0, s.P1, plane_value(s.P0), kStrictParallel, x)) return kCrossing;
    if (std::fabs(plane_value(s.P0)) < 1e-15) {
        x = midpoint(s.P0, s.P1);
        return kInPlane;
    }
    return kParallelOff;
}

int Plane::intersect_segment_loose(const Segment& s, Point3& x) const {
    if (line_crossing(s.P0, s.P1, plane_value(s.P0), kLooseParallel, x)) return kCrossing;
    const Point3 m = midpoint(s.P0, s.P1);
    if (std::fabs(plane_value(m)) / normal_length() < 1e-10) {
        x = m;
        return kInPlane;
    }
    return kParallelOff;
}

}  // namespace voxel
