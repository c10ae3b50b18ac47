#include "apps/hull_from_offsets/level_displacement.h"

#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/triangle_prism.h"
#include "kernel/volume_moments.h"

namespace voxel {

namespace {

// The submerged part of one tetrahedron below p, with the strict crossing
// test (parallel tolerance 1e-15) that the hydrostatic program uses.
CutResult submerged_part(const Tetrahedron& t, const Plane& p) {
    return cut_below_plane(t, p, CrossingTolerance::Strict);
}

}  // namespace

std::vector<Tetrahedron> solid_tetrahedra(const HullSolid& solid) {
    const Point3* v = solid.v.data();
    switch (solid.kind) {
        case SolidKind::Tetrahedron:
            return {Tetrahedron(v[0], v[1], v[2], v[3])};
        case SolidKind::Hexahedron: {
            Hexahedron hex;
            hex.set_vertices(v, 8);
            std::vector<Tetrahedron> tets(5);
            hex.decompose(tets.data(), 5);
            return tets;
        }
        case SolidKind::TrianglePrism: {
            TrianglePrism prism;
            prism.set_vertices(v, 6);
            std::vector<Tetrahedron> tets(3);
            prism.decompose(tets.data(), 3);
            return tets;
        }
        case SolidKind::Cylinder:
            break;
    }
    return {};
}

int tetrahedron_count(const std::vector<HullSolid>& solids) {
    int n = 0;
    for (const HullSolid& s : solids) n += static_cast<int>(solid_tetrahedra(s).size());
    return n;
}

LevelDisplacement displacement_below(const std::vector<HullSolid>& solids, double draft) {
    Plane plane;
    plane.set(0.0, 0.0, 1.0, -draft);
    VolumeMoments sum;
    for (const HullSolid& s : solids) {
        for (const Tetrahedron& t : solid_tetrahedra(s)) {
            const CutResult part = submerged_part(t, plane);
            sum.add(part.volume, part.centroid);
        }
    }
    return {sum.volume, sum.centroid()};
}

}  // namespace voxel
