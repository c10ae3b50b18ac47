// Points, vectors, segments, boxes and the water plane.
#include <gtest/gtest.h>

#include <cmath>

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/segment.h"
#include "kernel_fixtures.h"
#include "kernel_test_helpers.h"

namespace {

using kernel_test::expect_point_eq;
using kernel_test::expect_point_near;
using kernel_test::kRoundoff;
using kernel_test::make_plane;
using voxel::Box3;
using voxel::Plane;
using voxel::Point3;
using voxel::Segment;

// ---------------------------------------------------------------- Point3

TEST(Point3, SetAndDifference) {
    Point3 p;
    p.set(1.0, -2.0, 3.5);
    expect_point_eq(p, {1.0, -2.0, 3.5});
    // difference(P0, P1) is P1 - P0.
    expect_point_eq(voxel::difference({1, 2, 3}, {4, 6, 8}), {3, 4, 5});
}

TEST(Point3, DotCrossLength) {
    const Point3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    EXPECT_EQ(voxel::dot({1, 2, 3}, {4, -5, 6}), 12.0);
    // Right-handed: x cross y = z, and the cross product is normal to both.
    expect_point_eq(voxel::cross(x, y), z);
    expect_point_eq(voxel::cross(y, z), x);
    expect_point_eq(voxel::cross(z, x), y);
    const Point3 u{1, 2, 3}, v{-4, 0.5, 2};
    const Point3 w = voxel::cross(u, v);
    EXPECT_NEAR(voxel::dot(w, u), 0.0, kRoundoff);
    EXPECT_NEAR(voxel::dot(w, v), 0.0, kRoundoff);
    EXPECT_EQ(voxel::length({3, 4, 12}), 13.0);
}

TEST(Point3, NormalizeAndCosine) {
    Point3 u{3, 0, 4};
    voxel::normalize(u);
    expect_point_near(u, {0.6, 0.0, 0.8}, kRoundoff);
    EXPECT_NEAR(voxel::length(u), 1.0, kRoundoff);
    EXPECT_NEAR(voxel::cosine_between({2, 0, 0}, {5, 5, 0}), std::sqrt(0.5), kRoundoff);
    EXPECT_NEAR(voxel::cosine_between({1, 2, 3}, {-2, -4, -6}), -1.0, kRoundoff);
    EXPECT_NEAR(voxel::cosine_between({1, 0, 0}, {0, 0, 7}), 0.0, kRoundoff);
}

TEST(Segment, KeepsItsEnds) {
    const Segment s({1, 2, 3}, {0, 5, 3});
    expect_point_eq(s.P0, {1, 2, 3});
    expect_point_eq(s.P1, {0, 5, 3});
}

TEST(Box3, StartsInvertedAndFoldsStrictly) {
    Box3 b;
    EXPECT_EQ(b.minx, 1e20);
    EXPECT_EQ(b.maxz, -1e20);
    b.fold(Point3{1, -2, 3});
    b.fold(Point3{-1, 5, 3});
    EXPECT_EQ(b.minx, -1.0);
    EXPECT_EQ(b.miny, -2.0);
    EXPECT_EQ(b.minz, 3.0);
    EXPECT_EQ(b.maxx, 1.0);
    EXPECT_EQ(b.maxy, 5.0);
    EXPECT_EQ(b.maxz, 3.0);

    // A zero of the other sign does not replace an equal bound: the
    // comparisons are strict.
    Box3 zero = Box3::at({0.0, 0.0, 0.0});
    zero.fold(Point3{-0.0, -0.0, -0.0});
    EXPECT_FALSE(std::signbit(zero.minx));
    EXPECT_FALSE(std::signbit(zero.maxx));

    Box3 outer = Box3::at({0, 0, 0});
    outer.fold(Box3{-1, 0.5, -3, 0.5, 2, -1});
    EXPECT_EQ(outer.minx, -1.0);
    EXPECT_EQ(outer.miny, 0.0);
    EXPECT_EQ(outer.minz, -3.0);
    EXPECT_EQ(outer.maxx, 0.5);
    EXPECT_EQ(outer.maxy, 2.0);
    EXPECT_EQ(outer.maxz, 0.0);
}

// ---------------------------------------------------------------- Plane

TEST(Plane, ValueIsLinearInThePoint) {
    const Plane p = make_plane(1, -2, 3, -4);
    EXPECT_EQ(p.plane_value({1, 1, 1}), -2.0);
    EXPECT_EQ(p.plane_value({0, 0, 0}), -4.0);
    EXPECT_EQ(p.plane_value({2, 0, 1}), 1.0);
}

TEST(Plane, ValueIsSummedInTheFixedOrder) {
    // ((B*y + A*x) + C*z) + D. Terms of 1e16 and 1 show which pair is added
    // first: any other grouping gives 1 in the first two cases and 0 in the
    // third.
    const Plane p = make_plane(1, 1, 1, 0);
    EXPECT_EQ(p.plane_value({1.0, 1e16, -1e16}), 0.0);
    EXPECT_EQ(p.plane_value({1e16, 1.0, -1e16}), 0.0);
    EXPECT_EQ(p.plane_value({-1e16, 1e16, 1.0}), 1.0);
}

struct SideCase {
    const char* name;
    double z;  // point (0.3, -0.7, z) against the plane z = 0
    bool above, below, on;
};

class PlaneSide : public testing::TestWithParam<SideCase> {};

TEST_P(PlaneSide, IsDecidedByTheSignOfTheValue) {
    const SideCase& c = GetParam();
    const Plane p = make_plane(0, 0, 1, 0);
    const Point3 q{0.3, -0.7, c.z};
    EXPECT_EQ(p.is_above(q), c.above);
    EXPECT_EQ(p.is_below(q), c.below);
    EXPECT_EQ(p.is_on_plane(q), c.on);
}

INSTANTIATE_TEST_SUITE_P(
    Plane, PlaneSide,
    testing::Values(SideCase{"Dry", 0.5, true, false, false},
                    SideCase{"Submerged", -0.5, false, true, false},
                    // On the plane: not dry, so it counts as submerged.
                    SideCase{"OnPlane", 0.0, false, false, true},
                    SideCase{"JustBelowTolerance", 0.999e-15, true, false, true},
                    // The on-plane test is strict: |f| = 1e-15 is off the plane.
                    SideCase{"AtToleranceAbove", 1e-15, true, false, false},
                    SideCase{"AtToleranceBelow", -1e-15, false, true, false}),
    [](const testing::TestParamInfo<SideCase>& i) { return std::string(i.param.name); });

TEST(Plane, SignedDistanceWithNonUnitNormal) {
    // 2z - 4 = 0 is the plane z = 2; the normal has length 2.
    const Plane p = make_plane(0, 0, 2, -4);
    EXPECT_EQ(p.signed_distance({5, -3, 5}), 3.0);
    EXPECT_EQ(p.signed_distance({0, 0, 1}), -1.0);
    // Oblique normal (3, 4, 0) * 10: the plane 3x + 4y = 5.
    const Plane q = make_plane(30, 40, 0, -50);
    EXPECT_NEAR(q.signed_distance({3, 4, 9}), 4.0, kRoundoff);
    EXPECT_NEAR(q.signed_distance({0, 0, 0}), -1.0, kRoundoff);
}

// ------------------------------------------------- intersect_segment (both)

enum class Variant { Strict, Loose };

int intersect(Variant v, const Plane& p, const Segment& s, Point3& x) {
    return v == Variant::Strict ? p.intersect_segment(s, x) : p.intersect_segment_loose(s, x);
}

class IntersectSegment : public testing::TestWithParam<Variant> {};

TEST_P(IntersectSegment, CrossingInsideTheSegment) {
    const Plane p = make_plane(0, 0, 1, -0.25);
    Point3 x{9, 9, 9};
    EXPECT_EQ(intersect(GetParam(), p, Segment({0, 0, 0}, {2, 4, 1}), x), voxel::kCrossing);
    expect_point_near(x, {0.5, 1.0, 0.25}, kRoundoff);
}

TEST_P(IntersectSegment, CrossingBeyondTheEndsIsStillReported) {
    // The segment's line meets z = 0 at t = -1 and at t = 2 respectively.
    const Plane p = make_plane(0, 0, 1, 0);
    Point3 x;
    EXPECT_EQ(intersect(GetParam(), p, Segment({1, 0, 1}, {2, 0, 2}), x), voxel::kCrossing);
    expect_point_near(x, {0, 0, 0}, kRoundoff);
    EXPECT_EQ(intersect(GetParam(), p, Segment({0, 3, -2}, {1, 3, -1}), x), voxel::kCrossing);
    expect_point_near(x, {2, 3, 0}, kRoundoff);
}

TEST_P(IntersectSegment, ParallelAndOffLeavesThePointUntouched) {
    const Plane p = make_plane(0, 0, 1, 0);
    Point3 x{7, 8, 9};
    EXPECT_EQ(intersect(GetParam(), p, Segment({0, 0, 1}, {5, -2, 1}), x), voxel::kParallelOff);
    expect_point_eq(x, {7, 8, 9});
}

TEST_P(IntersectSegment, InThePlaneGivesTheMidpoint) {
    const Plane p = make_plane(1, 1, 1, -3);
    Point3 x{7, 8, 9};
    EXPECT_EQ(intersect(GetParam(), p, Segment({3, 0, 0}, {0, 2, 1}), x), voxel::kInPlane);
    expect_point_eq(x, {1.5, 1.0, 0.5});
}

INSTANTIATE_TEST_SUITE_P(Plane, IntersectSegment, testing::Values(Variant::Strict, Variant::Loose),
                         [](const testing::TestParamInfo<Variant>& i) {
                             return i.param == Variant::Strict ? "Strict" : "Loose";
                         });

TEST(PlaneIntersectSegment, NearlyParallelSegmentSplitsTheVariants) {
    // h = 4e-12 lies between the two parallel tolerances; the midpoint
    // (0.5, 0, 1e-12) is within 1e-10 of the plane z = 0.
    const Plane p = make_plane(0, 0, 1, 0);
    const Segment s({0, 0, -1e-12}, {1, 0, 3e-12});
    Point3 strict, loose;
    EXPECT_EQ(p.intersect_segment(s, strict), voxel::kCrossing);
    expect_point_near(strict, {0.25, 0, 0}, 1e-15);
    EXPECT_EQ(p.intersect_segment_loose(s, loose), voxel::kInPlane);
    expect_point_eq(loose, voxel::midpoint(s.P0, s.P1));
}

TEST(PlaneIntersectSegment, StrictInPlaneTestLooksAtTheStartPoint) {
    // Parallel (h = 0) and 0.5e-15 above the plane: in it for the strict
    // version (|f(P0)| < 1e-15).
    const Plane p = make_plane(0, 0, 1, 0);
    Point3 x{7, 8, 9};
    EXPECT_EQ(p.intersect_segment(Segment({0, 0, 0.5e-15}, {2, 0, 0.5e-15}), x), voxel::kInPlane);
    expect_point_eq(x, {1, 0, 0.5e-15});
    x = {7, 8, 9};
    EXPECT_EQ(p.intersect_segment(Segment({0, 0, 1e-15}, {2, 0, 1e-15}), x), voxel::kParallelOff);
    expect_point_eq(x, {7, 8, 9});
}

TEST(PlaneIntersectSegment, LooseInPlaneTestIsADistance) {
    // The normal has length 1e-3: f(M) = 5e-14 is a distance of 5e-11 (in
    // the plane), f(M) = 5e-11 is a distance of 5e-8 (off it).
    const Plane p = make_plane(0, 0, 1e-3, 0);
    Point3 x{7, 8, 9};
    EXPECT_EQ(p.intersect_segment_loose(Segment({0, 0, 5e-11}, {1, 1, 5e-11}), x), voxel::kInPlane);
    expect_point_eq(x, {0.5, 0.5, 5e-11});
    x = {7, 8, 9};
    EXPECT_EQ(p.intersect_segment_loose(Segment({0, 0, 5e-8}, {1, 1, 5e-8}), x),
              voxel::kParallelOff);
    expect_point_eq(x, {7, 8, 9});
}

}  // namespace
