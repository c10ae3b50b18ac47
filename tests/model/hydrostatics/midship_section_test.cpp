
#include <gtest/gtest.h>

#include "support/hull_fixtures.h"

namespace {

using hydro_test::box_tetrahedra;
using hydro_test::ship_with;
using voxel::Plane;
using voxel::TetraVertices;

constexpr voxel::CrossingTolerance kStrict = voxel::CrossingTolerance::Strict;

// Areas of order 10 m^2.
constexpr double kAreaTol = 1e-12;

TEST(ClipBelowPlane, WhollyInsideIsKeptAsItIs) {
    const TetraVertices t{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const voxel::SubmergedPieces s = voxel::split_below_plane(t, Plane{0, 0, 1, -2}, kStrict);
    ASSERT_EQ(s.count, 1);
    EXPECT_EQ(s.piece[0].V3.z, 1.0);
    EXPECT_EQ(voxel::split_below_plane(t, Plane{0, 0, 1, 2}, kStrict).count, 0);
}

TEST(ClipBelowPlane, PiecesOnBothSidesMakeUpTheWhole) {
    const TetraVertices t{{0.2, 0.1, 0}, {2, 0, 0.3}, {0, 1.5, 0.1}, {0.4, 0.3, 1.7}};
    for (const Plane& p : {Plane{0, 0, 1, -0.5}, Plane{1, 1, 0, -1}, Plane{0, 0, -1, 0.5}}) {
        const Plane flipped{-p.A, -p.B, -p.C, -p.D};
        double sum = 0.0;
        for (const Plane& side : {p, flipped}) {
            const voxel::SubmergedPieces s = voxel::split_below_plane(t, side, kStrict);
            for (int k = 0; k < s.count; ++k) sum += s.piece[k].full_volume();
        }
        EXPECT_NEAR(sum, t.full_volume(), 1e-14);
    }
}

TEST(MidshipSection, BoxHullGivesBreadthTimesDraft) {
    const double L = 10, B = 4, D = 3;
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, L, -B / 2, B / 2, 0, D), L, B, D);
    for (double T : {0.5, 1.3, 2.9}) {
        const voxel::MidshipSection m = hydro_test::midship_section(ship, T);
        EXPECT_NEAR(m.Am, B * T, kAreaTol) << "T = " << T;
        EXPECT_NEAR(m.Bm, B, kAreaTol) << "T = " << T;
        EXPECT_GT(m.polygons, 0);
    }
}

TEST(MidshipSection, LongShipIsClippedAroundMidshipToTheSameSection) {
    // 60 m long: the x clips at 20 m and 40 m cut the hull; the section at
    // 30 m is the same as without them.
    const double L = 60, B = 8;
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, L, -B / 2, B / 2, 0, 5), L, B, 5);
    const voxel::MidshipSection m = hydro_test::midship_section(ship, 2.0);
    EXPECT_NEAR(m.Am, 16.0, kAreaTol);
    EXPECT_NEAR(m.Bm, B, kAreaTol);
}

TEST(MidshipSection, WiderOrDeeperHullIsClippedToTheMouldedBox) {
    // Hull 6 m wide and reaching z = -1, but B = 4: only |y| <= 2, z >= 0 count.
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, 10, -3, 3, -1, 3), 10, 4, 3);
    for (double T : {0.5, 2.0}) {
        const voxel::MidshipSection m = hydro_test::midship_section(ship, T);
        EXPECT_NEAR(m.Am, 4.0 * T, kAreaTol) << "T = " << T;
        EXPECT_NEAR(m.Bm, 4.0, kAreaTol) << "T = " << T;
    }
}

TEST(MidshipSection, HullOffCentreSeesOnlyItsOwnBreadth) {
    // A hull from y = 0 to y = 1.5 inside B = 4: Bm is the hull's own breadth.
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, 10, 0, 1.5, 0, 3), 10, 4, 3);
    const voxel::MidshipSection m = hydro_test::midship_section(ship, 1.0);
    EXPECT_NEAR(m.Am, 1.5, kAreaTol);
    EXPECT_NEAR(m.Bm, 1.5, kAreaTol);
}

TEST(MidshipSection, FaceInTheSectionPlaneCountsOnce) {
    // Two boxes meeting at x = 5 = Lpp / 2.
    std::vector<voxel::TetraVertices> tets = box_tetrahedra(0, 5, -2, 2, 0, 3);
    const std::vector<voxel::TetraVertices> fore = box_tetrahedra(5, 10, -2, 2, 0, 3);
    tets.insert(tets.end(), fore.begin(), fore.end());
    const voxel::ShipModel ship = ship_with(tets, 10, 4, 3);
    const voxel::MidshipSection m = hydro_test::midship_section(ship, 1.5);
    EXPECT_NEAR(m.Am, 6.0, kAreaTol);
    EXPECT_NEAR(m.Bm, 4.0, kAreaTol);
}

TEST(MidshipSection, NoHullAtMidshipGivesNoSection) {
    // The hull lies wholly aft of the clipping slab.
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, 10, -2, 2, 0, 3), 100, 4, 3);
    const voxel::MidshipSection m = hydro_test::midship_section(ship, 1.0);
    EXPECT_EQ(m.polygons, 0);
    EXPECT_EQ(m.Am, 0.0);
    EXPECT_EQ(m.Bm, 0.0);
}

TEST(MidshipSection, HullAboveTheWaterlineGivesNoSection) {
    const voxel::ShipModel ship = ship_with(box_tetrahedra(0, 10, -2, 2, 1, 3), 10, 4, 3);
    EXPECT_EQ(hydro_test::midship_section(ship, 0.5).polygons, 0);
}

}  // namespace
