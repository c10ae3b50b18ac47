#include "kernel/tetrahedron.h"

#include <cmath>
#include <utility>

#include "kernel/tolerances.h"
#include "kernel/volume_moments.h"

namespace voxel {

namespace {

// |(b - a) . ((c - a) x (d - a))| / 6: the volume of the tetrahedron
// (a, b, c, d), in this order of operations whoever asks.
double volume_of(const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
    return std::fabs(dot(difference(a, b), cross(difference(a, c), difference(a, d)))) / 6.0;
}

// (c + b + d + a) * 0.25 per coordinate: V2 + V1 + V3 + V0 of (a, b, c, d).
Point3 centroid_of(const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
    return {(c.x + b.x + d.x + a.x) * 0.25, (c.y + b.y + d.y + a.y) * 0.25,
            (c.z + b.z + d.z + a.z) * 0.25};
}

// The working list of a cut: [V1, V2, V3, V0] with the dry vertices (f > 0)
// swapped to the front in the order they had, and their plane values
// alongside. Each vertex's value is computed once; the swaps move it with
// its vertex, so the list is the one a test of each vertex in turn gives.
struct WorkingList {
    Point3 L[4];
    double f[4];
    int k = 0;  // number of dry vertices
};

// f0..f3 are the plane values of V0..V3.
WorkingList classify(const TetraVertices& t, double f0, double f1, double f2, double f3) {
    WorkingList w{{t.V1, t.V2, t.V3, t.V0}, {f1, f2, f3, f0}, 0};
    for (int i = 0; i < 4; ++i) {
        if (w.f[i] > 0.0) {
            std::swap(w.L[w.k], w.L[i]);
            std::swap(w.f[w.k], w.f[i]);
            ++w.k;
        }
    }
    return w;
}

WorkingList classify(const TetraVertices& t, const Plane& p) {
    return classify(t, p.plane_value(t.V0), p.plane_value(t.V1), p.plane_value(t.V2),
                    p.plane_value(t.V3));
}

// Crossing of the edge from a (plane value fa) to b with the plane:
// Plane::line_crossing. One end is dry and the other submerged, so the
// crossing lies on the edge; when the edge is parallel to the plane within
// the tolerance, the edge's midpoint stands in, which is also the point of
// an edge lying in the plane.
Point3 crossing(const Plane& p, const Point3& a, const Point3& b, double fa, double parallel) {
    Point3 x;
    if (p.line_crossing(a, b, fa, parallel, x)) return x;
    return midpoint(a, b);
}

// The submerged pieces of a classified tetrahedron with 1 to 3 dry
// vertices, in the fixed table order, handed to `piece(a, b, c, d)`.
template <class Piece>
void pieces_of(const WorkingList& w, const Plane& p, double parallel, Piece&& piece) {
    const Point3* L = w.L;
    switch (w.k) {
        case 1: {
            // Tetrahedron less the small one at the dry vertex X0: a wedge with
            // I1 I2 I3 in the plane and X1 X2 X3 below, filled by three pieces.
            const Point3 &X0 = L[0], &X1 = L[1], &X2 = L[2], &X3 = L[3];
            const Point3 I1 = crossing(p, X0, X1, w.f[0], parallel);
            const Point3 I2 = crossing(p, X0, X2, w.f[0], parallel);
            const Point3 I3 = crossing(p, X0, X3, w.f[0], parallel);
            piece(I1, X1, X2, X3);
            piece(I3, I1, I2, X3);
            piece(I2, I1, X2, X3);
            break;
        }
        case 2: {
            // Wedge with the edge X2 X3 below and the quadrilateral
            // J2 J1 J4 J3 in the plane.
            const Point3 &X0 = L[0], &X1 = L[1], &X2 = L[2], &X3 = L[3];
            const Point3 J1 = crossing(p, X1, X2, w.f[1], parallel);
            const Point3 J2 = crossing(p, X0, X2, w.f[0], parallel);
            const Point3 J3 = crossing(p, X0, X3, w.f[0], parallel);
            const Point3 J4 = crossing(p, X1, X3, w.f[1], parallel);
            piece(X3, J4, J3, J1);
            piece(J3, J1, X2, X3);
            piece(X2, J3, J2, J1);
            break;
        }
        case 3: {
            // The small tetrahedron at the single submerged vertex Y3.
            const Point3 &Y0 = L[0], &Y1 = L[1], &Y2 = L[2], &Y3 = L[3];
            const Point3 K0 = crossing(p, Y3, Y0, w.f[3], parallel);
            const Point3 K1 = crossing(p, Y3, Y1, w.f[3], parallel);
            const Point3 K2 = crossing(p, Y3, Y2, w.f[3], parallel);
            piece(Y3, K0, K1, K2);
            break;
        }
        default:
            break;
    }
}

}  // namespace

double TetraVertices::full_volume() const {
    return volume_of(V0, V1, V2, V3);
}

Point3 TetraVertices::vertex_centroid() const {
    return centroid_of(V0, V1, V2, V3);
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
    const WorkingList w = classify(t, p);
    SubmergedPieces out;
    out.k = w.k;
    if (w.k == 0) {
        out.count = 1;
        out.piece[0] = t;
        return out;
    }
    pieces_of(w, p, parallel_limit(tolerance),
              [&out](const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
                  out.piece[out.count++] = {a, b, c, d};
              });
    return out;
}

namespace {

CutResult cut_classified(const TetraVertices& t, const WorkingList& w, const Plane& p,
                         CrossingTolerance tolerance) {
    if (w.k == 0) return {0, t.full_volume(), t.vertex_centroid()};
    if (w.k == 4) return {4, 0.0, Point3{}};
    VolumeMoments sum;
    Point3 last;
    pieces_of(w, p, parallel_limit(tolerance),
              [&](const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
                  last = centroid_of(a, b, c, d);
                  sum.add(volume_of(a, b, c, d), last);
              });
    // A part of volume kNoPieceVolume or less takes the last piece's vertex
    // centroid.
    return {w.k, sum.volume, std::fabs(sum.volume) > kNoPieceVolume ? sum.centroid() : last};
}

}  // namespace

CutResult cut_below_plane(const TetraVertices& t, const Plane& p, CrossingTolerance tolerance) {
    return cut_classified(t, classify(t, p), p, tolerance);
}

CutResult cut_below_plane(const TetraVertices& t, const Plane& p, const double f[4],
                          CrossingTolerance tolerance) {
    return cut_classified(t, classify(t, f[0], f[1], f[2], f[3]), p, tolerance);
}

namespace {

double volume_of_classified(const TetraVertices& t, const WorkingList& w, const Plane& p,
                            CrossingTolerance tolerance) {
    if (w.k == 0) return t.full_volume();
    if (w.k == 4) return 0.0;
    double sum = 0.0;
    pieces_of(w, p, parallel_limit(tolerance),
              [&sum](const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
                  sum = sum + volume_of(a, b, c, d);
              });
    return sum;
}

}  // namespace

double cut_volume_below_plane(const TetraVertices& t, const Plane& p, CrossingTolerance tolerance) {
    return volume_of_classified(t, classify(t, p), p, tolerance);
}

double cut_volume_below_plane(const TetraVertices& t, const Plane& p, const double f[4],
                              CrossingTolerance tolerance) {
    return volume_of_classified(t, classify(t, f[0], f[1], f[2], f[3]), p, tolerance);
}

VolumeBracket cut_volume_bracket(const TetraVertices& t, const Plane& p, const double f[4],
                                 double full_volume, double normal_length, double longest_edge,
                                 double error_scale, double value_scale,
                                 CrossingTolerance tolerance) {
    // The dry (f > 0) and wet values, as the cut tells them apart. The
    // wedge's volume does not depend on which dry vertex is called X0, so
    // the vertices are taken in any order here.
    double dry[4], wet[4];
    int k = 0, m = 0;
    for (int i = 0; i < 4; ++i) {
        if (f[i] > 0.0)
            dry[k++] = f[i];
        else
            wet[m++] = f[i];
    }
    if (k == 0) return {full_volume, full_volume};
    if (k == 4) return {0.0, 0.0};
    // An edge from a dry vertex (value fd > 0) to a wet one (fw <= 0) is
    // crossed at the fraction fd / (fd - fw) of it from the dry end. The
    // cut's crossing uses the edge's direction instead of fw, which differs
    // from fw - fd by a few roundings of the plane values (value_scale) and
    // of the direction (|n| times the edge); a gap fd - fw a thousand times
    // those keeps the two fractions within 1e-12 of each other, and far
    // above the parallel test, so that the cut takes the crossing too.
    // (std::fmax as a comparison kept inline: the second term is a number,
    // and a first one that is not gives it, as fmax does.)
    const double rounding = 1e-3 * (2.0 * normal_length * longest_edge + value_scale);
    const double floor = 4.0 * parallel_limit(tolerance);
    const double needed = rounding > floor ? rounding : floor;
    bool ok = true;
    auto fraction = [&](double fd, double fw) {
        const double gap = fd - fw;
        ok = ok && gap >= needed;
        return fd / gap;
    };
    double wet_volume;
    if (k == 1) {
        const double s =
            fraction(dry[0], wet[0]) * fraction(dry[0], wet[1]) * fraction(dry[0], wet[2]);
        wet_volume = full_volume * (1.0 - s);
    } else if (k == 3) {
        // From the wet vertex: the fraction from it is 1 less that from the dry one.
        const double s = (1.0 - fraction(dry[0], wet[0])) * (1.0 - fraction(dry[1], wet[0])) *
                         (1.0 - fraction(dry[2], wet[0]));
        wet_volume = full_volume * s;
    } else {
        // Dry X0, X1, wet X2, X3: the dry wedge is (X0 X1 P12 P13) +
        // (X0 P12 P13 P03) + (X0 P12 P03 P02), P_ij at the fraction of edge
        // X_i X_j from X_i: c d + b c (1 - d) + a b (1 - c) of the whole.
        const double a = fraction(dry[0], wet[0]), b = fraction(dry[0], wet[1]);
        const double c = fraction(dry[1], wet[0]), d = fraction(dry[1], wet[1]);
        wet_volume = full_volume * (1.0 - (c * d + b * c * (1.0 - d) + a * b * (1.0 - c)));
    }
    if (!ok || !std::isfinite(wet_volume)) {
        const double v = cut_volume_below_plane(t, p, f, tolerance);
        return {v, v};
    }
    const double margin = 1e-9 * full_volume + 1e-11 * error_scale;
    return {wet_volume - margin, wet_volume + margin};
}

}  // namespace voxel
