// The water plane A*x + B*y + C*z + D = 0.
#pragma once

#include <cmath>

#include "kernel/point3.h"
#include "kernel/segment.h"
#include "kernel/tolerances.h"

namespace voxel {

// Outcome of a segment/plane intersection.
enum IntersectResult : int {
    kParallelOff = 0,  // parallel to the plane and off it; no point written
    kCrossing = 1,     // the segment's line meets the plane (possibly beyond its ends)
    kInPlane = 2,      // the segment lies in the plane; the midpoint is written
};

// Which parallel test a segment/plane intersection uses: the strict one
// (1e-15) of the hydrostatic and floating-attitude programs, or the loose one
// (1e-10, with the in-plane test on the midpoint) of the righting-arm
// program. A program states its choice where it builds its body, and every
// query carries it down to the tetrahedron cut.
enum class CrossingTolerance { Strict, Loose };

// The parallel test of a crossing tolerance: kStrictParallel or
// kLooseParallel.
constexpr double parallel_limit(CrossingTolerance tolerance) {
    return tolerance == CrossingTolerance::Strict ? kStrictParallel : kLooseParallel;
}

// Sign convention, fixed for the whole system: the normal (A, B, C) points out
// of the water. A point is dry only when f(P) = A*x + B*y + C*z + D > 0; a
// point on the plane (f = 0) counts as submerged. The normal need not be of
// unit length.
struct Plane {
    double A = 0.0;
    double B = 0.0;
    double C = 0.0;
    double D = 0.0;

    void set(double a, double b, double c, double d) {
        A = a;
        B = b;
        C = c;
        D = d;
    }

    // f(P), always evaluated as ((B*y + A*x) + C*z) + D.
    double plane_value(const Point3& p) const { return ((B * p.y + A * p.x) + C * p.z) + D; }

    bool is_above(const Point3& p) const { return plane_value(p) > 0.0; }
    bool is_below(const Point3& p) const { return plane_value(p) < 0.0; }
    bool is_on_plane(const Point3& p) const { return std::fabs(plane_value(p)) < 1e-15; }

    double normal_length() const { return std::sqrt(A * A + B * B + C * C); }

    // Positive on the dry side, in length units whatever the normal's length.
    double signed_distance(const Point3& p) const { return plane_value(p) / normal_length(); }

    // Where the line from a to b meets the plane, fa being plane_value(a):
    // x = a + (b - a) t with t = -fa / h, h = (B dy + A dx) + C dz for
    // d = b - a, when |h| >= parallel; otherwise false and x untouched. The
    // one crossing routine of the segment tests and of the tetrahedron cut.
    bool line_crossing(const Point3& a, const Point3& b, double fa, double parallel,
                       Point3& x) const {
        const Point3 d = difference(a, b);
        const double h = (B * d.y + A * d.x) + C * d.z;
        if (!(std::fabs(h) >= parallel)) return false;
        const double t = -fa / h;
        x = {a.x + d.x * t, a.y + d.y * t, a.z + d.z * t};
        return true;
    }

    // Crossing of the segment's line with the plane, parallel test 1e-15.
    // On result 0, x is left as it was.
    int intersect_segment(const Segment& s, Point3& x) const;

    // The variant of the righting-arm program: parallel test 1e-10, and a
    // parallel segment counts as lying in the plane when its midpoint is
    // within 1e-10 (in length units) of it.
    int intersect_segment_loose(const Segment& s, Point3& x) const;
};

}  // namespace voxel
