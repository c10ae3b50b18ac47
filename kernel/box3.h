// Axis-aligned box, in the model's length unit.
#pragma once

#include "kernel/point3.h"

namespace voxel {

// Field order min x, min y, min z, max x, max y, max z. A box that is about to
// be folded over a set of points starts inverted at +-1e20, so that the first
// point replaces every bound.
struct Box3 {
    double minx = 1e20;
    double miny = 1e20;
    double minz = 1e20;
    double maxx = -1e20;
    double maxy = -1e20;
    double maxz = -1e20;

    // Each bound is replaced only by a strictly smaller minimum or a strictly
    // larger maximum.
    void fold(const Point3& p) {
        if (p.x < minx) minx = p.x;
        if (p.y < miny) miny = p.y;
        if (p.z < minz) minz = p.z;
        if (p.x > maxx) maxx = p.x;
        if (p.y > maxy) maxy = p.y;
        if (p.z > maxz) maxz = p.z;
    }

    void fold(const Box3& b) {
        if (b.minx < minx) minx = b.minx;
        if (b.miny < miny) miny = b.miny;
        if (b.minz < minz) minz = b.minz;
        if (b.maxx > maxx) maxx = b.maxx;
        if (b.maxy > maxy) maxy = b.maxy;
        if (b.maxz > maxz) maxz = b.maxz;
    }

    // Both corners at p.
    static Box3 at(const Point3& p) { return {p.x, p.y, p.z, p.x, p.y, p.z}; }
};

}  // namespace voxel
