#include "kernel/triangle_prism.h"

#include <cstddef>

namespace voxel {

void TrianglePrism::set_vertices(const Point3* points) {
    for (int i = 0; i < 6; ++i) V[i] = points[i];
}

std::array<TetraVertices, 3> TrianglePrism::decompose() const {
    std::array<TetraVertices, 3> tets;
    for (int i = 0; i < 3; ++i) tets[static_cast<std::size_t>(i)] = tetrahedron(i);
    return tets;
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
