#include "model/hydrostatics/ship_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/hull_fixtures.h"

namespace {

using hydro_test::box_ship;
using voxel::Plane;

TEST(HydroTable, StartsWithOneRow) {
    const voxel::HydroTable t;
    EXPECT_EQ(t.count, 1);
    EXPECT_EQ(t.T.size(), 1u);
    EXPECT_EQ(t.Cp.size(), 1u);
}

TEST(HydroTable, DraftsAreARunningSum) {
    voxel::HydroTable t;
    t.set_waterlines(3, 0.5, 0.1);
    ASSERT_EQ(t.count, 3);
    EXPECT_EQ(t.T[0], 0.5);
    EXPECT_EQ(t.T[1], 0.5 + 0.1);
    EXPECT_EQ(t.T[2], (0.5 + 0.1) + 0.1);
    for (const std::vector<double>* c : {&t.V, &t.DIS, &t.DISk, &t.Zb, &t.Xb, &t.Aw, &t.Xf, &t.Zm,
                                         &t.TPC, &t.MTC, &t.ZmL, &t.CB, &t.Cw, &t.Cm, &t.Cp})
        EXPECT_EQ(c->size(), 3u);
}

TEST(HydroTable, RunningSumDiffersFromStartPlusMultiple) {
    // 0.5 + 0.1 + 0.1 + 0.1 rounds to 0.7999999999999999, while 0.5 + 3 * 0.1
    // gives 0.8000000000000000444; the table keeps the running sum.
    voxel::HydroTable t;
    t.set_waterlines(95, 0.5, 0.1);
    EXPECT_EQ(t.T[3], 0.7999999999999999);
    EXPECT_NE(t.T[3], 0.5 + 3 * 0.1);
    double d = 0.5;
    for (int k = 1; k < 95; ++k) d = d + 0.1;
    EXPECT_EQ(t.T[94], d);
}

TEST(HydroTable, NoRowsForNonPositiveCount) {
    voxel::HydroTable t;
    t.set_waterlines(-5, 0.5, 0.1);
    EXPECT_EQ(t.count, 0);
    EXPECT_TRUE(t.T.empty());
    EXPECT_TRUE(t.MTC.empty());
}

TEST(ShipModel, EmptyModelHasAnInvertedBox) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    EXPECT_TRUE(ship.hull.tetrahedron_count() == 0);
    const voxel::Box3 b = ship.hull.box();
    EXPECT_EQ(b.minx, 1e20);
    EXPECT_EQ(b.minz, 1e20);
    EXPECT_EQ(b.maxy, -1e20);
    EXPECT_EQ(ship.hull.total_volume(), 0.0);
}

TEST(ShipModel, BoxVolumeAndBounds) {
    voxel::ShipModel ship = box_ship(10, 4, 3);
    EXPECT_NEAR(ship.hull.total_volume(), 120.0, 1e-12);
    const voxel::Box3 b = ship.hull.box();
    EXPECT_EQ(b.minx, 0.0);
    EXPECT_EQ(b.maxx, 10.0);
    EXPECT_EQ(b.miny, -2.0);
    EXPECT_EQ(b.maxy, 2.0);
    EXPECT_EQ(b.minz, 0.0);
    EXPECT_EQ(b.maxz, 3.0);
}

TEST(ShipModel, SubmergedVolumeAndCentreOfABox) {
    voxel::ShipModel ship = box_ship(10, 4, 3);
    const voxel::SubmergedPart s = ship.hull.part_below(Plane{0, 0, 1, -1.2});
    EXPECT_NEAR(s.volume, 48.0, 1e-12);
    EXPECT_NEAR(s.centroid.x, 5.0, 1e-12);
    EXPECT_NEAR(s.centroid.y, 0.0, 1e-12);
    EXPECT_NEAR(s.centroid.z, 0.6, 1e-12);
}

TEST(ShipModel, WhollySubmergedGivesTheTotalVolume) {
    voxel::ShipModel ship = box_ship(10, 4, 3);
    const voxel::SubmergedPart s = ship.hull.part_below(Plane{0, 0, 1, -10});
    EXPECT_EQ(s.volume, ship.hull.total_volume());
    EXPECT_NEAR(s.centroid.z, 1.5, 1e-12);
}

TEST(ShipModel, PlaneBelowTheHullGivesNoVolumeAndNoCentre) {
    voxel::ShipModel ship = box_ship(10, 4, 3);
    const voxel::SubmergedPart s = ship.hull.part_below(Plane{0, 0, 1, 1});
    EXPECT_EQ(s.volume, 0.0);
    EXPECT_TRUE(std::isnan(s.centroid.z));
}

}  // namespace
