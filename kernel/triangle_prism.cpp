#include "kernel/triangle_prism.h"

namespace voxel {

bool TrianglePrism::set_vertices(const Point3* points, int count) {
    if (count != 6) return false;
    for (int i = 0; i < 6; ++i) V[i] = points[i];
    return true;
}

bool TrianglePrism::decompose(TetraVertices* tets, int count) const {
    if (count != 3) return false;
    for (int i = 0; i < 3; ++i) tets[i] = tetrahedron(i);
    return true;
}

TetraVertices TrianglePrism::tetrahedron(int i) const {
    switch (i) {
        case 0:
            return {V[0], V[1], V[2], V[4]};
        case 1:
            return {V[0], V[2], V[3], V[4]};
        default:
            return {V[2], V[3], V[5], V[4]};
    }
}

Box3 TrianglePrism::bounds() const {
    Box3 b = Box3::at(V[0]);
    for (int i = 1; i < 6; ++i) b.fold(V[i]);
    return b;
}

}  // namespace voxel
