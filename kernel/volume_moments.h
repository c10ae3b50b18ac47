// Running sums of volume and first moments, from which a centroid follows.
#pragma once

#include "kernel/point3.h"

namespace voxel {

// V = sum of v, M = sum of v * c over parts of volume v (length^3) and
// centroid c (length). The sums start at +0.0 and each part is added in turn
// as V = V + v and M = M + v * c, coordinate by coordinate: every caller sums
// in this one order, so that its digits do not depend on which caller it is.
// A part of volume zero leaves the sums as they were whatever its centroid,
// as long as the centroid is finite.
struct VolumeMoments {
    double volume = 0.0;
    Point3 moment;  // length^4

    void add(double v, const Point3& c) {
        volume = volume + v;
        moment.x = moment.x + v * c.x;
        moment.y = moment.y + v * c.y;
        moment.z = moment.z + v * c.z;
    }

    // M / V, coordinate by coordinate; not a number when V is 0.
    Point3 centroid() const { return {moment.x / volume, moment.y / volume, moment.z / volume}; }
};

}  // namespace voxel
