
#include <gtest/gtest.h>

#include <cmath>

#include "support/hull_fixtures.h"

namespace {

using hydro_test::box_ship;
using hydro_test::box_tetrahedra;
using hydro_test::ship_with;
using voxel::Plane;

constexpr double kTol = 1e-13;  // unit-sized bodies

TEST(WaterplaneProperties, UnitCubeAtMidHeight) {
    const voxel::ShipModel cube = ship_with(box_tetrahedra(0, 1, 0, 1, 0, 1), 1, 1, 1);
    const voxel::WaterplaneProps w = hydro_test::waterplane_properties(cube, Plane{0, 0, 1, -0.5});
    EXPECT_NEAR(w.Aw, 1.0, kTol);
    EXPECT_NEAR(w.xf, 0.5, kTol);
    EXPECT_NEAR(w.yf, 0.5, kTol);
    EXPECT_NEAR(w.IT, 1.0 / 12.0, kTol);
    EXPECT_NEAR(w.IL, 1.0 / 12.0, kTol);
    EXPECT_NEAR(w.length, 1.0, kTol);
    EXPECT_NEAR(w.breadth, 1.0, kTol);
}

TEST(WaterplaneProperties, BoxBargeMomentsOfInertia) {
    // L x B rectangle: IT = L B^3 / 12 about the centre line, IL = B L^3 / 12.
    const double L = 10, B = 4;
    const voxel::ShipModel ship = box_ship(L, B, 3);
    const voxel::WaterplaneProps w = hydro_test::waterplane_properties(ship, Plane{0, 0, 1, -1.3});
    const double tol = 1e-12 * B * L * L * L;
    EXPECT_NEAR(w.Aw, L * B, 1e-12 * L * B);
    EXPECT_NEAR(w.xf, 0.5 * L, 1e-12 * L);
    EXPECT_NEAR(w.yf, 0.0, 1e-12 * L);
    EXPECT_NEAR(w.IT, L * B * B * B / 12.0, tol);
    EXPECT_NEAR(w.IL, B * L * L * L / 12.0, tol);
    EXPECT_NEAR(w.length, L, 1e-12 * L);
    EXPECT_NEAR(w.breadth, B, 1e-12 * L);
}

TEST(WaterplaneProperties, FaceInThePlaneCountsOnceFromAbove) {
    // Two unit cubes stacked at z = 1: the faces in z = 1 of the upper cube
    // give the unit square; those of the lower cube are skipped.
    std::vector<voxel::TetraVertices> tets = box_tetrahedra(0, 1, 0, 1, 0, 1);
    const std::vector<voxel::TetraVertices> upper = box_tetrahedra(0, 1, 0, 1, 1, 2);
    tets.insert(tets.end(), upper.begin(), upper.end());
    const voxel::ShipModel stack = ship_with(tets, 1, 1, 2);
    const voxel::WaterplaneProps w = hydro_test::waterplane_properties(stack, Plane{0, 0, 1, -1});
    EXPECT_NEAR(w.Aw, 1.0, kTol);
    EXPECT_NEAR(w.IT, 1.0 / 12.0, kTol);
    EXPECT_NEAR(w.IL, 1.0 / 12.0, kTol);
}

TEST(WaterplaneProperties, SingleTetrahedronWithAFaceInThePlane) {
    const voxel::Point3 a{0, 0, 1}, b{2, 0, 1}, c{0, 2, 1};
    const Plane p{0, 0, 1, -1};
    const voxel::ShipModel below = ship_with({voxel::TetraVertices{a, b, c, {0, 0, 0}}}, 2, 2, 2);
    const voxel::ShipModel above = ship_with({voxel::TetraVertices{a, b, c, {0, 0, 2}}}, 2, 2, 2);
    EXPECT_EQ(hydro_test::waterplane_properties(below, p).polygons, 0);
    EXPECT_EQ(hydro_test::waterplane_properties(below, p).Aw, 0.0);
    EXPECT_NEAR(hydro_test::waterplane_properties(above, p).Aw, 2.0, kTol);
}

TEST(WaterplaneProperties, PlaneMissingTheHullHasNoArea) {
    const voxel::ShipModel ship = box_ship(10, 4, 3);
    const voxel::WaterplaneProps w = hydro_test::waterplane_properties(ship, Plane{0, 0, 1, -5});
    EXPECT_EQ(w.polygons, 0);
    EXPECT_EQ(w.Aw, 0.0);
    EXPECT_EQ(w.length, 0.0);
    EXPECT_EQ(w.breadth, 0.0);
    EXPECT_TRUE(std::isnan(w.xf));
}

}  // namespace
