// A directed line segment from P0 to P1.
#pragma once

#include "kernel/point3.h"

namespace voxel {

struct Segment {
    Point3 P0;
    Point3 P1;

    Segment() = default;
    Segment(const Point3& p0, const Point3& p1) : P0(p0), P1(p1) {}
};

}  // namespace voxel
