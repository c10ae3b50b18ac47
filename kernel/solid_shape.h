// Whether the tetrahedra of a solid's fixed decomposition fill the solid
// that its vertices mean.
//
// The signed volume of a tetrahedron (a, b, c, d),
//   v = (b - a) . ((c - a) x (d - a)) / 6,
// has one sign when d lies on one side of the plane of a, b, c and the other
// sign on the other side. Each tetrahedron of the fixed decomposition of a
// hexahedron or prism has the sign it has in a reference solid (a unit cube,
// a right prism) given in the vertex order the decomposition expects; in a
// sound solid every tetrahedron keeps that sign, or every one has the
// opposite sign (a solid mirrored as a whole, its vertices given in the order
// of its mirror image, which is as sound). Vertices out of that order fold
// the solid: some of its tetrahedra turn the other way and overlap the rest,
// and the sum of their sizes (what the cut sums) is not the volume of any
// solid. A unit cube written in the "binary" order 000, 100, 010, 110, 001,
// ... is folded so.
#pragma once

#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

// (b - a) . ((c - a) x (d - a)) / 6, in length units cubed.
double signed_volume_of(const Point3& a, const Point3& b, const Point3& c, const Point3& d);

enum class SolidShape {
    Sound,   // every tetrahedron of one sign (or of no size)
    Folded,  // tetrahedra of both signs beyond the tolerance
    Flat,    // no tetrahedron has a size beyond the tolerance: volume 0
};

struct ShapeCheck {
    SolidShape shape = SolidShape::Sound;
    // Sums of the signed volumes (length^3) of the tetrahedra that turn the
    // way of the reference solid, and of those that turn the other way (as
    // a negative sum); a solid mirrored as a whole has only the second.
    double positive = 0.0;
    double negative = 0.0;
    double tolerance = 0.0;  // length^3: a sum at or below it counts as none
};

// The check over the `count` tetrahedra of one solid, `reference[i]` being
// the sign (+1 or -1) of tetrahedron i in the reference solid. The tolerance
// is scaled to the solid's size: 1e-9 L^3 with L the largest extent of the
// box of the vertices, plus 1e-13 M L^2 for the rounding of coordinates of
// magnitude up to M, so that neither a solid's size nor its distance from
// the origin decides.
ShapeCheck check_shape(const TetraVertices* tets, const int* reference, int count);

struct Hexahedron;
struct TrianglePrism;
// The checks of the two solids whose vertex order can fold them, and of a
// tetrahedron (which cannot fold, but can be flat).
ShapeCheck check_shape(const Hexahedron& hex);
ShapeCheck check_shape(const TrianglePrism& prism);
ShapeCheck check_shape(const TetraVertices& tet);

}  // namespace voxel
