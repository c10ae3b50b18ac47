// The arm at one heel angle and its trim balancing.
#include "model/stability/righting_arm_at.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kernel/angles.h"
#include "kernel/matrix4.h"
#include "kernel/platform/number_format.h"
#include "support/bodies.h"

namespace {

using righting_arm_test::box_solid;
using voxel::ArmResult;
using voxel::Point3;
using voxel::TrimBounds;
using voxel::TrimState;
using voxel::TrimStop;
using voxel::VoxelGroup;

using voxel::kPi;
const double kOneDegree = kPi * 0.005555555555555556;

double radians(int degrees) {
    return (degrees / 180.0) * kPi;
}

// The box barge floats with draft T = 1 on a 4-wide waterplane: KB = 0.5,
// BM = B^2 / (12 T) = 4/3, KG = 0.8, so GM = 31/30. While the deck edge stays
// dry and the bilge edge wet (tan(theta) <= 1 / 2), the wall-sided formula is
// exact: GZ = sin(theta) * (GM + BM / 2 * tan^2(theta)).
double wall_sided_arm(double theta) {
    const double t = std::tan(theta);
    return std::sin(theta) * (31.0 / 30.0 + 0.5 * (4.0 / 3.0) * t * t);
}

// A cube 4 x 4 x 3 at draft 1 with G = (0.3, 0, 2.5): KB + BM = 0.5 + 4/3 is
// below KG in both directions, so every trim turn moves g away from b faster
// than b and no trim trial is ever accepted.
void make_top_heavy_cube(VoxelGroup& body) {
    voxel::BodyBuilder b(body.crossing, voxel::Summation::PerSolid);
    b.add(box_solid(-2, 2, -2, 2, 0, 3));
    body.set_body(b.build());
    body.V = 16.0;
    body.G = {0.3, 0.0, 2.5};
}

bool same_point(const Point3& p, const Point3& q) {
    return p.x == q.x && p.y == q.y && p.z == q.z;
}

// The state's B is the centre of buoyancy of its own normal, g and b are the
// longitudinal coordinates along its own axis, and the arm is computed from it.
void expect_arm_from_state(VoxelGroup& body, const ArmResult& r, double sigma) {
    const TrimState& s = r.state;
    const voxel::WaterPlane w_plane = body.find_water_plane(body.V, s.N);
    const voxel::Point3 B = w_plane.B;
    EXPECT_TRUE(same_point(B, s.B));
    EXPECT_EQ(s.g, voxel::dot(s.a, body.G));
    EXPECT_EQ(s.b, voxel::dot(s.a, s.B));
    EXPECT_EQ(s.d, std::fabs(s.g - s.b));
    const double L = voxel::action_line_distance(body.G, s.B, s.N).d;
    const Point3 X = voxel::cross(voxel::difference(body.G, s.B), s.N);
    EXPECT_EQ(r.GZ, (sigma * voxel::cosine_between(X, s.a)) * L);
}

class RightingArmAt : public ::testing::Test {};
class BalanceTrim : public ::testing::Test {};

TEST_F(RightingArmAt, BoxBargeNeedsNoTrimBalancing) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    for (const double sigma : {-1.0, 1.0}) {
        for (int i = 0; i <= 90; i += 5) {
            const ArmResult r =
                righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(i), sigma);
            EXPECT_FALSE(r.trimmed) << i;
            EXPECT_LE(r.state.d, voxel::kTrimTolerance) << i;
            EXPECT_TRUE(same_point(r.state.a, Point3{1.0, 0.0, 0.0})) << i;
        }
    }
}

TEST_F(RightingArmAt, BoxBargeFollowsWallSidedFormulaToSixDigits) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    for (const double sigma : {-1.0, 1.0}) {
        for (int i = 5; i <= 25; i += 5) {
            const double GZ =
                righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(i), sigma).GZ;
            EXPECT_EQ(voxel::format_number(GZ), voxel::format_number(wall_sided_arm(radians(i))))
                << "sigma " << sigma << ", " << i << " degrees";
        }
    }
}

TEST_F(RightingArmAt, HeelOfEachSeriesImmersesItsOwnSide) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    const double theta = radians(30);
    constexpr double kUnitTolerance = 1e-15;

    const ArmResult right = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, theta, -1.0);
    EXPECT_NEAR(right.state.N.y, std::sin(theta), kUnitTolerance);
    EXPECT_NEAR(right.state.N.z, std::cos(theta), kUnitTolerance);
    EXPECT_LT(right.state.B.y, 0.0);

    const ArmResult left = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, theta, 1.0);
    EXPECT_NEAR(left.state.N.y, -std::sin(theta), kUnitTolerance);
    EXPECT_NEAR(left.state.N.z, std::cos(theta), kUnitTolerance);
    EXPECT_GT(left.state.B.y, 0.0);

    // A stable barge is turned back upright from either side.
    EXPECT_GT(right.GZ, 0.0);
    EXPECT_GT(left.GZ, 0.0);
}

TEST_F(RightingArmAt, TopHeavyBodyHasNegativeArms) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    make_top_heavy_cube(body);
    body.G.x = 0.0;  // no trim needed
    for (const double sigma : {-1.0, 1.0})
        EXPECT_LT(righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(10), sigma).GZ,
                  0.0);
}

TEST_F(RightingArmAt, AtZeroHeelTheSeriesDifferOnlyBySign) {
    VoxelGroup barge(voxel::CrossingTolerance::Loose), trimmed(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(barge);
    righting_arm_test::make_trimmed_barge(trimmed);
    for (VoxelGroup* body : {&barge, &trimmed}) {
        const ArmResult right =
            righting_arm_at(*body, body->V, body->G, voxel::kHeelAboutX, 0.0, -1.0);
        const ArmResult left =
            righting_arm_at(*body, body->V, body->G, voxel::kHeelAboutX, 0.0, 1.0);
        EXPECT_EQ(right.GZ, -left.GZ);
        EXPECT_TRUE(same_point(right.state.B, left.state.B));
        EXPECT_EQ(right.state.d, left.state.d);
    }
}

TEST_F(RightingArmAt, NoMomentAxisGivesPositiveZero) {
    // G straight above the upright centre of buoyancy: (B - G) x N is exactly
    // the zero vector at 0 degrees, and its cosine with a would be 0 / 0.
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    const voxel::WaterPlane w_plane = body.find_water_plane(body.V, {0.0, 0.0, 1.0});
    const voxel::Point3 B = w_plane.B;
    body.G = {B.x, B.y, B.z + 0.3};
    for (const double sigma : {-1.0, 1.0}) {
        const ArmResult r = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, 0.0, sigma);
        EXPECT_FALSE(r.trimmed);
        EXPECT_EQ(r.GZ, 0.0);
        EXPECT_FALSE(std::signbit(r.GZ));
        EXPECT_EQ(voxel::format_number(r.GZ), "0");
    }
}

TEST_F(RightingArmAt, CentresWithinTheDistanceGuardGiveZeroArm) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    const voxel::WaterPlane w_plane = body.find_water_plane(body.V, {0.0, 0.0, 1.0});
    const voxel::Point3 B = w_plane.B;
    body.G = B;
    const ArmResult r = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, 0.0, -1.0);
    EXPECT_TRUE(r.points_coincide);
    EXPECT_EQ(r.L, 0.0);
    EXPECT_EQ(r.GZ, 0.0);
    EXPECT_FALSE(std::signbit(r.GZ));
}

TEST_F(BalanceTrim, BalancesTheBargeWithForecastle) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_trimmed_barge(body);
    for (const int i : {0, 20, 60}) {
        for (const double sigma : {-1.0, 1.0}) {
            const ArmResult r =
                righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(i), sigma);
            EXPECT_TRUE(r.trimmed);
            EXPECT_EQ(r.trim.stop, TrimStop::Balanced);
            EXPECT_LE(r.state.d, voxel::kTrimTolerance);
            // G lies forward of the upright centre of buoyancy: the bow goes down.
            EXPECT_GT(r.state.a.z, 0.0);
            EXPECT_NEAR(voxel::length(r.state.a), 1.0, 1e-15);
            expect_arm_from_state(body, r, sigma);
        }
    }
}

TEST_F(BalanceTrim, HalvesTheStepOnlyOnFailedTrials) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_trimmed_barge(body);
    const ArmResult r =
        righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(15), -1.0);
    ASSERT_TRUE(r.trimmed);
    EXPECT_GT(r.trim.trials, r.trim.halvings);  // some trials were accepted
    EXPECT_EQ(r.trim.step, std::ldexp(kOneDegree, -r.trim.halvings));
}

TEST_F(BalanceTrim, BalancedStateMakesNoTrial) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    TrimState s;
    s.N = {0.0, 0.0, 1.0};
    s.a = {1.0, 0.0, 0.0};
    s.d = voxel::kTrimTolerance;  // not above the tolerance
    voxel::StalledSearches stalls;
    const voxel::TrimOutcome out =
        voxel::balance_trim(body, body.V, body.G, {0.0, 1.0, 0.0}, kOneDegree, s, stalls);
    EXPECT_EQ(out.stop, TrimStop::Balanced);
    EXPECT_EQ(out.trials, 0);
    EXPECT_EQ(out.step, kOneDegree);
    EXPECT_TRUE(same_point(s.N, Point3{0.0, 0.0, 1.0}));
}

TEST_F(BalanceTrim, TrialCountBoundKeepsTheLastAcceptedState) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_trimmed_barge(body);
    const ArmResult upright = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(20),
                                              1.0, TrimBounds{1e-12, 0});
    ASSERT_EQ(upright.trim.stop, TrimStop::TrialCount);
    EXPECT_EQ(upright.trim.trials, 0);

    const ArmResult r = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(20), 1.0,
                                        TrimBounds{1e-12, 3});
    EXPECT_EQ(r.trim.stop, TrimStop::TrialCount);
    EXPECT_EQ(r.trim.trials, 3);
    EXPECT_GT(r.state.d, voxel::kTrimTolerance);
    EXPECT_LT(r.state.d, upright.state.d);
    expect_arm_from_state(body, r, 1.0);
}

TEST_F(BalanceTrim, SmallStepBoundKeepsTheLastAcceptedState) {
    // With G off the centre line of a four-column body, trim balancing at 35
    // degrees of heel stalls: |g - b| stays well above the tolerance while the
    // step halves away.
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_four_column_body(body);
    body.G.x = 0.5;
    for (const double sigma : {-1.0, 1.0}) {
        const ArmResult r =
            righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, radians(35), sigma);
        EXPECT_EQ(r.trim.stop, TrimStop::SmallStep);
        EXPECT_LT(r.trim.step, 1e-12);
        EXPECT_GE(2.0 * r.trim.step, 1e-12);  // tested right after each halving
        EXPECT_EQ(r.trim.step, std::ldexp(kOneDegree, -r.trim.halvings));
        EXPECT_GT(r.trim.trials, r.trim.halvings);
        EXPECT_GT(r.state.d, voxel::kTrimTolerance);
        expect_arm_from_state(body, r, sigma);
    }
}

TEST_F(BalanceTrim, NoAcceptedTrialKeepsTheHeeledUprightState) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    make_top_heavy_cube(body);
    const double theta = radians(10);
    const ArmResult r = righting_arm_at(body, body.V, body.G, voxel::kHeelAboutX, theta, -1.0);
    EXPECT_EQ(r.trim.stop, TrimStop::SmallStep);
    EXPECT_EQ(r.trim.trials, r.trim.halvings);
    EXPECT_TRUE(same_point(r.state.a, Point3{1.0, 0.0, 0.0}));
    Point3 N{0.0, 0.0, 1.0};
    voxel::rotate_about_axis(N, {1.0, 0.0, 0.0}, -theta);
    EXPECT_TRUE(same_point(r.state.N, N));
    EXPECT_NEAR(r.state.d, 0.3, 1e-12);
    expect_arm_from_state(body, r, -1.0);
}

}  // namespace
