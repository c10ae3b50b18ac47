// The two series of the heel sweep.
#include "model/stability/arm_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "support/bodies.h"

namespace {

using voxel::ArmResult;
using voxel::VoxelGroup;

using voxel::kPi;

struct Event {
    bool header = false;
    double sigma = 0.0;
    int degrees = -1;
    ArmResult arm;
};

// Everything the sweep hands out, in order.
std::vector<Event> run_sweep(VoxelGroup& body) {
    std::vector<Event> events;
    voxel::ArmSink sink;
    sink.series_begins = [&events](double sigma) { events.push_back({true, sigma, -1, {}}); };
    sink.arm = [&events](int degrees, double sigma, const ArmResult& arm) {
        events.push_back({false, sigma, degrees, arm});
    };
    voxel::sweep_righting_arms(body, body.V, body.G, voxel::kHeelAboutX, sink);
    return events;
}

// The arms of one series, 0 to 90 degrees.
std::vector<ArmResult> series(const std::vector<Event>& events, double sigma) {
    std::vector<ArmResult> arms;
    for (const Event& e : events)
        if (!e.header && e.sigma == sigma) arms.push_back(e.arm);
    return arms;
}

class SweepRightingArms : public ::testing::Test {};

TEST_F(SweepRightingArms, RightSeriesThenLeftSeriesInStepsOfFiveDegrees) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    const std::vector<Event> events = run_sweep(body);
    ASSERT_EQ(events.size(), 40u);
    for (int k = 0; k < 2; ++k) {
        const double sigma = k == 0 ? -1.0 : 1.0;
        const Event& header = events[20 * k];
        EXPECT_TRUE(header.header);
        EXPECT_EQ(header.sigma, sigma);
        for (int j = 0; j < 19; ++j) {
            const Event& e = events[20 * k + 1 + j];
            EXPECT_FALSE(e.header);
            EXPECT_EQ(e.sigma, sigma);
            EXPECT_EQ(e.degrees, 5 * j);
        }
    }
}

TEST_F(SweepRightingArms, BoxBargeFollowsWallSidedFormulaInBothSeries) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    const std::vector<Event> events = run_sweep(body);
    for (const double sigma : {-1.0, 1.0}) {
        const std::vector<ArmResult> arms = series(events, sigma);
        ASSERT_EQ(arms.size(), 19u);
        for (int j = 1; j <= 5; ++j) {
            const double theta = (5 * j / 180.0) * kPi;
            const double t = std::tan(theta);
            const double expected = std::sin(theta) * (31.0 / 30.0 + 0.5 * (4.0 / 3.0) * t * t);
            EXPECT_EQ(voxel::format_number(arms[j].GZ), voxel::format_number(expected))
                << 5 * j << " degrees";
            EXPECT_FALSE(arms[j].trimmed);
        }
    }
}

TEST_F(SweepRightingArms, BodiesSymmetricAboutCentrePlaneHeelAlikeToBothSides) {
    // Both bodies and their G are symmetric about y = 0, and the trimmed barge
    // needs trim balancing at every angle.
    constexpr double kArmRounding = 1e-9;  // length units, bodies of about 10 to 20 units
    VoxelGroup barge(voxel::CrossingTolerance::Loose), trimmed(voxel::CrossingTolerance::Loose),
        columns(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(barge);
    righting_arm_test::make_trimmed_barge(trimmed);
    righting_arm_test::make_four_column_body(columns);
    for (VoxelGroup* body : {&barge, &trimmed, &columns}) {
        const std::vector<Event> events = run_sweep(*body);
        const std::vector<ArmResult> right = series(events, -1.0);
        const std::vector<ArmResult> left = series(events, 1.0);
        ASSERT_EQ(right.size(), 19u);
        ASSERT_EQ(left.size(), 19u);
        EXPECT_EQ(right[0].GZ, -left[0].GZ);
        EXPECT_LT(std::fabs(right[0].GZ), kArmRounding);
        for (int j = 1; j < 19; ++j) EXPECT_NEAR(right[j].GZ, left[j].GZ, kArmRounding) << 5 * j;
    }
}

TEST_F(SweepRightingArms, TrimIsBalancedAtEveryAngle) {
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_trimmed_barge(body);
    for (const Event& e : run_sweep(body)) {
        if (e.header) continue;
        EXPECT_TRUE(e.arm.trimmed) << e.degrees;
        EXPECT_EQ(e.arm.trim.stop, voxel::TrimStop::Balanced) << e.degrees;
        EXPECT_LE(e.arm.state.d, voxel::kTrimTolerance) << e.degrees;
    }
}

TEST_F(SweepRightingArms, EveryAngleStartsAgainFromUprightTrimWithOneDegreeSteps) {
    // Nothing is carried from one angle to the next: each arm is the one a
    // fresh call gives, and each angle's step is one degree halved once per
    // failed trial.
    VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_trimmed_barge(body);
    const std::vector<Event> events = run_sweep(body);
    const double one_degree = kPi * 0.005555555555555556;
    for (const Event& e : events) {
        if (e.header) continue;
        VoxelGroup fresh(voxel::CrossingTolerance::Loose);
        righting_arm_test::make_trimmed_barge(fresh);
        const double theta = (e.degrees / 180.0) * kPi;
        const ArmResult alone =
            voxel::righting_arm_at(fresh, fresh.V, fresh.G, voxel::kHeelAboutX, theta, e.sigma);
        EXPECT_EQ(e.arm.GZ, alone.GZ) << e.degrees;
        EXPECT_EQ(e.arm.trim.trials, alone.trim.trials) << e.degrees;
        EXPECT_EQ(e.arm.trim.step, std::ldexp(one_degree, -e.arm.trim.halvings)) << e.degrees;
    }
}

}  // namespace
