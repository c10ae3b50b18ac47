// The section of one tetrahedron by a plane: a triangle or a quadrilateral.
#pragma once

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

// The points of a section, in boundary order (3 or 4 of them).
struct SectionPolygon {
    int count = 0;
    Point3 point[4];
};

// True when p cuts t in a polygon of three or four points, which are stored
// in `out`; false otherwise, with `out` untouched. Reads only the vertices.
//  - Crossings come from the edges (V1,V2), (V1,V3), (V1,V0), (V2,V3),
//    (V2,V0), (V3,V0) in that order: a crossing of the edge's line that lies
//    strictly between the edge's end values in x, y or z. An edge with an end
//    on the plane (|f| < 1e-15) gives no crossing; that end is counted among
//    the on-plane vertices instead, and only once.
//  - On-plane vertices are listed in the order V1, V2, V3, V0.
//  - i on-plane vertices and b crossings make: i = 3 the face; i = 2, b = 1
//    [crossing, vertex, vertex]; i = 1, b = 2 [crossing, crossing, vertex];
//    b = 3 the three crossings; b = 4 the quadrilateral in boundary order.
bool section_polygon(const TetraVertices& t, const Plane& p, SectionPolygon& out);

// Puts four coplanar crossings c[0..3] of a convex section into boundary
// order, so that a fan from c[0] covers the quadrilateral once. `normal` is
// the plane's normal (A, B, C).
void order_quadrilateral(Point3 c[4], const Point3& normal);

// True when exactly three vertices lie on the plane and the fourth is below
// it (f < 0). A face in the plane is thereby counted once, from the
// tetrahedron on its upper side.
bool face_on_plane_from_below(const TetraVertices& t, const Plane& p);

}  // namespace voxel
