#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "model/body/voxel_group.h"
#include "model/io/format2_reader.h"
#include "model/stability/displacement_check.h"
#include "support/model_text.h"
#include "support/scratch_dir.h"

using testing_support::ScratchDir;
using voxel::Plane;
using voxel::Point3;
using voxel::VoxelGroup;

namespace {

constexpr double kBisectionTolerance = 1e-10;  // relative, on the volume
constexpr double kPointTolerance = 1e-9;       // on lengths of order 1

void read_text(VoxelGroup& group, const std::string& text) {
    ScratchDir dir;
    const std::string path = dir.write("model.txt", text);
    voxel::read_format2_model(group, path);
}

// One Hexahedron from (0,0,0) to (1,1,2).
void read_tall_box(VoxelGroup& g) {
    read_text(g, model_text::header(1, {0.5, 0.5, 1}) + model_text::box({0, 0, 0}, {1, 1, 2}));
}

double relative_volume_error(VoxelGroup& g, const Plane& p, double V) {
    return std::fabs((g.submerged_volume(p) - V) / V);
}

}  // namespace

TEST(WaterPlane, HalfTheBoxIsFoundAtTheFirstMidpoint) {
    // Q(0.5) is the box's centre, which submerges exactly 1: the plane of
    // the first evaluation is kept, so D is -1 to the last bit.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    const voxel::WaterPlane w_p = g.find_water_plane(1.0, {0, 0, 1});
    const voxel::Plane p = w_p.plane;
    const voxel::Point3 B = w_p.B;
    EXPECT_EQ(w_p.steps, 0);
    EXPECT_TRUE(w_p.converged);
    EXPECT_EQ(p.A, 0.0);
    EXPECT_EQ(p.B, 0.0);
    EXPECT_EQ(p.C, 1.0);
    EXPECT_EQ(p.D, -1.0);
    EXPECT_NEAR(B.x, 0.5, 1e-12);
    EXPECT_NEAR(B.y, 0.5, 1e-12);
    EXPECT_NEAR(B.z, 0.5, 1e-12);
}

TEST(WaterPlane, QuarterOfTheBoxBisectsToItsLevel) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    const voxel::WaterPlane w_p = g.find_water_plane(0.5, {0, 0, 1});
    const voxel::Plane p = w_p.plane;
    const voxel::Point3 B = w_p.B;
    EXPECT_LT(relative_volume_error(g, p, 0.5), kBisectionTolerance);
    EXPECT_NEAR(p.D, -0.5, 2 * kBisectionTolerance);
    EXPECT_NEAR(B.x, 0.5, kPointTolerance);
    EXPECT_NEAR(B.y, 0.5, kPointTolerance);
    EXPECT_NEAR(B.z, 0.25, kPointTolerance);
}

TEST(WaterPlane, NormalLengthDoesNotMatter) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    const voxel::WaterPlane w_p1 = g.find_water_plane(0.7, {0, 0, 1});
    const voxel::Plane p1 = w_p1.plane;
    const voxel::Point3 B1 = w_p1.B;
    const voxel::WaterPlane w_p2 = g.find_water_plane(0.7, {0, 0, 2});
    const voxel::Plane p2 = w_p2.plane;
    const voxel::Point3 B2 = w_p2.B;
    EXPECT_EQ(p1.A, p2.A);
    EXPECT_EQ(p1.B, p2.B);
    EXPECT_EQ(p1.C, p2.C);
    EXPECT_EQ(p1.D, p2.D);
    EXPECT_EQ(B1.z, B2.z);
}

TEST(WaterPlane, TiltedNormalGivesAUnitNormalAndTheVolume) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(1, {}) + model_text::four_column_solids());
    const double V = 60.0;
    const voxel::WaterPlane w_p = g.find_water_plane(V, {0, 0.1, 1});
    const voxel::Plane p = w_p.plane;
    const voxel::Point3 B = w_p.B;
    EXPECT_NEAR(std::sqrt(p.A * p.A + p.B * p.B + p.C * p.C), 1.0, 1e-15);
    EXPECT_GT(p.B, 0.0);
    EXPECT_EQ(p.A, 0.0);
    EXPECT_LT(relative_volume_error(g, p, V), kBisectionTolerance);
    // B is the centre of the volume below the plane that was found.
    const Point3 B_again = g.submerged_volume_and_centre(p).centroid;
    EXPECT_EQ(B.x, B_again.x);
    EXPECT_EQ(B.y, B_again.y);
    EXPECT_EQ(B.z, B_again.z);
}

TEST(WaterPlane, StalledBisectionStopsAfterItsBoundAndSaysSo) {
    // A displacement of 1e-300 in a box of height 2 lies about 1000 halvings
    // below the midpoint: the bound ends the search with the last plane.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    const voxel::WaterPlane w = g.find_water_plane(1e-300, {0, 0, 1});
    const voxel::Plane p = w.plane;
    EXPECT_FALSE(w.converged);
    EXPECT_EQ(w.steps, voxel::kMaxBisections);
    EXPECT_EQ(w.volume_reached, g.submerged_volume(p));
    const std::string note = voxel::water_plane_stall_note(1e-300, w);
    EXPECT_NE(note.find("二分 200 步"), std::string::npos) << note;
    EXPECT_EQ(p.C, 1.0);
    EXPECT_LT(p.D, 0.0);
    EXPECT_GT(p.D, -1e-50);
}

TEST(DisplacementRange, AcceptsVolumesUpToTheBodyVolume) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    double total = 0.0;
    EXPECT_TRUE(voxel::displacement_in_range(g, 1.0, total));
    EXPECT_NEAR(total, 2.0, 1e-12);
    EXPECT_TRUE(voxel::displacement_in_range(g, total, total));
    EXPECT_TRUE(voxel::displacement_in_range(g, total * (1 + 1e-12), total));
    EXPECT_TRUE(voxel::displacement_in_range(g, 1e-300, total));
}

TEST(DisplacementRange, RefusesZeroNegativeAndTooLargeVolumes) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    double total = 0.0;
    EXPECT_FALSE(voxel::displacement_in_range(g, 0.0, total));
    EXPECT_FALSE(voxel::displacement_in_range(g, -1.0, total));
    EXPECT_FALSE(voxel::displacement_in_range(g, 2.0 * (1 + 1e-9), total));
    EXPECT_FALSE(voxel::displacement_in_range(g, std::nan(""), total));
}

TEST(DisplacementRange, EveryAcceptedVolumeHasAWaterPlane) {
    // At the top of the range the search ends at once or within its bound.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_tall_box(g);
    const double total = g.total_volume();
    const voxel::WaterPlane w = g.find_water_plane(total, {0, 0, 1});
    EXPECT_LT(relative_volume_error(g, w.plane, total), kBisectionTolerance);
}

TEST(DisplacementRange, MessageNamesBothVolumes) {
    const std::string m = voxel::displacement_range_message(2.5, 2.0);
    EXPECT_NE(m.find("Volume of Displacement=2.5, "), std::string::npos) << m;
    EXPECT_NE(m.find("=2 "), std::string::npos) << m;
}

namespace {

// The search decides most of its steps from bounds on the volume; it must
// give the very plane, centre of buoyancy and step count of the search that
// computes every volume, whatever the body and the normal.
TEST(WaterPlane, BoundedStepsGiveTheSameSearchAsFullVolumes) {
    const std::string solids[] = {
        model_text::four_column_solids(),
        model_text::box({0, 0, 0}, {10, 4, 3}) + model_text::box({10, 0, 0}, {14, 4, 2}) +
            model_text::tetrahedron({14, 0, 0}, {17, 2, 0}, {14, 4, 0}, {14, 2, 2}),
        model_text::cylinder({0, 0, 1}, 1.0, {12, 0, 1}) +
            model_text::cylinder({6, 0, 1}, 0.5, {6, 0, 4}),
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> tilt(-0.6, 0.6), share(0.05, 0.95);
    for (const std::string& s : solids) {
        VoxelGroup g(voxel::CrossingTolerance::Loose);
        read_text(g, model_text::header(1, {}) + s);
        const double total = g.total_volume();
        for (int k = 0; k < 40; ++k) {
            const Point3 N{tilt(random), tilt(random), 1.0};
            const double V = share(random) * total;
            const voxel::WaterPlane a = g.find_water_plane(V, N);
            const voxel::WaterPlane b = g.find_water_plane_in_full(V, N);
            EXPECT_EQ(a.steps, b.steps);
            EXPECT_EQ(a.plane.D, b.plane.D);
            EXPECT_EQ(a.plane.A, b.plane.A);
            EXPECT_EQ(a.B.x, b.B.x);
            EXPECT_EQ(a.B.y, b.B.y);
            EXPECT_EQ(a.B.z, b.B.z);
            EXPECT_EQ(a.volume_reached, b.volume_reached);
        }
    }
}

}  // namespace
