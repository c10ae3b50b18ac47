// The volume common to two tetrahedra and to two bodies, against closed
// forms: the corner tetrahedron x, y, z >= 0, x + y + z <= 1 (scaled and
// moved) against itself, its translates, its reflection through its
// centroid, a smaller copy inside it and tetrahedra that only touch it; and
// boxes built as hexahedra and as closed triangle meshes, partly
// overlapping, nested, weighted, and a mesh of two shells whose fan centre
// lies outside.
#include "model/body/body_overlap.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/body/body.h"
#include "support/bodies.h"

namespace {

using righting_arm_test::box_solid;
using voxel::Body;
using voxel::BodyBuilder;
using voxel::CrossingTolerance;
using voxel::overlap_volume;
using voxel::Point3;
using voxel::Summation;
using voxel::tetrahedra_overlap;
using voxel::TetraVertices;

constexpr double kRelative = 1e-12;

// The corner tetrahedron of edge L at o: o, o + L e_x, o + L e_y, o + L e_z,
// of volume L^3 / 6.
constexpr double kL = 2.0;
const Point3 kO{1.5, -0.5, 3.0};

Point3 corner_point(double x, double y, double z) {
    return {kO.x + kL * x, kO.y + kL * y, kO.z + kL * z};
}

TetraVertices corner_tetrahedron(const Point3& shift) {
    return {corner_point(shift.x, shift.y, shift.z), corner_point(1 + shift.x, shift.y, shift.z),
            corner_point(shift.x, 1 + shift.y, shift.z),
            corner_point(shift.x, shift.y, 1 + shift.z)};
}

// The same tetrahedron with its vertices in reverse order, and with the
// first two swapped: the opposite orientation, then the same.
TetraVertices reversed(const TetraVertices& t) {
    return {t.V3, t.V2, t.V1, t.V0};
}
TetraVertices swapped(const TetraVertices& t) {
    return {t.V1, t.V0, t.V2, t.V3};
}

// Both orders of the pair and all four orientations give `expected`.
void expect_overlap(const TetraVertices& a, const TetraVertices& b, double expected) {
    const double tolerance = kRelative * kL * kL * kL;
    for (const TetraVertices& x : {a, reversed(a), swapped(a)})
        for (const TetraVertices& y : {b, reversed(b)}) {
            EXPECT_NEAR(tetrahedra_overlap(x, y), expected, tolerance);
            EXPECT_NEAR(tetrahedra_overlap(y, x), expected, tolerance);
        }
}

TEST(TetrahedraOverlap, CornerTetrahedronAgainstItsCopies) {
    const TetraVertices t = corner_tetrahedron({0, 0, 0});
    const double full = kL * kL * kL / 6.0;
    // Itself, in any vertex order.
    expect_overlap(t, t, full);
    // Moved by L d, d >= 0: what remains is x >= d_x, y >= d_y, z >= d_z,
    // x + y + z <= 1, the corner tetrahedron of edge 1 - d_x - d_y - d_z.
    const double e = 1.0 - (0.1 + 0.2 + 0.15);
    expect_overlap(t, corner_tetrahedron({0.1, 0.2, 0.15}), kL * kL * kL * e * e * e / 6.0);
    const double e1 = 1.0 - 0.6;
    expect_overlap(t, corner_tetrahedron({0.6, 0, 0}), kL * kL * kL * e1 * e1 * e1 / 6.0);
    // Reflected through its centroid g = (1/4, 1/4, 1/4): the tetrahedron
    // x, y, z <= 1/2, x + y + z >= 1/2, every face of which cuts t. The
    // intersection is the cube [0, 1/2]^3 less its corners x + y + z < 1/2
    // and x + y + z > 1, each of volume (1/2)^3 / 6: 1/8 - 2/48 = 1/12.
    const Point3 g = corner_point(0.25, 0.25, 0.25);
    auto reflect = [&](const Point3& p) {
        return Point3{2 * g.x - p.x, 2 * g.y - p.y, 2 * g.z - p.z};
    };
    expect_overlap(t, {reflect(t.V0), reflect(t.V1), reflect(t.V2), reflect(t.V3)},
                   kL * kL * kL / 12.0);
    // Halved about its centroid: wholly inside, 1/8 of it.
    auto halve = [&](const Point3& p) {
        return Point3{0.5 * (p.x + g.x), 0.5 * (p.y + g.y), 0.5 * (p.z + g.z)};
    };
    expect_overlap(t, {halve(t.V0), halve(t.V1), halve(t.V2), halve(t.V3)}, full / 8.0);
}

TEST(TetrahedraOverlap, SeparatedTouchingAndFlatGiveZero) {
    const TetraVertices t = corner_tetrahedron({0, 0, 0});
    // Far away.
    expect_overlap(t, corner_tetrahedron({10, 0, 0}), 0.0);
    EXPECT_EQ(tetrahedra_overlap(t, corner_tetrahedron({10, 0, 0})), 0.0);
    // Mirrored in its face x = 0: the face in common, nothing else.
    const TetraVertices mirrored{t.V0, corner_point(-1, 0, 0), t.V2, t.V3};
    EXPECT_EQ(tetrahedra_overlap(t, mirrored), 0.0);
    EXPECT_EQ(tetrahedra_overlap(mirrored, t), 0.0);
    // The tetrahedron beyond the slanted face x + y + z = 1 (the next one of
    // a mesh): the face's corners are the same points.
    const TetraVertices beyond{t.V1, t.V2, t.V3, corner_point(1, 1, 1)};
    EXPECT_EQ(tetrahedra_overlap(t, beyond), 0.0);
    EXPECT_EQ(tetrahedra_overlap(reversed(beyond), swapped(t)), 0.0);
    // Touching at an edge and at a vertex only.
    EXPECT_EQ(tetrahedra_overlap(t, {t.V0, t.V1, corner_point(0, -1, 0), corner_point(0, -1, -1)}),
              0.0);
    EXPECT_EQ(tetrahedra_overlap(t, corner_tetrahedron({1, 0, 0})), 0.0);
    // Flat: four points of the plane z = 0.3 across t, and a tetrahedron
    // with two vertices in one point.
    const TetraVertices flat{corner_point(-1, -1, 0.3), corner_point(2, -1, 0.3),
                             corner_point(-1, 2, 0.3), corner_point(0.2, 0.2, 0.3)};
    EXPECT_EQ(tetrahedra_overlap(t, flat), 0.0);
    EXPECT_EQ(tetrahedra_overlap(flat, t), 0.0);
    EXPECT_EQ(tetrahedra_overlap(t, {t.V0, t.V1, t.V2, t.V2}), 0.0);
}

// The surface of the box [lo, hi]: the corners in the order of
// box_solid's hexahedron, two facets a face, counter-clockwise seen from
// outside; appended to the mesh given (a second box makes a second shell).
struct Mesh {
    std::vector<Point3> vertices;
    std::vector<std::array<int, 3>> facets;
};

void add_box_surface(Mesh& m, const Point3& lo, const Point3& hi) {
    const int b = static_cast<int>(m.vertices.size());
    const voxel::Hexahedron h = box_solid(lo.x, hi.x, lo.y, hi.y, lo.z, hi.z);
    for (const Point3& v : h.V) m.vertices.push_back(v);
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                             {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    for (const auto& f : faces) {
        m.facets.push_back({b + f[0], b + f[1], b + f[2]});
        m.facets.push_back({b + f[0], b + f[2], b + f[3]});
    }
}

struct Box {
    Point3 lo, hi;
    double volume() const { return (hi.x - lo.x) * (hi.y - lo.y) * (hi.z - lo.z); }
};

// The volume common to two axis-aligned boxes: the product of the overlaps
// of their intervals.
double common(const Box& a, const Box& b) {
    auto overlap = [](double a0, double a1, double b0, double b1) {
        const double lo = a0 > b0 ? a0 : b0, hi = a1 < b1 ? a1 : b1;
        return hi > lo ? hi - lo : 0.0;
    };
    return overlap(a.lo.x, a.hi.x, b.lo.x, b.hi.x) * overlap(a.lo.y, a.hi.y, b.lo.y, b.hi.y) *
           overlap(a.lo.z, a.hi.z, b.lo.z, b.hi.z);
}

Body hexahedra(const std::vector<Box>& boxes, double weight = 1.0,
               Summation summation = Summation::PerSolid) {
    BodyBuilder b(CrossingTolerance::Strict, summation);
    for (const Box& x : boxes)
        b.add(box_solid(x.lo.x, x.hi.x, x.lo.y, x.hi.y, x.lo.z, x.hi.z), weight);
    return b.build();
}

// One closed surface of every box given (their shells in one mesh).
Body surface(const std::vector<Box>& boxes, double weight = 1.0) {
    Mesh m;
    for (const Box& x : boxes) add_box_surface(m, x.lo, x.hi);
    BodyBuilder b(CrossingTolerance::Strict, Summation::PerSolid);
    b.add_surface(m.vertices, m.facets, weight);
    return b.build();
}

const Box kHull{{0, -1, 0}, {4, 1.5, 2}};
const Box kRoom{{2.5, 0.5, 1.2}, {6, 3, 2.6}};  // overlap 1.5 x 1 x 0.8

TEST(BodyOverlap, PartlyOverlappingBoxesAsHexahedraAndAsMeshes) {
    const double expected = common(kHull, kRoom);
    EXPECT_NEAR(expected, 1.5 * 1.0 * 0.8, 1e-15);
    const Body hull[] = {hexahedra({kHull}), surface({kHull}),
                         hexahedra({kHull}, 1.0, Summation::Flat)};
    const Body room[] = {hexahedra({kRoom}), surface({kRoom})};
    EXPECT_NEAR(hull[1].total_volume(), kHull.volume(), kRelative * kHull.volume());
    for (const Body& a : hull)
        for (const Body& b : room) {
            EXPECT_NEAR(overlap_volume(a, b), expected, kRelative * kHull.volume());
            EXPECT_NEAR(overlap_volume(b, a), expected, kRelative * kHull.volume());
        }
    // A body with itself: its own volume.
    EXPECT_NEAR(overlap_volume(hull[1], hull[1]), kHull.volume(), kRelative * kHull.volume());
    EXPECT_NEAR(overlap_volume(hull[0], hull[1]), kHull.volume(), kRelative * kHull.volume());
    // Apart, or only touching at the face x = 4.
    const Box apart{{10, 0, 0}, {11, 1, 1}}, touching{{4, -1, 0}, {5, 1.5, 2}};
    EXPECT_EQ(overlap_volume(hull[0], hexahedra({apart})), 0.0);
    EXPECT_EQ(overlap_volume(hull[0], hexahedra({touching})), 0.0);
    EXPECT_NEAR(overlap_volume(hull[1], surface({touching})), 0.0, kRelative * kHull.volume());
}

TEST(BodyOverlap, WeightsNestingAndFanCentreOutsideTheMesh) {
    const double expected = common(kHull, kRoom);
    // A group of weight -0.5 counts -0.5 times.
    EXPECT_NEAR(overlap_volume(hexahedra({kHull}), hexahedra({kRoom}, -0.5)), -0.5 * expected,
                kRelative * kHull.volume());
    EXPECT_NEAR(overlap_volume(surface({kRoom}, -0.5), hexahedra({kHull})), -0.5 * expected,
                kRelative * kHull.volume());
    // Two groups, of weights 1 and -0.5: each its own share.
    {
        BodyBuilder b(CrossingTolerance::Strict, Summation::PerSolid);
        b.add(box_solid(kRoom.lo.x, kRoom.hi.x, kRoom.lo.y, kRoom.hi.y, kRoom.lo.z, kRoom.hi.z));
        const Box inner{{0.5, -0.5, 0.25}, {1.5, 0.0, 1.75}};
        b.add(box_solid(inner.lo.x, inner.hi.x, inner.lo.y, inner.hi.y, inner.lo.z, inner.hi.z),
              -0.5);
        const Body two = b.build();
        EXPECT_NEAR(overlap_volume(two, surface({kHull})), expected - 0.5 * inner.volume(),
                    kRelative * kHull.volume());
    }
    // A box wholly inside: its own volume.
    const Box small{{1, 0, 0.5}, {2, 0.5, 1.5}};
    EXPECT_NEAR(overlap_volume(hexahedra({kHull}), hexahedra({small})), small.volume(),
                kRelative * kHull.volume());
    EXPECT_NEAR(overlap_volume(surface({small}), surface({kHull})), small.volume(),
                kRelative * kHull.volume());
    // Two shells side by side, y in [-3, -1] and [1, 3], as one mesh: the
    // centre of its box (y = 0) lies between them, outside the solid, and
    // the fan's tetrahedra count with both signs. Against a box across both.
    const Box port{{0, -3, 0}, {10, -1, 2}}, starboard{{0, 1, 0}, {10, 3, 2}};
    const Box across{{2, -2, 0.5}, {7, 2.5, 3}};
    const double both = common(port, across) + common(starboard, across);
    EXPECT_NEAR(both, 5 * 1 * 1.5 + 5 * 1.5 * 1.5, 1e-14);
    const Body catamaran = surface({port, starboard});
    EXPECT_NEAR(overlap_volume(catamaran, hexahedra({across})), both, kRelative * 80);
    EXPECT_NEAR(overlap_volume(surface({across}), catamaran), both, kRelative * 80);
    EXPECT_NEAR(overlap_volume(hexahedra({port, starboard}), surface({across})), both,
                kRelative * 80);
}

}  // namespace
