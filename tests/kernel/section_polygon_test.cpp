#include "kernel/section_polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "kernel/polygon2.h"

namespace {

using voxel::Plane;
using voxel::Point3;
using voxel::SectionPolygon;
using voxel::TetraVertices;

constexpr double kTol = 1e-12;  // the tetrahedra are of size 1 to 10

// Area of the section projected on (x, y), as the waterplane sums it.
double xy_area(const SectionPolygon& s) {
    voxel::Point2 pts[4];
    for (int k = 0; k < s.count; ++k) pts[k] = {s.point[k].x, s.point[k].y};
    voxel::Polygon2 p;
    p.set(s.count, pts);
    return p.area;
}

TetraVertices tet(const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
    return {a, b, c, d};
}

TEST(SectionPolygon, OneVertexAboveGivesATriangleOfThreeCrossings) {
    // Corner tetrahedron cut at z = 0.5: the triangle of the legs' midpoints.
    const TetraVertices t = tet({0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 1});
    SectionPolygon s;
    ASSERT_TRUE(voxel::section_polygon(t, Plane{0, 0, 1, -0.5}, s));
    EXPECT_EQ(s.count, 3);
    EXPECT_NEAR(xy_area(s), 0.5, kTol);
}

TEST(SectionPolygon, TwoAndTwoGiveAQuadrilateral) {
    const TetraVertices t = tet({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    SectionPolygon s;
    ASSERT_TRUE(voxel::section_polygon(t, Plane{1, 1, 0, -0.5}, s));
    EXPECT_EQ(s.count, 4);
}

TEST(SectionPolygon, QuadrilateralAreaIsTheSameForEveryVertexOrder) {
    // Two vertices below z = 0 and two above: the four crossings are the
    // midpoints (+-0.5, +-0.5, 0) of the edges that join them.
    const Point3 v[4] = {{-1, 0, -1}, {1, 0, -1}, {0, -1, 1}, {0, 1, 1}};
    std::array<int, 4> order = {0, 1, 2, 3};
    const Plane p{0, 0, 1, 0};
    // The section is the square with corners (+-0.5, +-0.5): area 1.
    do {
        const TetraVertices t = tet(v[order[0]], v[order[1]], v[order[2]], v[order[3]]);
        SectionPolygon s;
        ASSERT_TRUE(voxel::section_polygon(t, p, s));
        ASSERT_EQ(s.count, 4);
        EXPECT_NEAR(xy_area(s), 1.0, kTol);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SectionPolygon, CrossingsInAnyOrderAreRestoredToBoundaryOrder) {
    const Point3 corners[4] = {{0, 0, 2}, {3, 0, 2}, {3, 1, 2}, {0, 1, 2}};
    std::array<int, 4> order = {0, 1, 2, 3};
    do {
        Point3 c[4] = {corners[order[0]], corners[order[1]], corners[order[2]], corners[order[3]]};
        voxel::order_quadrilateral(c, {0, 0, 1});
        SectionPolygon s;
        s.count = 4;
        std::copy(c, c + 4, s.point);
        EXPECT_NEAR(xy_area(s), 3.0, kTol);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SectionPolygon, PlaneThroughAnEdgeOnlyGivesNoPolygon) {
    // V0 and V1 on z = 0, V2 and V3 above it.
    const TetraVertices t = tet({0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {1, 1, 2});
    SectionPolygon s;
    s.count = 99;
    EXPECT_FALSE(voxel::section_polygon(t, Plane{0, 0, 1, 0}, s));
    EXPECT_EQ(s.count, 99);  // untouched
}

TEST(SectionPolygon, PlaneThroughOneVertexAndTheOppositeFace) {
    // V0 on z = 0.5, V1 and V2 below, V3 above: the triangle of two crossings
    // (midpoints of V1V3 and V2V3) and V0.
    const Point3 v0{0, -0.5, 0.5};
    const TetraVertices t = tet(v0, {-1, -1, 0}, {1, -1, 0}, {0, 1, 1});
    SectionPolygon s;
    ASSERT_TRUE(voxel::section_polygon(t, Plane{0, 0, 1, -0.5}, s));
    ASSERT_EQ(s.count, 3);
    EXPECT_EQ(s.point[2].x, v0.x);
    EXPECT_EQ(s.point[2].y, v0.y);
    EXPECT_NEAR(s.point[0].x, -0.5, kTol);
    EXPECT_NEAR(s.point[1].x, 0.5, kTol);
    EXPECT_NEAR(xy_area(s), 0.25, kTol);
}

TEST(SectionPolygon, AnEdgeEndOnThePlaneGivesNoSecondCrossing) {
    // z = 0.5 + 0.1 passes through V2 and V3. The computed crossing of the
    // edge V1V2 differs from V2 by one rounding; it must not count as a
    // crossing beside the vertex itself, else the section would be lost.
    const Plane p{0, 0, 1, -(0.5 + 0.1)};
    const Point3 v0{13.7, -2, 0}, v1{7.1, 1.3, 1}, v2{1, -2, 0.6}, v3{10, 2, 0.6};
    SectionPolygon s;
    ASSERT_TRUE(voxel::section_polygon(tet(v0, v1, v2, v3), p, s));
    ASSERT_EQ(s.count, 3);
    // [crossing of V1V0, V2, V3]; the crossing is V1 + 0.4 (V0 - V1).
    EXPECT_NEAR(s.point[0].x, 9.74, kTol);
    EXPECT_NEAR(s.point[0].y, -0.02, kTol);
    EXPECT_EQ(s.point[1].x, v2.x);
    EXPECT_EQ(s.point[2].x, v3.x);
    // Half |(V2 - X) x (V3 - X)| with X = (9.74, -0.02).
    EXPECT_NEAR(xy_area(s), 8.57, kTol);
}

TEST(SectionPolygon, FaceInThePlaneIsTheTriangleOfItsVertices) {
    const TetraVertices t = tet({0, 0, 1}, {2, 0, 1}, {0, 2, 1}, {0, 0, 3});
    SectionPolygon s;
    ASSERT_TRUE(voxel::section_polygon(t, Plane{0, 0, 1, -1}, s));
    EXPECT_EQ(s.count, 3);
    EXPECT_NEAR(xy_area(s), 2.0, kTol);
}

TEST(SectionPolygon, PlaneMissingTheTetrahedronGivesNoPolygon) {
    const TetraVertices t = tet({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    SectionPolygon s;
    EXPECT_FALSE(voxel::section_polygon(t, Plane{0, 0, 1, -2}, s));
    EXPECT_FALSE(voxel::section_polygon(t, Plane{0, 0, 1, 2}, s));
}

TEST(FaceOnPlaneFromBelow, TrueOnlyWhenTheFourthVertexIsBelow) {
    const Plane p{0, 0, 1, -1};
    const Point3 a{0, 0, 1}, b{2, 0, 1}, c{0, 2, 1};
    EXPECT_TRUE(voxel::face_on_plane_from_below(tet(a, b, c, {0, 0, 0}), p));
    EXPECT_FALSE(voxel::face_on_plane_from_below(tet(a, b, c, {0, 0, 2}), p));
    // The fourth vertex may stand in any slot.
    EXPECT_TRUE(voxel::face_on_plane_from_below(tet({1, 1, -3}, a, b, c), p));
    // Two vertices on the plane: not a face.
    EXPECT_FALSE(voxel::face_on_plane_from_below(tet(a, b, {0, 2, 0}, {0, 0, 0}), p));
}

}  // namespace
