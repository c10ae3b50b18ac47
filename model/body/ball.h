// Balls about groups of vertices, and on which side of a plane one lies,
// decided from the plane value at its centre alone.
#pragma once

#include <cmath>

#include "kernel/plane.h"
#include "kernel/point3.h"

namespace voxel {

// The three sides a ball can lie on.
enum class BallSide { Dry, Submerged, Cut };

// A distance rounded up by far more than its rounding, so that a ball of
// this reach surely holds the points it was measured to.
inline double rounded_up(double distance) {
    return distance * (1.0 + 1e-9);
}

// On which side of p the ball (centre, reach) lies: Dry means every point's
// computed plane value is > 0, Submerged every one <= 0; Cut when the margin
// cannot tell. normal_length is |(A, B, C)|.
//
// Every plane value is ((B y + A x) + C z) + D in doubles, off from the
// exact value by a few units of the last place of |A x| + |B y| + |C z| +
// |D|, which for any point of the ball is at most |A| (|x| + r) + |B| (|y| +
// r) + |C| (|z| + r) + |D|. A vertex's exact value differs from the
// centre's by at most |n| r. The factor 1e-12 leaves a thousandfold room
// over both roundings.
inline BallSide ball_side(const Plane& p, double normal_length, const Point3& centre,
                          double reach) {
    const double scale = std::fabs(p.A) * (std::fabs(centre.x) + reach) +
                         std::fabs(p.B) * (std::fabs(centre.y) + reach) +
                         std::fabs(p.C) * (std::fabs(centre.z) + reach);
    const double margin = normal_length * reach + 1e-12 * (scale + std::fabs(p.D)) + 1e-300;
    const double f = p.plane_value(centre);
    if (f > margin) return BallSide::Dry;
    if (f < -margin) return BallSide::Submerged;
    return BallSide::Cut;
}

}  // namespace voxel
