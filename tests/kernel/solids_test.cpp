// The primitive solids: decomposition into tetrahedra and bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "kernel/angles.h"
#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "kernel_fixtures.h"
#include "kernel_test_helpers.h"

namespace {

using kernel_test::expect_point_eq;
using kernel_test::expect_point_near;
using kernel_test::kRimPi;
using kernel_test::kRoundoff;
using kernel_test::make_hexahedron;
using kernel_test::make_prism;
using kernel_test::polygon_prism_volume;
using kernel_test::right_prism;
using kernel_test::unit_cube;
using voxel::Cylinder;
using voxel::Hexahedron;
using voxel::Point3;
using voxel::TetraVertices;
using voxel::TrianglePrism;

using voxel::kPi;

// Distinct, recognisable vertices: point i is (i, 10 + i, 100 + i).
Point3 labelled(int i) {
    return {double(i), 10.0 + i, 100.0 + i};
}

void expect_tetra_eq(const TetraVertices& t, const Point3& a, const Point3& b, const Point3& c,
                     const Point3& d) {
    expect_point_eq(t.V0, a);
    expect_point_eq(t.V1, b);
    expect_point_eq(t.V2, c);
    expect_point_eq(t.V3, d);
}

template <typename Solid>
double decomposed_volume(const Solid& s) {
    double sum = 0.0;
    for (const TetraVertices& t : s.decompose()) sum += t.full_volume();
    return sum;
}

// ---------------------------------------------------------------- prism

TEST(TrianglePrism, DecomposesByTheFixedTable) {
    std::vector<Point3> v;
    for (int i = 0; i < 6; ++i) v.push_back(labelled(i));
    const TrianglePrism p = make_prism(v);
    const std::array<TetraVertices, 3> t = p.decompose();
    expect_tetra_eq(t[0], v[0], v[1], v[2], v[4]);
    expect_tetra_eq(t[1], v[0], v[2], v[3], v[4]);
    expect_tetra_eq(t[2], v[2], v[3], v[5], v[4]);
}

TEST(TrianglePrism, RightPrismGivesThreeSixths) {
    for (const TetraVertices& piece : right_prism().decompose())
        EXPECT_NEAR(piece.full_volume(), 1.0 / 6.0, kRoundoff);
}

TEST(TrianglePrism, PiecesFillAFrustum) {
    // A truncated triangular pyramid with planar faces: bottom area 2, top
    // area 0.5, height 1; volume h / 3 * (A1 + A2 + sqrt(A1 A2)) = 7/6.
    const TrianglePrism p =
        make_prism({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}});
    EXPECT_NEAR(decomposed_volume(p), 7.0 / 6.0, kRoundoff);
}

TEST(TrianglePrism, BoundsOfItsVertices) {
    const TrianglePrism p =
        make_prism({{0, 0, 0}, {2, -1, 0}, {0, 2, 0.5}, {-3, 0, 1}, {1, 0, 4}, {0, 1, 1}});
    const voxel::Box3 b = p.bounds();
    EXPECT_EQ(b.minx, -3.0);
    EXPECT_EQ(b.miny, -1.0);
    EXPECT_EQ(b.minz, 0.0);
    EXPECT_EQ(b.maxx, 2.0);
    EXPECT_EQ(b.maxy, 2.0);
    EXPECT_EQ(b.maxz, 4.0);
}

// ---------------------------------------------------------------- hexahedron

TEST(Hexahedron, DecomposesByTheFixedTable) {
    std::vector<Point3> v;
    for (int i = 0; i < 8; ++i) v.push_back(labelled(i));
    const Hexahedron h = make_hexahedron(v);
    const std::array<TetraVertices, 5> t = h.decompose();
    expect_tetra_eq(t[0], v[0], v[1], v[2], v[5]);
    expect_tetra_eq(t[1], v[7], v[5], v[2], v[6]);
    expect_tetra_eq(t[2], v[0], v[5], v[7], v[4]);
    expect_tetra_eq(t[3], v[0], v[7], v[2], v[5]);
    expect_tetra_eq(t[4], v[0], v[7], v[2], v[3]);
}

TEST(Hexahedron, UnitCubeGivesFourCornersAndTheCentralThird) {
    const std::array<TetraVertices, 5> t = unit_cube().decompose();
    const double expected[5] = {1.0 / 6, 1.0 / 6, 1.0 / 6, 1.0 / 3, 1.0 / 6};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(t[i].full_volume(), expected[i], kRoundoff) << i;
}

TEST(Hexahedron, PiecesFillAFrustum) {
    // Square frustum: 2 x 2 at z = 0 under 1 x 1 at z = 1, volume 7/3.
    const Hexahedron h = make_hexahedron({{0, 0, 0},
                                          {2, 0, 0},
                                          {2, 2, 0},
                                          {0, 2, 0},
                                          {0.5, 0.5, 1},
                                          {1.5, 0.5, 1},
                                          {1.5, 1.5, 1},
                                          {0.5, 1.5, 1}});
    EXPECT_NEAR(decomposed_volume(h), 7.0 / 3.0, kRoundoff);
}

TEST(Hexahedron, BoundsOfItsVertices) {
    std::vector<Point3> v;
    for (int i = 0; i < 8; ++i) v.push_back({std::sin(i * 1.0), std::cos(i * 2.0), -0.5 * i});
    const voxel::Box3 b = make_hexahedron(v).bounds();
    double lo_x = v[0].x, hi_x = v[0].x, lo_y = v[0].y, hi_y = v[0].y;
    for (const Point3& p : v) {
        lo_x = std::min(lo_x, p.x);
        hi_x = std::max(hi_x, p.x);
        lo_y = std::min(lo_y, p.y);
        hi_y = std::max(hi_y, p.y);
    }
    EXPECT_EQ(b.minx, lo_x);
    EXPECT_EQ(b.maxx, hi_x);
    EXPECT_EQ(b.miny, lo_y);
    EXPECT_EQ(b.maxy, hi_y);
    EXPECT_EQ(b.minz, -3.5);
    EXPECT_EQ(b.maxz, 0.0);
}

// ---------------------------------------------------------------- cylinder

TEST(Cylinder, IsMadeWithThirtySectors) {
    const Cylinder c({1, 2, 3}, {4, 5, 6}, 0.5);
    EXPECT_EQ(c.n, 30);
    EXPECT_EQ(c.r, 0.5);
    expect_point_eq(c.P0, {1, 2, 3});
    expect_point_eq(c.P1, {4, 5, 6});
}

TEST(Cylinder, AlongXStartsBelowTheFirstCentre) {
    const Cylinder c({0, 0, 0}, {2, 0, 0}, 1.0);
    expect_point_eq(c.circle_point(0), {0, 0, -1});
    for (int k = 0; k <= 30; ++k) {
        const Point3 p = c.circle_point(k);
        const double theta = (2 * k) * kRimPi / 30;
        EXPECT_EQ(p.x, 0.0);
        EXPECT_NEAR(p.y * p.y + p.z * p.z, 1.0, kRoundoff);
        expect_point_near(p, {0, std::sin(theta), -std::cos(theta)}, kRoundoff);
    }
}

TEST(Cylinder, NearlyAlongXTakesTheXBranch) {
    // |u.y| < 1e-10: the rim starts straight below P0 and not at P0 + r e1.
    const Cylinder c({0, 0, 0}, {2, 1e-11, 0}, 1.0);
    expect_point_eq(c.circle_point(0), {0, 0, -1});
}

TEST(Cylinder, RimClosesOnlyToTheAccuracyOfItsPi) {
    // The last sector ends at 2 * 3.1415926 rad, short of a full turn.
    const Cylinder c({0, 0, 0}, {2, 0, 0}, 1.0);
    const Point3 last = c.circle_point(30);
    EXPECT_NEAR(last.y, -2 * (kPi - kRimPi), 1e-12);
    EXPECT_NE(last.y, 0.0);
}

struct GeneralAxis {
    const char* name;
    Point3 P0, P1;
    double r;
};

class CylinderGeneralBranch : public testing::TestWithParam<GeneralAxis> {};

TEST_P(CylinderGeneralBranch, RimIsPerpendicularToTheAxisAtRadiusR) {
    const GeneralAxis& g = GetParam();
    const Cylinder c(g.P0, g.P1, g.r);
    const Point3 axis = voxel::difference(g.P0, g.P1);
    for (int k = 0; k < 30; ++k) {
        const Point3 spoke = voxel::difference(g.P0, c.circle_point(k));
        EXPECT_NEAR(voxel::dot(spoke, axis), 0.0, 10 * kRoundoff);
        EXPECT_NEAR(voxel::length(spoke), g.r, 10 * kRoundoff);
    }
    // Successive rim points are one sector apart.
    const Point3 s0 = voxel::difference(g.P0, c.circle_point(0));
    const Point3 s1 = voxel::difference(g.P0, c.circle_point(1));
    EXPECT_NEAR(voxel::cosine_between(s0, s1), std::cos(2 * kRimPi / 30), kRoundoff);
}

TEST_P(CylinderGeneralBranch, VolumeIsTheInscribedPolygonPrism) {
    const GeneralAxis& g = GetParam();
    const Cylinder c(g.P0, g.P1, g.r);
    std::vector<TetraVertices> tets;
    c.append_tetrahedra(tets);
    double sum = 0.0;
    for (const TetraVertices& t : tets) sum += t.full_volume();
    const double L = voxel::length(voxel::difference(g.P0, g.P1));
    EXPECT_NEAR(sum, polygon_prism_volume(30, g.r, L), 1e-12 * sum);
}

INSTANTIATE_TEST_SUITE_P(
    Cylinder, CylinderGeneralBranch,
    testing::Values(GeneralAxis{"AlongY", {1, 2, 3}, {1, 5, 3}, 2.0},
                    GeneralAxis{"AlongMinusZ", {1, 2, 3}, {1, 2, -1}, 0.5},
                    GeneralAxis{"Oblique", {-1, 0.5, 2}, {2, -1.5, 4.5}, 1.25}),
    [](const testing::TestParamInfo<GeneralAxis>& i) { return std::string(i.param.name); });

TEST(Cylinder, RimPointIsEvaluatedAsWritten) {
    // P0 + r (cos t e1 + sin t e2), formed term by term in the written order.
    const Point3 P0{0.5, -1.25, 2.0}, P1{1.7, 0.4, -0.9};
    const double r = 0.8;
    const Cylinder cyl(P0, P1, r);
    const Point3 a = voxel::difference(P0, P1);
    const double L = voxel::length(a);
    const double ux = a.x / L, uy = a.y / L, uz = a.z / L;
    const double m = std::sqrt(uz * uz + uy * uy);
    for (int k : {0, 1, 7, 29, 30}) {
        const double theta = (2 * k) * kRimPi / 30;
        const double c = std::cos(theta), s = std::sin(theta);
        const Point3 p = cyl.circle_point(k);
        EXPECT_EQ(p.x, P0.x + r * m * c) << k;
        EXPECT_EQ(p.y, P0.y + (r * uz * s - r * ux * uy * c) / m) << k;
        EXPECT_EQ(p.z, P0.z - (r * ux * uz * c + r * uy * s) / m) << k;
    }
}

TEST(Cylinder, AlongYOrZStartsAtPlusXRadius) {
    // u = (0, 1, 0) or (0, 0, +-1): m = 1 and e1 = (1, 0, 0).
    expect_point_eq(Cylinder({1, 2, 3}, {1, 5, 3}, 2.0).circle_point(0), {3, 2, 3});
    expect_point_eq(Cylinder({1, 2, 3}, {1, 2, 7}, 2.0).circle_point(0), {3, 2, 3});
    expect_point_eq(Cylinder({1, 2, 3}, {1, 2, -1}, 2.0).circle_point(0), {3, 2, 3});
    // A quarter turn further along e2 = (0, u.z, -u.y): along y, -z.
    expect_point_near(Cylinder({1, 2, 3}, {1, 5, 3}, 2.0).circle_point(15),
                      {1 + 2 * std::cos(kRimPi), 2, 3 - 2 * std::sin(kRimPi)}, kRoundoff);
}

TEST(Cylinder, AlongXDecomposesIntoNinetyTetrahedra) {
    const Cylinder c({0, 0, 0}, {2, 0, 0}, 1.0);
    std::vector<TetraVertices> tets;
    c.append_tetrahedra(tets);
    ASSERT_EQ(tets.size(), 90u);
    EXPECT_EQ(c.n, 30);
    double sum = 0.0;
    for (const TetraVertices& t : tets) sum += t.full_volume();
    // Inscribed 30-gon, r = 1, L = 2: 30 sin(2 pi / 30), to the accuracy of
    // the rim's pi (about 1e-7).
    EXPECT_NEAR(sum, 30 * std::sin(2 * kPi / 30), 1e-6);
    EXPECT_NEAR(sum, polygon_prism_volume(30, 1.0, 2.0), 1e-13);

    // Each sector is the prism (P0, C_i, C_i+1, P1, C_i + a, C_i+1 + a).
    const Point3 a{2, 0, 0};
    for (int i : {0, 29}) {
        const Point3 ci = c.circle_point(i), cj = c.circle_point(i + 1);
        const Point3 ca = voxel::add(ci, a), cb = voxel::add(cj, a);
        SCOPED_TRACE(i);
        expect_tetra_eq(tets[3 * i], c.P0, ci, cj, ca);
        expect_tetra_eq(tets[3 * i + 1], c.P0, cj, c.P1, ca);
        expect_tetra_eq(tets[3 * i + 2], cj, c.P1, cb, ca);
    }
}

TEST(Cylinder, BoundsAreThoseOfThePolygonPrism) {
    Cylinder c({0, 0, 0}, {2, 0, 0}, 1.0);
    const voxel::Box3 b = c.bounds();
    double lo_y = 1e20, hi_y = -1e20, lo_z = 1e20, hi_z = -1e20;
    for (int k = 0; k <= 30; ++k) {
        const double theta = (2 * k) * kRimPi / 30;
        lo_y = std::min(lo_y, std::sin(theta));
        hi_y = std::max(hi_y, std::sin(theta));
        lo_z = std::min(lo_z, -std::cos(theta));
        hi_z = std::max(hi_z, -std::cos(theta));
    }
    EXPECT_EQ(b.minx, 0.0);
    EXPECT_EQ(b.maxx, 2.0);
    EXPECT_DOUBLE_EQ(b.miny, lo_y);
    EXPECT_DOUBLE_EQ(b.maxy, hi_y);
    EXPECT_DOUBLE_EQ(b.minz, lo_z);
    EXPECT_DOUBLE_EQ(b.maxz, hi_z);
    EXPECT_LT(b.maxy, 1.0);  // no rim point at 90 degrees
}

TEST(Cylinder, BoundsRaiseTwoSectorsToThree) {
    Cylinder c({0, 0, 0}, {0, 0, 1}, 1.0);
    c.n = 2;
    const voxel::Box3 b = c.bounds();
    EXPECT_EQ(c.sectors(), 3);
    EXPECT_EQ(c.n, 2);  // asking for the box changes nothing
    // A triangle with corners at 0, 120 and 240 degrees from +x, radius 1.
    EXPECT_EQ(b.maxx, 1.0);
    EXPECT_NEAR(b.minx, std::min(std::cos(2 * kRimPi / 3), std::cos(4 * kRimPi / 3)), kRoundoff);
    EXPECT_NEAR(b.maxy, std::sin(2 * kRimPi / 3), kRoundoff);
    EXPECT_NEAR(b.miny, std::sin(4 * kRimPi / 3), kRoundoff);
    EXPECT_EQ(b.minz, 0.0);
    EXPECT_EQ(b.maxz, 1.0);
}

}  // namespace
