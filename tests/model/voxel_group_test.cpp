#include "model/voxel_group.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kernel/platform/console.h"
#include "model/capture_output.h"
#include "model/format2_reader.h"
#include "model/model_text.h"
#include "support/scratch_dir.h"

using testing_support::OutputCapture;
using testing_support::ScratchDir;
using voxel::Plane;
using voxel::Point3;
using voxel::VoxelGroup;

namespace {

constexpr double kVolumeTolerance = 1e-12;  // on volumes of order 1 to 100
constexpr double kPointTolerance = 1e-12;   // on lengths of order 1 to 10

Plane plane(double a, double b, double c, double d) {
    Plane p;
    p.set(a, b, c, d);
    return p;
}

void read_text(VoxelGroup& group, const std::string& text) {
    ScratchDir dir;
    const std::string path = dir.write("model.txt", text);
    voxel::read_format2_model(group, path.c_str());
}

void expect_near_point(const Point3& a, const Point3& b, double tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

}  // namespace

TEST(VoxelGroupBody, BoxCutAtHalfTheUnitDepth) {
    VoxelGroup g;
    read_text(g, model_text::header(1, {0.5, 0.5, 1}) + model_text::box({0, 0, 0}, {1, 1, 2}));
    const Plane p = plane(0, 0, 1, -0.5);
    double v = 0.0;
    Point3 B;
    g.submerged_volume_and_centre(p, v, B);
    EXPECT_NEAR(v, 0.5, kVolumeTolerance);
    expect_near_point(B, {0.5, 0.5, 0.25}, kPointTolerance);
    EXPECT_EQ(g.submerged_volume(p), v);
}

TEST(VoxelGroupBody, PlaneAboveTheBodyGivesEveryPrimitiveWhole) {
    // Two boxes of volumes 2 and 6: B is their volume-weighted mean centre.
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) + model_text::box({0, 0, 0}, {1, 1, 2}) +
                     model_text::box({4, 0, 0}, {7, 2, 1}));
    double v = 0.0;
    Point3 B;
    g.submerged_volume_and_centre(plane(0, 0, 1, -10), v, B);
    EXPECT_NEAR(v, 8.0, kVolumeTolerance);
    expect_near_point(B, {(2 * 0.5 + 6 * 5.5) / 8, (2 * 0.5 + 6 * 1.0) / 8, (2 * 1 + 6 * 0.5) / 8},
                      kPointTolerance);
    EXPECT_NEAR(g.total_volume(), 8.0, kVolumeTolerance);
}

TEST(VoxelGroupBody, PlaneBelowTheBodyGivesNothing) {
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    EXPECT_EQ(g.submerged_volume(plane(0, 0, 1, 1)), 0.0);
    EXPECT_EQ(g.submerged_volume(plane(0, 0.1, 1, 5)), 0.0);
}

TEST(VoxelGroupBody, VertexOnThePlaneCountsAsSubmerged) {
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) +
                     model_text::tetrahedron({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
    // The apex lies on z = 1: the whole tetrahedron is under water.
    EXPECT_NEAR(g.submerged_volume(plane(0, 0, 1, -1)), 1.0 / 6.0, kVolumeTolerance);
}

TEST(VoxelGroupBody, WetAndDryPartsMakeTheWhole) {
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    const double total = g.total_volume();
    const Plane wet = plane(0.1, -0.2, 0.97, -2.3);
    const Plane dry = plane(-0.1, 0.2, -0.97, 2.3);
    EXPECT_NEAR(g.submerged_volume(wet) + g.submerged_volume(dry), total, 1e-10 * total);
}

TEST(VoxelGroupBody, TotalVolumeOfTheFourColumnBody) {
    // Pontoons 2 x 10 x 2 x 1; each column a 30-gon prism of height 5 whose
    // sectors span 2 * 3.1415926 / 30 each.
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    const double polygon = 30 * 0.5 * std::sin(2 * 3.1415926 / 30);
    EXPECT_NEAR(g.total_volume(), 40 + 4 * 5 * polygon, 1e-10);
}

TEST(VoxelGroupBody, BoundingBoxOfAnEmptyGroupKeepsItsStartValues) {
    VoxelGroup g;
    const voxel::Box3 b = g.bounding_box();
    EXPECT_EQ(b.minx, 1e20);
    EXPECT_EQ(b.maxz, -1e20);
    EXPECT_EQ(g.submerged_volume(plane(0, 0, 1, 0)), 0.0);
}

TEST(VoxelGroupBody, BoundingBoxTakesEveryPrimitive) {
    VoxelGroup g;
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    EXPECT_EQ(g.box.minx, 0.0);
    EXPECT_EQ(g.box.miny, 0.0);
    EXPECT_EQ(g.box.minz, 0.0);
    EXPECT_EQ(g.box.maxx, 10.0);
    EXPECT_EQ(g.box.maxy, 10.0);
    EXPECT_EQ(g.box.maxz, 6.0);
}

TEST(ActionLineDistance, DistanceBetweenVerticalLines) {
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({0, 0, 0}, {3, 4, 7}, {0, 0, 1}), 5.0);
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({3, 4, 7}, {0, 0, 0}, {0, 0, 1}), 5.0);
    // The direction's length does not matter.
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({0, 0, 0}, {3, 4, 7}, {0, 0, 2.5}), 5.0);
}

TEST(ActionLineDistance, PointsOnOneLineAlongTheDirectionGiveZero) {
    EXPECT_EQ(voxel::action_line_distance({0, 0, 0}, {0, 0, 5}, {0, 0, 1}), 0.0);
}

TEST(ActionLineDistance, CoincidentPointsSaySoAndGiveZero) {
    OutputCapture out(stdout);
    const double d = voxel::action_line_distance({1, 2, 3}, {1 + 1e-6, 2, 3}, {1, 0, 0.5});
    EXPECT_EQ(out.text(), voxel::to_console("两点之间的距离小于1e-10 !") + "\n");
    EXPECT_EQ(d, 0.0);
}
