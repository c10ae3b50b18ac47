#include "kernel/solid_shape.h"

#include <algorithm>
#include <cmath>

#include "kernel/box3.h"
#include "kernel/hexahedron.h"
#include "kernel/triangle_prism.h"

namespace voxel {

double signed_volume_of(const Point3& a, const Point3& b, const Point3& c, const Point3& d) {
    return dot(difference(a, b), cross(difference(a, c), difference(a, d))) / 6.0;
}

ShapeCheck check_shape(const TetraVertices* tets, const int* reference, int count) {
    ShapeCheck check;
    Box3 box;
    for (int i = 0; i < count; ++i) {
        const TetraVertices& t = tets[i];
        for (const Point3* p : {&t.V0, &t.V1, &t.V2, &t.V3}) box.fold(*p);
        const double v = reference[i] * signed_volume_of(t.V0, t.V1, t.V2, t.V3);
        if (v > 0.0)
            check.positive += v;
        else
            check.negative += v;
    }
    if (count == 0) return check;
    const double L = std::max({box.maxx - box.minx, box.maxy - box.miny, box.maxz - box.minz});
    const double M = std::max({std::fabs(box.minx), std::fabs(box.miny), std::fabs(box.minz),
                               std::fabs(box.maxx), std::fabs(box.maxy), std::fabs(box.maxz)});
    check.tolerance = 1e-9 * L * L * L + 1e-13 * M * L * L;
    if (check.positive > check.tolerance && -check.negative > check.tolerance)
        check.shape = SolidShape::Folded;
    else if (check.positive - check.negative <= check.tolerance)
        check.shape = SolidShape::Flat;
    return check;
}

}  // namespace voxel

namespace voxel {

namespace {

int sign_of(const TetraVertices& t) {
    return signed_volume_of(t.V0, t.V1, t.V2, t.V3) > 0.0 ? 1 : -1;
}

// The signs of the tetrahedra of the unit cube V0..V3 = (0,0,0), (1,0,0),
// (1,1,0), (0,1,0), V4..V7 the same at z = 1, and of the right prism over
// (0,0,0), (1,0,0), (0,1,0) of height 1, in decomposition order.
struct ReferenceSigns {
    int hexahedron[5];
    int prism[3];
    ReferenceSigns() {
        const Point3 cube[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
        Hexahedron hex;
        hex.set_vertices(cube);
        for (int i = 0; i < 5; ++i) hexahedron[i] = sign_of(hex.tetrahedron(i));
        const Point3 wedge[6] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
        TrianglePrism p;
        p.set_vertices(wedge);
        for (int i = 0; i < 3; ++i) prism[i] = sign_of(p.tetrahedron(i));
    }
};

const ReferenceSigns& reference_signs() {
    static const ReferenceSigns signs;
    return signs;
}

}  // namespace

ShapeCheck check_shape(const Hexahedron& hex) {
    TetraVertices tets[5];
    for (int i = 0; i < 5; ++i) tets[i] = hex.tetrahedron(i);
    return check_shape(tets, reference_signs().hexahedron, 5);
}

ShapeCheck check_shape(const TrianglePrism& prism) {
    TetraVertices tets[3];
    for (int i = 0; i < 3; ++i) tets[i] = prism.tetrahedron(i);
    return check_shape(tets, reference_signs().prism, 3);
}

ShapeCheck check_shape(const TetraVertices& tet) {
    const int plus = 1;
    return check_shape(&tet, &plus, 1);
}

}  // namespace voxel
