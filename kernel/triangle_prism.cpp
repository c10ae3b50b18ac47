#include "kernel/triangle_prism.h"

#include "kernel/solid_submerge.h"

namespace voxel {

bool TrianglePrism::set_vertices(const Point3* points, int count) {
    if (count != 6) return false;
    for (int i = 0; i < 6; ++i) V[i] = points[i];
    return true;
}

bool TrianglePrism::decompose(Tetrahedron* tets, int count) const {
    if (count != 3) return false;
    tets[0] = Tetrahedron(V[0], V[1], V[2], V[4]);
    tets[1] = Tetrahedron(V[0], V[2], V[3], V[4]);
    tets[2] = Tetrahedron(V[2], V[3], V[5], V[4]);
    return true;
}

Box3 TrianglePrism::bounds() const {
    Box3 b = Box3::at(V[0]);
    for (int i = 1; i < 6; ++i) b.fold(V[i]);
    return b;
}

void TrianglePrism::submerge(const Plane& p, CrossingTolerance tolerance) {
    plane = p;
    Tetrahedron tets[3];
    decompose(tets, 3);
    const SubmergedPart part = submerge_tetrahedra(tets, 3, plane, tolerance, V[0]);
    volume = part.volume;
    centroid = part.centroid;
}

}  // namespace voxel
