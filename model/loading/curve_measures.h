// What the intact and the damaged runs of a loading condition measure alike:
// the floating position's drafts and angles from its water plane, the GZ
// grid of both sides, areas under a side's curve, and angles found by
// bisection. Lengths in m, angles in degrees, areas in m*rad.
#pragma once

#include <string>
#include <vector>

#include "kernel/angles.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/voxel_group.h"
#include "model/loading/loading_result.h"
#include "model/loading/side_arms.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// Angles (degrees) closer than this to a grid angle are that grid angle.
constexpr double kOnGrid = 1e-9;
// Width (degrees) to which the downflooding and vanishing angles are found.
constexpr double kAngleWidth = 0.01;
// Width (degrees) to which the largest arm's angle is found.
constexpr double kMaxWidth = 0.1;

inline double to_radians(double degrees) {
    return (degrees / 180.0) * kPi;
}
inline double to_degrees(double radians) {
    return radians * (180.0 / kPi);
}

// "右舷" for sigma < 0 (a heel to starboard), "左舷" otherwise.
const char* side_name(double sigma);

// The unit normal and constant of a plane.
Plane unit_plane(const Plane& p);

// The heel axis as the trim carries it: the body's x axis projected into the
// water plane of unit normal N.
Point3 carried_heel_axis(const Point3& N);

// The floating position of the water plane `plane` (unit normal out of the
// water) with centre of buoyancy B: heel atan2(N.y, N.z), trim asin(N.x),
// the drafts on the centre line at x = 0, lpp / 2 and lpp.
Equilibrium equilibrium_of(const Plane& plane, const Point3& B, double lpp);

struct Area {
    double value = 0.0;  // m*rad
    bool balanced = true;
};

// Area under the side's curve from a to b (degrees, a <= b): Simpson's rule
// over the grid points (multiples of step) between them in an even number
// of intervals, and a panel with its middle computed for each end piece off
// that run.
Area area_between(SideArms& arms, double step, double a, double b);

// The arms of both sides at heel_deg 0, step, ..., 90, shared among
// `threads` threads (each point independent of the others), kept in
// `sides[0]` (starboard) and `sides[1]` (port) as well.
void gz_grid(const VoxelGroup& body, double V, const GravityAt& G_at, double step, int threads,
             const TrimBounds& bounds, GzCurves& gz, std::vector<ArmResult>& grid,
             SideArms sides[2]);

// Notes on the grid's points whose trim could not be balanced or whose
// water-plane search stalled, each starting with `prefix`.
void grid_notes(const GzCurves& gz, const std::vector<ArmResult>& grid, double V,
                const std::string& prefix, std::vector<std::string>& notes);

// Bisects [lo, hi] (degrees; `inside` false at lo, true at hi) down to
// kAngleWidth; returns the upper end.
template <class Inside>
double bisect_angle(double lo, double hi, Inside&& inside) {
    while (hi - lo > kAngleWidth) {
        const double m = 0.5 * (lo + hi);
        if (inside(m))
            hi = m;
        else
            lo = m;
    }
    return hi;
}

}  // namespace voxel
