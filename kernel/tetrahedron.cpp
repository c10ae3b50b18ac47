#include "kernel/tetrahedron.h"

#include <cmath>
#include <utility>

#include "kernel/volume_moments.h"

namespace voxel {

namespace {

// Crossing of the edge (a, b) with the plane. One end is dry and the other
// submerged, so the crossing lies on the edge; when the edge is parallel to
// the plane within the tolerance (result 0, nothing written) its midpoint,
// the point that an in-plane edge gives, stands in.
Point3 crossing(const Plane& p, const Point3& a, const Point3& b, CrossingTolerance tolerance) {
    Point3 x = midpoint(a, b);
    p.intersect(Segment(a, b), x, tolerance);
    return x;
}

}  // namespace

double TetraVertices::full_volume() const {
    return std::fabs(dot(difference(V0, V1), cross(difference(V0, V2), difference(V0, V3)))) / 6.0;
}

Point3 TetraVertices::vertex_centroid() const {
    return {(V2.x + V1.x + V3.x + V0.x) * 0.25, (V2.y + V1.y + V3.y + V0.y) * 0.25,
            (V2.z + V1.z + V3.z + V0.z) * 0.25};
}

Box3 TetraVertices::bounds() const {
    Box3 b = Box3::at(V1);
    b.fold(V2);
    b.fold(V3);
    b.fold(V0);
    return b;
}

SubmergedPieces split_below_plane(const TetraVertices& t, const Plane& p,
                                  CrossingTolerance tolerance) {
    SubmergedPieces out;
    // Working list [V1, V2, V3, V0]; dry vertices are swapped to the front.
    Point3 L[4] = {t.V1, t.V2, t.V3, t.V0};
    int k = 0;
    for (int i = 0; i < 4; ++i) {
        if (p.is_above(L[i])) {
            std::swap(L[k], L[i]);
            ++k;
        }
    }
    out.k = k;
    switch (k) {
        case 0:
            out.count = 1;
            out.piece[0] = t;
            break;
        case 1: {
            // Tetrahedron less the small one at the dry vertex X0: a wedge with
            // I1 I2 I3 in the plane and X1 X2 X3 below, filled by three pieces.
            const Point3 &X0 = L[0], &X1 = L[1], &X2 = L[2], &X3 = L[3];
            const Point3 I1 = crossing(p, X0, X1, tolerance);
            const Point3 I2 = crossing(p, X0, X2, tolerance);
            const Point3 I3 = crossing(p, X0, X3, tolerance);
            out.count = 3;
            out.piece[0] = {I1, X1, X2, X3};
            out.piece[1] = {I3, I1, I2, X3};
            out.piece[2] = {I2, I1, X2, X3};
            break;
        }
        case 2: {
            // Wedge with the edge X2 X3 below and the quadrilateral
            // J2 J1 J4 J3 in the plane.
            const Point3 &X0 = L[0], &X1 = L[1], &X2 = L[2], &X3 = L[3];
            const Point3 J1 = crossing(p, X1, X2, tolerance);
            const Point3 J2 = crossing(p, X0, X2, tolerance);
            const Point3 J3 = crossing(p, X0, X3, tolerance);
            const Point3 J4 = crossing(p, X1, X3, tolerance);
            out.count = 3;
            out.piece[0] = {X3, J4, J3, J1};
            out.piece[1] = {J3, J1, X2, X3};
            out.piece[2] = {X2, J3, J2, J1};
            break;
        }
        case 3: {
            // The small tetrahedron at the single submerged vertex Y3.
            const Point3 &Y0 = L[0], &Y1 = L[1], &Y2 = L[2], &Y3 = L[3];
            const Point3 K0 = crossing(p, Y3, Y0, tolerance);
            const Point3 K1 = crossing(p, Y3, Y1, tolerance);
            const Point3 K2 = crossing(p, Y3, Y2, tolerance);
            out.count = 1;
            out.piece[0] = {Y3, K0, K1, K2};
            break;
        }
        default:
            out.count = 0;
            break;
    }
    return out;
}

void Tetrahedron::cut(CrossingTolerance tolerance) {
    const SubmergedPieces s = split_below_plane(*this, plane, tolerance);
    if (s.k == 0) {
        volume = full_volume();
        centroid = vertex_centroid();
        return;
    }
    if (s.k == 4) {
        volume = 0.0;
        return;
    }
    VolumeMoments sum;
    Point3 c;
    for (int i = 0; i < s.count; ++i) {
        c = s.piece[i].vertex_centroid();
        sum.add(s.piece[i].full_volume(), c);
    }
    volume = sum.volume;
    if (std::fabs(sum.volume) > 1e-15)
        centroid = sum.centroid();
    else
        centroid = c;  // the last piece's vertex centroid
}

}  // namespace voxel
