#include "model/hydrostatics/level_displacement.h"

#include "kernel/plane.h"
#include "kernel/solid_submerge.h"
#include "model/io/solid_tetrahedra.h"

namespace voxel {

std::vector<TetraVertices> hull_tetrahedra(const std::vector<SolidBlock>& solids) {
    std::vector<TetraVertices> tets;
    for (const SolidBlock& s : solids) append_tetrahedra(s, tets);
    return tets;
}

LevelDisplacement displacement_below(const std::vector<TetraVertices>& tets, double draft) {
    Plane plane;
    plane.set(0.0, 0.0, 1.0, -draft);
    // The hydrostatic program's crossing test (parallel tolerance 1e-15).
    const SubmergedPart part =
        sum_submerged_parts(tets.data(), tets.size(), plane, CrossingTolerance::Strict);
    return {part.volume, part.centroid};
}

}  // namespace voxel
