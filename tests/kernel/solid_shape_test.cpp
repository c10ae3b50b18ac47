#include "kernel/solid_shape.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kernel/hexahedron.h"
#include "kernel/triangle_prism.h"

namespace {

using voxel::Hexahedron;
using voxel::Point3;
using voxel::SolidShape;
using voxel::TrianglePrism;

Hexahedron hexahedron(const Point3 (&v)[8]) {
    Hexahedron h;
    h.set_vertices(v);
    return h;
}

// The unit cube as the decomposition expects it (two faces in cyclic order,
// lateral edges V0-V4 ...), its mirror image, the same cube written in the
// "binary" order 000, 100, 010, 110, ... and a cube collapsed to a square.
TEST(SolidShape, CubeInEachVertexOrder) {
    const Point3 cyclic[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                              {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    const voxel::ShapeCheck sound = voxel::check_shape(hexahedron(cyclic));
    EXPECT_EQ(sound.shape, SolidShape::Sound);
    EXPECT_NEAR(sound.positive, 1.0, 1e-15);
    EXPECT_EQ(sound.negative, 0.0);

    // The faces' cycles reversed (V0 V3 V2 V1 ...): the mirror image of the
    // same cube in the vertex order, every tetrahedron turned the other way.
    const Point3 mirrored[8] = {cyclic[0], cyclic[3], cyclic[2], cyclic[1],
                                cyclic[4], cyclic[7], cyclic[6], cyclic[5]};
    const voxel::ShapeCheck mirror = voxel::check_shape(hexahedron(mirrored));
    EXPECT_EQ(mirror.shape, SolidShape::Sound);
    EXPECT_EQ(mirror.positive, 0.0);
    EXPECT_NEAR(mirror.negative, -1.0, 1e-15);

    const Point3 binary[8] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0},
                              {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
    const voxel::ShapeCheck folded = voxel::check_shape(hexahedron(binary));
    EXPECT_EQ(folded.shape, SolidShape::Folded);
    // Its tetrahedra overlap: their sizes do not add up to the cube.
    EXPECT_GT(folded.positive, 0.1);
    EXPECT_LT(folded.negative, -0.1);
    EXPECT_GT(std::abs(folded.positive - folded.negative - 1.0), 0.1);

    Point3 square[8];
    for (int i = 0; i < 8; ++i) square[i] = {cyclic[i].x, cyclic[i].y, 0.0};
    EXPECT_EQ(voxel::check_shape(hexahedron(square)).shape, SolidShape::Flat);
}

// The tolerance follows the solid's size and its distance from the origin:
// a hull cell of 1 mm far out along the ship, or a box of 1e6 m, is as sound
// as the unit cube, and a prism with its end triangles given in opposite
// senses is folded whatever its size.
TEST(SolidShape, ToleranceScalesWithTheSolid) {
    for (const double size : {1e-3, 1.0, 1e6}) {
        for (const double x : {0.0, 1e5}) {
            SCOPED_TRACE(testing::Message() << size << " at " << x);
            Point3 v[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                           {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
            for (Point3& p : v) p = {x + size * p.x, size * p.y, size * p.z};
            EXPECT_EQ(voxel::check_shape(hexahedron(v)).shape, SolidShape::Sound);

            TrianglePrism sound, folded;
            const Point3 wedge[6] = {v[0], v[1], v[3], v[4], v[5], v[7]};
            const Point3 twisted[6] = {v[0], v[1], v[3], v[4], v[7], v[5]};
            sound.set_vertices(wedge);
            folded.set_vertices(twisted);
            EXPECT_EQ(voxel::check_shape(sound).shape, SolidShape::Sound);
            EXPECT_EQ(voxel::check_shape(folded).shape, SolidShape::Folded);
        }
    }
}

}  // namespace
