// Circular cylinder, represented by its inscribed regular n-gon prism.
#pragma once

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

struct Cylinder {
    Point3 P0;       // centre of the first end disc
    Point3 P1;       // centre of the second end disc; axis a = P1 - P0
    double r = 0.0;  // radius
    int n = 30;      // sectors; 3 * n tetrahedra
    Plane plane;
    double volume = 0.0;
    Point3 centroid;

    Cylinder() = default;
    Cylinder(const Point3& p0, const Point3& p1, double radius) { make(p0, p1, radius); }
    void make(const Point3& p0, const Point3& p1, double radius);

    // The k-th rim point of the first disc, at the angle (2k) * 3.1415926 / n.
    // The axis must not be of zero length.
    Point3 circle_point(int k) const;

    // Writes 3 * (count / 3) tetrahedra, three per sector wedge; stores
    // n = count / 3. Returns false, having written them all the same, when
    // count is not a multiple of 3 or is below 9
    // (kCylinderTetrahedronCountMessage).
    bool decompose(Tetrahedron* tets, int count);

    // Box of the polygonal prism; raises n to 3 first if it is lower.
    Box3 bounds();

    // Submerged volume and centroid below p (P0 when nothing is submerged);
    // the cylinder is decomposed afresh, with its current n.
    void submerge(const Plane& p, CrossingTolerance tolerance);
    double submerged_volume() const { return volume; }
    Point3 submerged_centroid() const { return centroid; }
};

}  // namespace voxel
