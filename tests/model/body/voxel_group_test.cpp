#include "model/body/voxel_group.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/io/format2_reader.h"
#include "support/model_text.h"
#include "support/reference_solids.h"
#include "support/scratch_dir.h"

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
    voxel::read_format2_model(group, path);
}

void expect_near_point(const Point3& a, const Point3& b, double tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

}  // namespace

TEST(VoxelGroupBody, BoxCutAtHalfTheUnitDepth) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {0.5, 0.5, 1}) + model_text::box({0, 0, 0}, {1, 1, 2}));
    const Plane p = plane(0, 0, 1, -0.5);
    const voxel::SubmergedPart s = g.submerged_volume_and_centre(p);
    EXPECT_NEAR(s.volume, 0.5, kVolumeTolerance);
    expect_near_point(s.centroid, {0.5, 0.5, 0.25}, kPointTolerance);
    EXPECT_EQ(g.submerged_volume(p), s.volume);
}

TEST(VoxelGroupBody, PlaneAboveTheBodyGivesEveryPrimitiveWhole) {
    // Two boxes of volumes 2 and 6: B is their volume-weighted mean centre.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::box({0, 0, 0}, {1, 1, 2}) +
                     model_text::box({4, 0, 0}, {7, 2, 1}));
    const voxel::SubmergedPart s = g.submerged_volume_and_centre(plane(0, 0, 1, -10));
    EXPECT_NEAR(s.volume, 8.0, kVolumeTolerance);
    expect_near_point(s.centroid,
                      {(2 * 0.5 + 6 * 5.5) / 8, (2 * 0.5 + 6 * 1.0) / 8, (2 * 1 + 6 * 0.5) / 8},
                      kPointTolerance);
    EXPECT_NEAR(g.total_volume(), 8.0, kVolumeTolerance);
}

TEST(VoxelGroupBody, PlaneBelowTheBodyGivesNothing) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    EXPECT_EQ(g.submerged_volume(plane(0, 0, 1, 1)), 0.0);
    EXPECT_EQ(g.submerged_volume(plane(0, 0.1, 1, 5)), 0.0);
}

TEST(VoxelGroupBody, VertexOnThePlaneCountsAsSubmerged) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) +
                     model_text::tetrahedron({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
    // The apex lies on z = 1: the whole tetrahedron is under water.
    EXPECT_NEAR(g.submerged_volume(plane(0, 0, 1, -1)), 1.0 / 6.0, kVolumeTolerance);
}

TEST(VoxelGroupBody, WetAndDryPartsMakeTheWhole) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    const double total = g.total_volume();
    const Plane wet = plane(0.1, -0.2, 0.97, -2.3);
    const Plane dry = plane(-0.1, 0.2, -0.97, 2.3);
    EXPECT_NEAR(g.submerged_volume(wet) + g.submerged_volume(dry), total, 1e-10 * total);
}

TEST(VoxelGroupBody, TotalVolumeOfTheFourColumnBody) {
    // Pontoons 2 x 10 x 2 x 1; each column a 30-gon prism of height 5 whose
    // sectors span 2 * 3.1415926 / 30 each.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    const double polygon = 30 * 0.5 * std::sin(2 * 3.1415926 / 30);
    EXPECT_NEAR(g.total_volume(), 40 + 4 * 5 * polygon, 1e-10);
}

TEST(VoxelGroupBody, TheBodysCrossingTestReachesTheCut) {
    // A sliver a few 1e-12 thick about z = 0 with one dry vertex: its edges
    // cross the plane with |h| between the strict (1e-15) and the loose
    // (1e-10) parallel tests, so the strict cut takes the exact crossings and
    // the loose one the edge midpoints, and the submerged centroids differ
    // by a good part of the sliver's size.
    const Point3 v[4] = {{0, 0, -1e-12}, {1, 0, 3e-12}, {0, 1, -1e-12}, {0.3, 0.3, -2e-12}};
    const Plane level = plane(0, 0, 1, 0);
    Point3 centre[2];
    int i = 0;
    for (const auto tolerance :
         {voxel::CrossingTolerance::Strict, voxel::CrossingTolerance::Loose}) {
        VoxelGroup g(tolerance);
        voxel::BodyBuilder b(tolerance, voxel::Summation::PerSolid);
        b.add(voxel::TetraVertices{v[0], v[1], v[2], v[3]});
        g.set_body(b.build());
        const voxel::SubmergedPart s = g.submerged_volume_and_centre(level);
        const voxel::SubmergedPart alone = testing_support::submerged_part(
            voxel::TetraVertices{v[0], v[1], v[2], v[3]}, level, tolerance);
        EXPECT_EQ(s.volume, alone.volume);
        EXPECT_EQ(s.centroid.x, alone.centroid.x);
        centre[i++] = s.centroid;
    }
    EXPECT_GT(std::fabs(centre[0].x - centre[1].x), 0.01);
}

TEST(VoxelGroupBody, BoundingBoxOfAnEmptyGroupKeepsItsStartValues) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const voxel::Box3 b = g.box();
    EXPECT_EQ(b.minx, 1e20);
    EXPECT_EQ(b.maxz, -1e20);
    EXPECT_EQ(g.submerged_volume(plane(0, 0, 1, 0)), 0.0);
}

TEST(VoxelGroupBody, BoundingBoxTakesEveryPrimitive) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    EXPECT_EQ(g.box().minx, 0.0);
    EXPECT_EQ(g.box().miny, 0.0);
    EXPECT_EQ(g.box().minz, 0.0);
    EXPECT_EQ(g.box().maxx, 10.0);
    EXPECT_EQ(g.box().maxy, 10.0);
    EXPECT_EQ(g.box().maxz, 6.0);
}

TEST(ActionLineDistance, DistanceBetweenVerticalLines) {
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({0, 0, 0}, {3, 4, 7}, {0, 0, 1}).d, 5.0);
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({3, 4, 7}, {0, 0, 0}, {0, 0, 1}).d, 5.0);
    // The direction's length does not matter.
    EXPECT_DOUBLE_EQ(voxel::action_line_distance({0, 0, 0}, {3, 4, 7}, {0, 0, 2.5}).d, 5.0);
    EXPECT_FALSE(voxel::action_line_distance({0, 0, 0}, {3, 4, 7}, {0, 0, 1}).points_coincide);
}

TEST(ActionLineDistance, PointsOnOneLineAlongTheDirectionGiveZero) {
    const voxel::LineDistance l = voxel::action_line_distance({0, 0, 0}, {0, 0, 5}, {0, 0, 1});
    EXPECT_EQ(l.d, 0.0);
    EXPECT_FALSE(l.points_coincide);
}

TEST(ActionLineDistance, CoincidentPointsSaySoAndGiveZero) {
    const voxel::LineDistance l =
        voxel::action_line_distance({1, 2, 3}, {1 + 1e-6, 2, 3}, {1, 0, 0.5});
    EXPECT_TRUE(l.points_coincide);
    EXPECT_EQ(l.d, 0.0);
    EXPECT_STREQ(voxel::kClosePointsMessage, "两点之间的距离小于1e-10 !");
}
