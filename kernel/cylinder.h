// Circular cylinder, represented by its inscribed regular n-gon prism.
#pragma once

#include "kernel/box3.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"

namespace voxel {

struct Cylinder {
    Point3 P0;       // centre of the first end disc
    Point3 P1;       // centre of the second end disc; axis a = P1 - P0
    double r = 0.0;  // radius
    int n = 30;      // sectors of the inscribed prism, 3 tetrahedra each (see sectors())

    Cylinder() = default;
    Cylinder(const Point3& p0, const Point3& p1, double radius) { make(p0, p1, radius); }
    void make(const Point3& p0, const Point3& p1, double radius);

    // The k-th rim point of the first disc, at the angle (2k) * 3.1415926 / n.
    // The axis must not be of zero length.
    Point3 circle_point(int k) const { return rim_point(k, n); }
    // The same with `sectors` sectors.
    Point3 rim_point(int k, int sectors) const;

    // The sectors of the body's decomposition and of the box: n, raised to 3
    // when it is lower.
    int sectors() const { return n < 3 ? 3 : n; }

    // Appends the 3 * sectors() tetrahedra of the decomposition to `out`
    // (push_back of TetraVertices), three per sector wedge, rim points at
    // the angles (2k) * 3.1415926 / sectors().
    template <class Out>
    void append_tetrahedra(Out& out) const {
        const int count = sectors();
        const Point3 a = difference(P0, P1);
        Point3 c_next = rim_point(0, count);
        for (int i = 0; i < count; ++i) {
            // A wedge of the first disc swept along the axis.
            const Point3 ci = c_next;
            c_next = rim_point(i + 1, count);
            const Point3 corners[6] = {P0, ci, c_next, P1, add(ci, a), add(c_next, a)};
            TrianglePrism wedge;
            for (int k = 0; k < 6; ++k) wedge.V[k] = corners[k];
            for (int j = 0; j < 3; ++j) out.push_back(wedge.tetrahedron(j));
        }
    }

    // Box of the polygonal prism of sectors() sectors.
    Box3 bounds() const;
};

}  // namespace voxel
