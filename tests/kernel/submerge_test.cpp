// The submerged volume and centroid of one primitive solid below a plane, as
// the reference per-solid sum gives them over the solid's decomposition.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "kernel_fixtures.h"
#include "kernel_test_helpers.h"
#include "support/reference_solids.h"

namespace {

using kernel_test::expect_point_eq;
using kernel_test::expect_point_near;
using kernel_test::flipped;
using kernel_test::kRoundoff;
using kernel_test::kStrict;
using kernel_test::make_box;
using kernel_test::make_plane;
using kernel_test::polygon_prism_volume;
using kernel_test::right_prism;
using kernel_test::unit_cube;
using testing_support::submerged_part;
using voxel::Cylinder;
using voxel::Hexahedron;
using voxel::Plane;
using voxel::Point3;
using voxel::SubmergedPart;
using voxel::TetraVertices;
using voxel::TrianglePrism;

// ------------------------------------------------------ closed forms

struct Expected {
    const char* name;
    Plane plane;
    double volume;
    Point3 centroid;
};

class HexahedronSubmerge : public testing::TestWithParam<Expected> {};

TEST_P(HexahedronSubmerge, UnitCube) {
    const Expected& e = GetParam();
    const SubmergedPart s = submerged_part(unit_cube(), e.plane, kStrict);
    EXPECT_NEAR(s.volume, e.volume, kRoundoff);
    expect_point_near(s.centroid, e.centroid, kRoundoff);
}

INSTANTIATE_TEST_SUITE_P(
    Hexahedron, HexahedronSubmerge,
    testing::Values(Expected{"QuarterDraft", make_plane(0, 0, 1, -0.25), 0.25, {0.5, 0.5, 0.125}},
                    Expected{"WhollyBelow", make_plane(0, 0, 1, -2), 1.0, {0.5, 0.5, 0.5}},
                    Expected{"DiagonalHalf", make_plane(1, 1, 0, -1), 0.5, {1.0 / 3, 1.0 / 3, 0.5}},
                    // The normal points down: the top three quarters are submerged.
                    Expected{"NormalDown", make_plane(0, 0, -1, 0.25), 0.75, {0.5, 0.5, 0.625}},
                    Expected{"TiltedHalf", make_plane(1, 0, 1, -1), 0.5, {1.0 / 3, 0.5, 1.0 / 3}}),
    [](const testing::TestParamInfo<Expected>& i) { return std::string(i.param.name); });

class PrismSubmerge : public testing::TestWithParam<Expected> {};

TEST_P(PrismSubmerge, RightPrism) {
    const Expected& e = GetParam();
    const SubmergedPart s = submerged_part(right_prism(), e.plane, kStrict);
    EXPECT_NEAR(s.volume, e.volume, kRoundoff);
    expect_point_near(s.centroid, e.centroid, kRoundoff);
}

INSTANTIATE_TEST_SUITE_P(
    TrianglePrism, PrismSubmerge,
    testing::Values(
        Expected{"WhollyBelow", make_plane(0, 0, 1, -1.5), 0.5, {1.0 / 3, 1.0 / 3, 0.5}},
        Expected{"HalfDraft", make_plane(0, 0, 1, -0.5), 0.25, {1.0 / 3, 1.0 / 3, 0.25}},
        // x <= 0.5: the triangle less its corner at (1, 0), area 3/8.
        Expected{"SideCut", make_plane(1, 0, 0, -0.5), 0.375, {2.0 / 9, 7.0 / 18, 0.5}}),
    [](const testing::TestParamInfo<Expected>& i) { return std::string(i.param.name); });

TEST(HexahedronSubmerge, BoxBargeAtDraft) {
    // A 10 x 4 x 2 barge at draft T displaces 40 T with its centre at T / 2.
    const Hexahedron barge = make_box({-5, -2, 0}, {5, 2, 2});
    for (double T : {0.1, 0.75, 1.0, 1.9}) {
        const SubmergedPart s = submerged_part(barge, make_plane(0, 0, 1, -T), kStrict);
        EXPECT_NEAR(s.volume, 40 * T, 40 * kRoundoff);
        expect_point_near(s.centroid, {0, 0, T / 2}, 10 * kRoundoff);
    }
}

TEST(CylinderSubmerge, WhollyBelowIsThePolygonPrism) {
    const Cylinder c({0, 0, 0}, {2, 0, 0}, 1.0);
    const SubmergedPart s = submerged_part(c, make_plane(0, 0, 1, -5), kStrict);
    EXPECT_NEAR(s.volume, polygon_prism_volume(30, 1.0, 2.0), kRoundoff);
    // On the axis, half way, to the accuracy of the rim's pi.
    expect_point_near(s.centroid, {1, 0, 0}, 1e-6);
}

TEST(CylinderSubmerge, UprightAtDraft) {
    // Upright, r = 1: the draft T displaces the polygon area times T.
    const Cylinder c({3, 4, -1}, {3, 4, 2}, 1.0);
    const SubmergedPart s = submerged_part(c, make_plane(0, 0, 1, 0), kStrict);
    EXPECT_NEAR(s.volume, polygon_prism_volume(30, 1.0, 1.0), kRoundoff);
    expect_point_near(s.centroid, {3, 4, -0.5}, 1e-6);
}

TEST(CylinderSubmerge, UsesTheStoredSectorCount) {
    Cylinder c({0, 0, 0}, {0, 3, 0}, 2.0);
    c.n = 12;
    const SubmergedPart s = submerged_part(c, make_plane(0, 0, 1, -10), kStrict);
    EXPECT_NEAR(s.volume, polygon_prism_volume(12, 2.0, 3.0), 10 * kRoundoff);
    EXPECT_EQ(c.n, 12);
}

// ------------------------------------------------------ degenerate cases

TEST(SolidSubmerge, WhollyDrySolidsKeepTheirFirstPoint) {
    const Plane low = make_plane(0, 0, 1, 10);  // the water plane z = -10
    const SubmergedPart h = submerged_part(make_box({1, 2, 3}, {4, 5, 6}), low, kStrict);
    EXPECT_EQ(h.volume, 0.0);
    expect_point_eq(h.centroid, {1, 2, 3});

    const SubmergedPart p = submerged_part(right_prism(), low, kStrict);
    EXPECT_EQ(p.volume, 0.0);
    expect_point_eq(p.centroid, {0, 0, 0});

    const SubmergedPart c = submerged_part(Cylinder({7, 8, 9}, {7, 8, 12}, 0.5), low, kStrict);
    EXPECT_EQ(c.volume, 0.0);
    expect_point_eq(c.centroid, {7, 8, 9});
}

TEST(SolidSubmerge, FaceOnThePlaneWithTheBodyDry) {
    // Bottom face in the plane z = 0, body above; then the top face in a
    // downward plane z = 1, body below. The pieces are exactly flat.
    for (const Plane& p : {make_plane(0, 0, 1, 0), make_plane(0, 0, -1, 1)}) {
        const SubmergedPart h = submerged_part(make_box({0.5, 0, 0}, {1.5, 1, 1}), p, kStrict);
        EXPECT_EQ(h.volume, 0.0);
        expect_point_eq(h.centroid, {0.5, 0, 0});
    }
}

TEST(SolidSubmerge, BelowTheSolidsZeroTestTheCentroidIsTheFirstPoint) {
    // A film of 1e-21 on a slab 1e-10 thick (so that the crossings keep the
    // film): volume about 1e-21 < 1e-20.
    const SubmergedPart h = submerged_part(make_box({0.5, 0, 0}, {1.5, 1, 1e-10}),
                                           make_plane(0, 0, 1, -1e-21), kStrict);
    EXPECT_GT(h.volume, 0.0);
    EXPECT_LT(h.volume, 1e-20);
    expect_point_eq(h.centroid, {0.5, 0, 0});
}

TEST(SolidSubmerge, AboveTheSolidsZeroTestThePiecesCentroidsAreWeighted) {
    // A film of about 1e-16: each tetrahedron's piece is below its own 1e-15
    // test and brings its fallback centroid; the solid divides by the sum.
    const Plane film = make_plane(0, 0, 1, -1e-16);
    const Hexahedron box = make_box({0.5, 0, 0}, {1.5, 1, 1});
    const SubmergedPart h = submerged_part(box, film, kStrict);
    double v = 0, sx = 0, sy = 0, sz = 0;
    for (const TetraVertices& piece : box.decompose()) {
        const SubmergedPart t = submerged_part(piece, film, kStrict);
        EXPECT_LE(t.volume, 1e-15);
        v += t.volume;
        sx += t.centroid.x * t.volume;
        sy += t.centroid.y * t.volume;
        sz += t.centroid.z * t.volume;
    }
    ASSERT_GE(v, 1e-20);
    EXPECT_EQ(h.volume, v);
    expect_point_near(h.centroid, {sx / v, sy / v, sz / v}, kRoundoff);
    EXPECT_FALSE(h.centroid.x == 0.5 && h.centroid.y == 0 && h.centroid.z == 0);
}

// ------------------------------------------------------ conservation

// Oblique planes through the middle of each test solid.
const Plane kObliquePlanes[] = {make_plane(0.3, -0.4, 1.0, -0.45), make_plane(1.0, 0.2, -0.5, -0.4),
                                make_plane(-0.7, 1.0, 0.1, -0.2)};

template <typename Solid>
void expect_wet_and_dry_make_the_whole(const Solid& solid) {
    const SubmergedPart all = submerged_part(solid, make_plane(0, 0, 1, -100), kStrict);
    const double whole = all.volume;
    const Point3 c = all.centroid;
    const double tol = 10 * kRoundoff * whole;
    for (const Plane& p : kObliquePlanes) {
        const SubmergedPart wet = submerged_part(solid, p, kStrict);
        const SubmergedPart dry = submerged_part(solid, flipped(p), kStrict);
        EXPECT_GT(wet.volume, 0.0);
        EXPECT_GT(dry.volume, 0.0);
        EXPECT_NEAR(wet.volume + dry.volume, whole, tol);
        EXPECT_NEAR(wet.volume * wet.centroid.x + dry.volume * dry.centroid.x, whole * c.x, tol);
        EXPECT_NEAR(wet.volume * wet.centroid.y + dry.volume * dry.centroid.y, whole * c.y, tol);
        EXPECT_NEAR(wet.volume * wet.centroid.z + dry.volume * dry.centroid.z, whole * c.z, tol);
    }
}

TEST(SolidSubmerge, WetAndDryPartsMakeUpTheWhole) {
    {
        SCOPED_TRACE("hexahedron");
        const std::vector<Point3> v = {{0, 0, 0},       {1, 0, 0},      {1.2, 0.9, 0},
                                       {0, 1, 0},       {0.1, 0.1, 1},  {0.9, 0.1, 1},
                                       {1.0, 0.8, 1.0}, {0.1, 0.9, 1.0}};
        // Not every face of this one is planar: conservation holds anyway,
        // since both parts come from the same five tetrahedra.
        Hexahedron h;
        h.set_vertices(v.data());
        expect_wet_and_dry_make_the_whole(h);
    }
    {
        SCOPED_TRACE("prism");
        expect_wet_and_dry_make_the_whole(right_prism());
    }
    {
        SCOPED_TRACE("cylinder");
        expect_wet_and_dry_make_the_whole(Cylinder({-0.5, 0.2, 0.1}, {1.0, 0.4, 0.9}, 0.6));
    }
    {
        SCOPED_TRACE("tetrahedron");
        expect_wet_and_dry_make_the_whole(
            TetraVertices{{0, 0, 0}, {2, 0, 0}, {0, 1.5, 0}, {0.3, 0.2, 1.4}});
    }
}

}  // namespace
