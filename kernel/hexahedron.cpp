#include "kernel/hexahedron.h"

#include "kernel/solid_submerge.h"

namespace voxel {

bool Hexahedron::set_vertices(const Point3* points, int count) {
    if (count != 8) return false;
    for (int i = 0; i < 8; ++i) V[i] = points[i];
    return true;
}

bool Hexahedron::decompose(Tetrahedron* tets, int count) const {
    if (count != 5) return false;
    for (int i = 0; i < 5; ++i) {
        const TetraVertices t = tetrahedron(i);
        tets[i] = Tetrahedron(t.V0, t.V1, t.V2, t.V3);
    }
    return true;
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

void Hexahedron::submerge(const Plane& p, CrossingTolerance tolerance) {
    plane = p;
    Tetrahedron tets[5];
    decompose(tets, 5);
    const SubmergedPart part = submerge_tetrahedra(tets, 5, plane, tolerance, V[0]);
    volume = part.volume;
    centroid = part.centroid;
}

}  // namespace voxel
