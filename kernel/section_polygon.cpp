#include "kernel/section_polygon.h"

#include <algorithm>

#include "kernel/segment.h"

namespace voxel {

namespace {

bool strictly_between(double v, double a, double b) {
    return std::min(a, b) < v && v < std::max(a, b);
}

}  // namespace

void order_quadrilateral(Point3 c[4], const Point3& normal) {
    // m is perpendicular to c0c1 within the plane; the signs of m.(ck - c0)
    // tell on which side of the line c0c1 the point ck lies.
    const Point3 m = cross(normal, difference(c[0], c[1]));
    const double s2 = dot(m, difference(c[0], c[2]));
    const double s3 = dot(m, difference(c[0], c[3]));
    Point3 o[4];
    if (s2 * s3 < 0) {
        // c2 and c3 lie on either side: c0c1 is a diagonal.
        o[0] = c[0], o[1] = c[2], o[2] = c[1], o[3] = c[3];
    } else {
        const Point3 m2 = cross(normal, difference(c[0], c[2]));
        const double t1 = dot(m2, difference(c[0], c[1]));
        const double t3 = dot(m2, difference(c[0], c[3]));
        if (t1 * t3 > 0) {
            // c1 and c3 on one side of c0c2: c0c2 is an edge.
            o[0] = c[0], o[1] = c[1], o[2] = c[3], o[3] = c[2];
        } else {
            o[0] = c[0], o[1] = c[1], o[2] = c[2], o[3] = c[3];
        }
    }
    std::copy(o, o + 4, c);
}

bool section_polygon(const TetraVertices& t, const Plane& p, SectionPolygon& out) {
    const Point3* edges[6][2] = {{&t.V1, &t.V2}, {&t.V1, &t.V3}, {&t.V1, &t.V0},
                                 {&t.V2, &t.V3}, {&t.V2, &t.V0}, {&t.V3, &t.V0}};
    Point3 crossing[6];
    int b = 0;
    for (const auto& e : edges) {
        const Point3& a = *e[0];
        const Point3& z = *e[1];
        // An end on the plane is an on-plane vertex; the computed crossing of
        // its edge may differ from it by a rounding and must not count again.
        if (p.is_on_plane(a) || p.is_on_plane(z)) continue;
        Point3 x;
        if (p.intersect_segment(Segment(a, z), x) != kCrossing) continue;
        if (strictly_between(x.x, a.x, z.x) || strictly_between(x.y, a.y, z.y) ||
            strictly_between(x.z, a.z, z.z)) {
            crossing[b++] = x;
        }
    }
    Point3 on_plane[4];
    int i = 0;
    for (const Point3* v : {&t.V1, &t.V2, &t.V3, &t.V0}) {
        if (p.is_on_plane(*v)) on_plane[i++] = *v;
    }

    if (i == 3) {
        out.count = 3;
        std::copy(on_plane, on_plane + 3, out.point);
    } else if (i == 2 && b == 1) {
        out.count = 3;
        out.point[0] = crossing[0];
        out.point[1] = on_plane[0];
        out.point[2] = on_plane[1];
    } else if (i == 1 && b == 2) {
        out.count = 3;
        out.point[0] = crossing[0];
        out.point[1] = crossing[1];
        out.point[2] = on_plane[0];
    } else if (b == 3) {
        out.count = 3;
        std::copy(crossing, crossing + 3, out.point);
    } else if (b == 4) {
        out.count = 4;
        std::copy(crossing, crossing + 4, out.point);
        order_quadrilateral(out.point, {p.A, p.B, p.C});
    } else {
        return false;
    }
    return true;
}

bool face_on_plane_from_below(const TetraVertices& t, const Plane& p) {
    int on = 0;
    const Point3* rest = nullptr;
    for (const Point3* v : {&t.V1, &t.V2, &t.V3, &t.V0}) {
        if (p.is_on_plane(*v))
            ++on;
        else
            rest = v;
    }
    return on == 3 && p.is_below(*rest);
}

}  // namespace voxel
