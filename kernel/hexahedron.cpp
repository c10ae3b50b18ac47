#include "kernel/hexahedron.h"

#include <cstddef>

namespace voxel {

void Hexahedron::set_vertices(const Point3* points) {
    for (int i = 0; i < 8; ++i) V[i] = points[i];
}

std::array<TetraVertices, 5> Hexahedron::decompose() const {
    std::array<TetraVertices, 5> tets;
    for (int i = 0; i < 5; ++i) tets[static_cast<std::size_t>(i)] = tetrahedron(i);
    return tets;
}

TetraVertices Hexahedron::tetrahedron(int i) const {
    switch (i) {
        case 0:
            return {V[0], V[1], V[2], V[5]};  // corner at V1
        case 1:
            return {V[7], V[5], V[2], V[6]};  // corner at V6
        case 2:
            return {V[0], V[5], V[7], V[4]};  // corner at V4
        case 3:
            return {V[0], V[7], V[2], V[5]};  // central
        default:
            return {V[0], V[7], V[2], V[3]};  // corner at V3
    }
}

Box3 Hexahedron::bounds() const {
    Box3 b = Box3::at(V[0]);
    for (int i = 1; i < 8; ++i) b.fold(V[i]);
    return b;
}

}  // namespace voxel
