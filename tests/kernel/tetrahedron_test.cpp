// The tetrahedron and the part of it on the submerged side of a plane.
#include "kernel/tetrahedron.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "kernel/plane.h"
#include "kernel_fixtures.h"
#include "kernel_test_helpers.h"

namespace {

using kernel_test::expect_point_eq;
using kernel_test::expect_point_near;
using kernel_test::flipped;
using kernel_test::kRoundoff;
using kernel_test::kStrict;
using kernel_test::make_plane;
using voxel::Plane;
using voxel::Point3;
using voxel::TetraVertices;

// The corner tetrahedron of the unit cube at the origin, volume 1/6.
TetraVertices unit_corner() {
    return {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
}

// A tetrahedron with no symmetry, volume of order 1.
const std::array<Point3, 4> kSkew = {Point3{0.1, 0.2, 0.3}, Point3{2.1, 0.4, -0.2},
                                     Point3{0.7, 1.9, 0.5}, Point3{0.3, 0.6, 2.2}};

TEST(Tetrahedron, FullVolumeAndVertexCentroid) {
    const TetraVertices t = unit_corner();
    EXPECT_NEAR(t.full_volume(), 1.0 / 6.0, kRoundoff);
    expect_point_eq(t.vertex_centroid(), {0.25, 0.25, 0.25});
    // The volume is an absolute value: the mirrored order gives the same.
    const TetraVertices m{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
    EXPECT_NEAR(m.full_volume(), 1.0 / 6.0, kRoundoff);
    // A flat tetrahedron has none.
    EXPECT_EQ((TetraVertices{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}.full_volume()), 0.0);
}

TEST(Tetrahedron, BoundsStartAtV1) {
    const TetraVertices t{{-0.0, 5, 1}, {0.0, -1, 2}, {3, 0, -4}, {1, 2, 6}};
    const voxel::Box3 b = t.bounds();
    EXPECT_EQ(b.minx, 0.0);
    EXPECT_FALSE(std::signbit(b.minx));  // V0's -0 does not replace V1's +0
    EXPECT_EQ(b.miny, -1.0);
    EXPECT_EQ(b.minz, -4.0);
    EXPECT_EQ(b.maxx, 3.0);
    EXPECT_EQ(b.maxy, 5.0);
    EXPECT_EQ(b.maxz, 6.0);
}

TEST(Tetrahedron, WhollyDryCutHasNoVolumeAndAZeroCentroid) {
    const voxel::CutResult dry =
        voxel::cut_below_plane(unit_corner(), make_plane(0, 0, 1, 1), kStrict);
    EXPECT_EQ(dry.k, 4);
    EXPECT_EQ(dry.volume, 0.0);
    expect_point_eq(dry.centroid, {0, 0, 0});
}

// ------------------------------------------------------ worked values

struct WorkedCut {
    const char* name;
    Plane plane;
    int k;
    double volume;
    Point3 centroid;  // k = 4: none, the record's 0
};

class TetrahedronWorkedCut : public testing::TestWithParam<WorkedCut> {};

TEST_P(TetrahedronWorkedCut, VolumeAndCentroid) {
    const WorkedCut& w = GetParam();
    const TetraVertices t = unit_corner();
    EXPECT_EQ(voxel::split_below_plane(t, w.plane, kStrict).k, w.k);
    const voxel::CutResult r = voxel::cut_below_plane(t, w.plane, kStrict);
    EXPECT_EQ(r.k, w.k);
    EXPECT_NEAR(r.volume, w.volume, kRoundoff);
    expect_point_near(r.centroid, w.centroid, kRoundoff);
}

INSTANTIATE_TEST_SUITE_P(
    Tetrahedron, TetrahedronWorkedCut,
    testing::Values(
        WorkedCut{
            "OneDry", make_plane(0, 0, 1, -0.5), 1, 7.0 / 48, {15.0 / 56, 15.0 / 56, 11.0 / 56}},
        WorkedCut{
            "TwoDry", make_plane(1, 1, 0, -0.5), 2, 1.0 / 12, {5.0 / 32, 5.0 / 32, 11.0 / 32}},
        // The normal points down: the part with z >= 0.5 is submerged.
        WorkedCut{"ThreeDry", make_plane(0, 0, -1, 0.5), 3, 1.0 / 48, {1.0 / 8, 1.0 / 8, 5.0 / 8}},
        // V3 on the plane counts as submerged.
        WorkedCut{"NoneDryVertexOnPlane", make_plane(0, 0, 1, -1), 0, 1.0 / 6, {0.25, 0.25, 0.25}},
        // V0, V1, V2 on the plane: zero volume and the centroid of the last
        // piece T3 = (V1, V2, V1, V0).
        WorkedCut{"FaceOnPlane", make_plane(0, 0, 1, 0), 1, 0.0, {0.5, 0.25, 0.0}},
        WorkedCut{"AllDry", make_plane(0, 0, 1, 1), 4, 0.0, {}}),
    [](const testing::TestParamInfo<WorkedCut>& i) { return std::string(i.param.name); });

// ------------------------------------------------------ piece order

struct PieceOrder {
    const char* name;
    Plane plane;  // against the unit corner tetrahedron
    int k;
    int count;
    std::array<std::array<Point3, 4>, 3> pieces;
};

class TetrahedronPieces : public testing::TestWithParam<PieceOrder> {};

TEST_P(TetrahedronPieces, FollowTheFixedTable) {
    const PieceOrder& c = GetParam();
    const voxel::SubmergedPieces s = voxel::split_below_plane(unit_corner(), c.plane, kStrict);
    ASSERT_EQ(s.k, c.k);
    ASSERT_EQ(s.count, c.count);
    for (int i = 0; i < c.count; ++i) {
        SCOPED_TRACE(i);
        expect_point_near(s.piece[i].V0, c.pieces[i][0], kRoundoff);
        expect_point_near(s.piece[i].V1, c.pieces[i][1], kRoundoff);
        expect_point_near(s.piece[i].V2, c.pieces[i][2], kRoundoff);
        expect_point_near(s.piece[i].V3, c.pieces[i][3], kRoundoff);
    }
}

// Working list [V1, V2, V3, V0]; dry vertices are swapped to the front in turn.
const Point3 V0{0, 0, 0}, V1{1, 0, 0}, V2{0, 1, 0}, V3{0, 0, 1};

INSTANTIATE_TEST_SUITE_P(
    Tetrahedron, TetrahedronPieces,
    testing::Values(
        // V3 dry: L = [V3, V2, V1, V0]; I1 on V3-V2, I2 on V3-V1, I3 on V3-V0.
        PieceOrder{"OneDry",
                   make_plane(0, 0, 1, -0.5),
                   1,
                   3,
                   {{{Point3{0, 0.5, 0.5}, V2, V1, V0},
                     {Point3{0, 0, 0.5}, Point3{0, 0.5, 0.5}, Point3{0.5, 0, 0.5}, V0},
                     {Point3{0.5, 0, 0.5}, Point3{0, 0.5, 0.5}, V1, V0}}}},
        // V1, V2 dry: L = [V1, V2, V3, V0]; J1 on V2-V3, J2 on V1-V3, J3 on
        // V1-V0, J4 on V2-V0.
        PieceOrder{"TwoDryInFront",
                   make_plane(1, 1, 0, -0.5),
                   2,
                   3,
                   {{{V0, Point3{0, 0.5, 0}, Point3{0.5, 0, 0}, Point3{0, 0.5, 0.5}},
                     {Point3{0.5, 0, 0}, Point3{0, 0.5, 0.5}, V3, V0},
                     {V3, Point3{0.5, 0, 0}, Point3{0.5, 0, 0.5}, Point3{0, 0.5, 0.5}}}}},
        // V2, V0 dry: the swaps leave L = [V2, V0, V3, V1]; J1 on V0-V3, J2 on
        // V2-V3, J3 on V2-V1, J4 on V0-V1.
        PieceOrder{"TwoDrySwapped",
                   make_plane(-1, 0, -1, 0.5),
                   2,
                   3,
                   {{{V1, Point3{0.5, 0, 0}, Point3{0.5, 0.5, 0}, Point3{0, 0, 0.5}},
                     {Point3{0.5, 0.5, 0}, Point3{0, 0, 0.5}, V3, V1},
                     {V3, Point3{0.5, 0.5, 0}, Point3{0, 0.5, 0.5}, Point3{0, 0, 0.5}}}}},
        // V1, V2, V0 dry: L = [V1, V2, V0, V3]; K0 on V3-V1, K1 on V3-V2, K2
        // on V3-V0.
        PieceOrder{"ThreeDry",
                   make_plane(0, 0, -1, 0.5),
                   3,
                   1,
                   {{{V3, Point3{0.5, 0, 0.5}, Point3{0, 0.5, 0.5}, Point3{0, 0, 0.5}}}}}),
    [](const testing::TestParamInfo<PieceOrder>& i) { return std::string(i.param.name); });

TEST(Tetrahedron, NoPieceWhenAllDryAndTheWholeWhenNoneIs) {
    EXPECT_EQ(voxel::split_below_plane(unit_corner(), make_plane(0, 0, 1, 1), kStrict).count, 0);
    const voxel::SubmergedPieces whole =
        voxel::split_below_plane(unit_corner(), make_plane(0, 0, 1, -2), kStrict);
    EXPECT_EQ(whole.k, 0);
    EXPECT_EQ(whole.count, 1);
}

// ------------------------------------------------------ properties

// Oblique planes x - 0.5 y + 0.3 z = t through kSkew. Along that normal the
// vertices lie at about 0.09 (V0), 1.84 (V1), -0.1 (V2) and 0.66 (V3), so the
// heights below give every count of dry vertices.
std::array<Plane, 8> skew_planes() {
    const double heights[8] = {-0.5, -0.05, 0.0, 0.3, 0.5, 1.0, 1.5, 2.0};
    std::array<Plane, 8> planes;
    for (int i = 0; i < 8; ++i) planes[i] = make_plane(1.0, -0.5, 0.3, -heights[i]);
    return planes;
}

TEST(Tetrahedron, SkewPlanesCoverEveryCase) {
    const TetraVertices t{kSkew[0], kSkew[1], kSkew[2], kSkew[3]};
    std::set<int> ks;
    for (const Plane& p : skew_planes()) ks.insert(voxel::split_below_plane(t, p, kStrict).k);
    EXPECT_EQ(ks, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(Tetrahedron, VolumeDoesNotDependOnVertexOrder) {
    const TetraVertices reference{kSkew[0], kSkew[1], kSkew[2], kSkew[3]};
    std::array<int, 4> order = {0, 1, 2, 3};
    int permutations = 0;
    do {
        ++permutations;
        const TetraVertices t{kSkew[order[0]], kSkew[order[1]], kSkew[order[2]], kSkew[order[3]]};
        EXPECT_NEAR(t.full_volume(), reference.full_volume(), kRoundoff);
        for (const Plane& p : skew_planes()) {
            const voxel::CutResult ref = voxel::cut_below_plane(reference, p, kStrict);
            const voxel::CutResult r = voxel::cut_below_plane(t, p, kStrict);
            EXPECT_NEAR(r.volume, ref.volume, kRoundoff);
            // Where there is a volume, the centroid is geometric too.
            if (ref.volume > 1e-6) expect_point_near(r.centroid, ref.centroid, 1e-12);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(permutations, 24);
}

TEST(Tetrahedron, WetAndDryPartsMakeUpTheWhole) {
    const TetraVertices t{kSkew[0], kSkew[1], kSkew[2], kSkew[3]};
    const double whole = t.full_volume();
    const Point3 c = t.vertex_centroid();
    for (const Plane& p : skew_planes()) {
        const voxel::CutResult wet = voxel::cut_below_plane(t, p, kStrict);
        const voxel::CutResult dry = voxel::cut_below_plane(t, flipped(p), kStrict);
        EXPECT_NEAR(wet.volume + dry.volume, whole, kRoundoff);
        // First moments add up as well.
        EXPECT_NEAR(wet.volume * wet.centroid.x + dry.volume * dry.centroid.x, whole * c.x,
                    kRoundoff);
        EXPECT_NEAR(wet.volume * wet.centroid.y + dry.volume * dry.centroid.y, whole * c.y,
                    kRoundoff);
        EXPECT_NEAR(wet.volume * wet.centroid.z + dry.volume * dry.centroid.z, whole * c.z,
                    kRoundoff);
    }
}

TEST(Tetrahedron, CutMovesWithTheBody) {
    // Moving body and plane together by s moves the centroid by s.
    const Point3 s{10.0, -5.0, 3.0};
    const TetraVertices moved{voxel::add(kSkew[0], s), voxel::add(kSkew[1], s),
                              voxel::add(kSkew[2], s), voxel::add(kSkew[3], s)};
    const TetraVertices t{kSkew[0], kSkew[1], kSkew[2], kSkew[3]};
    for (const Plane& p : skew_planes()) {
        const voxel::CutResult here = voxel::cut_below_plane(t, p, kStrict);
        const voxel::CutResult there = voxel::cut_below_plane(
            moved, make_plane(p.A, p.B, p.C, p.D - (p.A * s.x + p.B * s.y + p.C * s.z)), kStrict);
        // Coordinates of order 10 carry ten times the rounding.
        EXPECT_NEAR(there.volume, here.volume, 10 * kRoundoff);
        if (here.volume > 1e-6)
            expect_point_near(there.centroid, voxel::add(here.centroid, s), 1e-12);
    }
}

TEST(Tetrahedron, FlatTetrahedronHasNoVolumeAndAFiniteCentroid) {
    const TetraVertices flat{{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {1, 1, 0}};
    const voxel::CutResult r = voxel::cut_below_plane(flat, make_plane(1, 0, 0, -1), kStrict);
    EXPECT_EQ(r.volume, 0.0);
    EXPECT_TRUE(std::isfinite(r.centroid.x) && std::isfinite(r.centroid.y) &&
                std::isfinite(r.centroid.z));
}

// ------------------------------------------------------ crossing points

TEST(Tetrahedron, EdgeWithoutCrossingPointUsesItsMidpoint) {
    // x + y = 16 with P0 just dry and P1 on the plane by rounding, while the
    // edge direction is parallel to the plane within 1e-15 and P0 lies more
    // than 1e-15 off it: the intersection writes no point.
    const Plane p = make_plane(1, 1, 0, -16);
    const Point3 P0{16.0, 1.8e-15, 0};
    const Point3 P1{std::nextafter(16.0, 17.0), -1.9e-15, 0};
    ASSERT_GT(p.plane_value(P0), 1e-15);
    ASSERT_LE(p.plane_value(P1), 0.0);
    Point3 untouched{-1, -1, -1};
    ASSERT_EQ(p.intersect_segment(voxel::Segment(P0, P1), untouched), voxel::kParallelOff);

    // P0 is the only dry vertex (V1 comes first in the working list), so
    // the first piece starts with the crossing on P0-P1.
    const TetraVertices t{{0, 0, 1}, P0, P1, {0, 0, 0}};
    const voxel::SubmergedPieces s = voxel::split_below_plane(t, p, kStrict);
    ASSERT_EQ(s.k, 1);
    expect_point_eq(s.piece[0].V0, voxel::midpoint(P0, P1));
}

TEST(Tetrahedron, CutUsesTheSelectedIntersectionVariant) {
    // The dry vertex (1, 0, 3e-12) and the wet one (0, 0, -1e-12) span an edge
    // with h = 4e-12, between the two parallel tolerances of the plane z = 0.
    const Plane p = make_plane(0, 0, 1, 0);
    const TetraVertices t{{0, 0, -1}, {1, 0, 3e-12}, {0, 0, -1e-12}, {0, 1, -1}};
    const voxel::SubmergedPieces strict =
        voxel::split_below_plane(t, p, voxel::CrossingTolerance::Strict);
    ASSERT_EQ(strict.k, 1);
    expect_point_near(strict.piece[0].V0, {0.25, 0, 0}, 1e-15);
    const voxel::SubmergedPieces loose =
        voxel::split_below_plane(t, p, voxel::CrossingTolerance::Loose);
    ASSERT_EQ(loose.k, 1);
    expect_point_eq(loose.piece[0].V0, voxel::midpoint(t.V1, t.V2));
}

}  // namespace
