// The righting arm of a floating body at one heel angle, with free trim.
//
// The body stays fixed in its own coordinates; the water plane is turned
// around it. Its normal N points out of the water. The heel axis a (horizontal
// in body coordinates) is turned by the heel about itself, which leaves it as
// it is, and then carried along by the trim rotations about the trim axis t.
// Longitudinal coordinates are measured along a: that of a point P is a.P.
// Lengths are in the model's unit, volumes in that unit cubed, angles in
// radians.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kernel/point3.h"
#include "model/body/voxel_group.h"

namespace voxel {

// A horizontal heel axis: the unit direction (x, y, 0) in body coordinates
// (dimensionless). The heel turns the water plane about it, and longitudinal
// coordinates are measured along it.
struct HeelAxis {
    double x = 1.0;
    double y = 0.0;

    Point3 direction() const { return {x, y, 0.0}; }
};

// The body's x axis, about which the programs heel.
constexpr HeelAxis kHeelAboutX{1.0, 0.0};

// |g - b| at or below this (length units) counts as balanced trim.
constexpr double kTrimTolerance = 1e-6;

// Bounds of the trim balancing at one heel angle. Without them the balancing
// can run for ever: once no trial rotation reduces |g - b| any further while
// it is still above the tolerance, the step only halves.
struct TrimBounds {
    double min_step = 1e-12;  // radians; a halved step below this stops the balancing
    int max_trials = 10000;   // no trial beyond this count
};

// The water-plane state that the trim balancing improves.
struct TrimState {
    Point3 N;        // water-plane normal, out of the water
    Point3 a;        // heel axis as carried by the trim rotations
    Point3 B;        // centre of buoyancy at the plane of normal N
    double g = 0.0;  // a.G, longitudinal coordinate of the centre of gravity
    double b = 0.0;  // a.B, longitudinal coordinate of the centre of buoyancy
    double d = 0.0;  // |g - b|
};

enum class TrimStop {
    Balanced,   // |g - b| <= kTrimTolerance
    SmallStep,  // a halved step fell below TrimBounds::min_step
    TrialCount  // TrimBounds::max_trials trials made without balance
};

struct TrimOutcome {
    TrimStop stop = TrimStop::Balanced;
    int trials = 0;     // trial rotations made
    int halvings = 0;   // failed trials, each of which halved the step
    double step = 0.0;  // the step (radians) when the balancing ended
};

// The centre of gravity of a body whose weights move with the water plane
// (liquids in tanks): G for the water-plane normal N (unit, out of the water,
// body coordinates), in the body's length unit.
using GravityAt = std::function<Point3(const Point3& N)>;

// Water-plane searches that their step bound ended, in the order they were
// made; almost always none.
using StalledSearches = std::vector<WaterPlane>;

// Turns N and a about t until |g - b| <= kTrimTolerance. Each trial turns
// copies of the accepted N and a by s (s = +step when g < b, -step otherwise,
// the sign chosen afresh after every accepted trial) and finds the water plane
// of volume V (model units cubed) for the trial normal. A trial that reduces
// |g - b| strictly is accepted; otherwise the step and s are halved and the
// trial is made again from the accepted state. When a bound stops the
// balancing, `state` is the last accepted one (never a rejected trial).
TrimOutcome balance_trim(const VoxelGroup& body, double V, const Point3& G, const Point3& t,
                         double step, TrimState& state, StalledSearches& stalls,
                         const TrimBounds& bounds = {});

// The same with the centre of gravity of each trial taken at its normal.
TrimOutcome balance_trim(const VoxelGroup& body, double V, const GravityAt& G, const Point3& t,
                         double step, TrimState& state, StalledSearches& stalls,
                         const TrimBounds& bounds = {});

struct ArmResult {
    double GZ = 0.0;       // righting arm, length units; positive turns the body back upright
    double L = 0.0;        // distance between the lines of action through G and B along N
    TrimState state;       // the state the arm was computed from
    Point3 G;              // the centre of gravity at that state
    bool trimmed = false;  // false when the first water plane was already balanced
    TrimOutcome trim;      // meaningful when trimmed
    // G and B too close to tell a distance: L and GZ are 0, and the program
    // shows kClosePointsMessage before the arm.
    bool points_coincide = false;
    StalledSearches stalls;  // water-plane searches ended by their bound
};

// The arm at heel angle theta (radians) to the side sigma (-1 or +1) about
// `axis`, for displacement V and centre of gravity G.
// Starts from upright trim, whatever was computed before.
ArmResult righting_arm_at(const VoxelGroup& body, double V, Point3 G, HeelAxis axis, double theta,
                          double sigma, const TrimBounds& bounds = {});

// The same with the centre of gravity taken at every trial normal: weights
// that shift with the water plane (the liquids of tanks) shift with the heel
// and the trim together, and the arm is that of G at the balanced normal.
ArmResult righting_arm_at(const VoxelGroup& body, double V, const GravityAt& G, HeelAxis axis,
                          double theta, double sigma, const TrimBounds& bounds = {});

// Whether the arm is one of a body in longitudinal balance: its trim was
// balanced, or needed no balancing. False where a bound stopped the balancing.
bool trim_balanced(const ArmResult& arm);

// Why a bound stopped the trim balancing of `arm` and what was left, for the
// programs' notes: "纵倾调整停止, 因为已试转 10000 次; 剩余 |g - b| = 0.001;
// 力臂取最后一次接受的纵倾状态." (or "因为纵倾步长已减小到 <step> rad").
std::string trim_stop_text(const ArmResult& arm);

}  // namespace voxel
