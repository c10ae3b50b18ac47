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
    tets[0] = Tetrahedron(V[0], V[1], V[2], V[5]);  // corner at V1
    tets[1] = Tetrahedron(V[7], V[5], V[2], V[6]);  // corner at V6
    tets[2] = Tetrahedron(V[0], V[5], V[7], V[4]);  // corner at V4
    tets[3] = Tetrahedron(V[0], V[7], V[2], V[5]);  // central
    tets[4] = Tetrahedron(V[0], V[7], V[2], V[3]);  // corner at V3
    return true;
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
