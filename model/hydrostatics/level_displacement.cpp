#include "model/hydrostatics/level_displacement.h"

#include "kernel/plane.h"
#include "kernel/solid_submerge.h"
#include "model/io/solid_tetrahedra.h"

namespace voxel {

Body hull_body(const std::vector<SolidBlock>& solids) {
    BodyBuilder body(CrossingTolerance::Strict, Summation::Flat);
    for (const SolidBlock& s : solids) add_solid_block(body, s);
    return body.build();
}

LevelDisplacement displacement_below(const Body& hull, double draft) {
    Plane plane;
    plane.set(0.0, 0.0, 1.0, -draft);
    const SubmergedPart part = hull.part_below(plane);
    return {part.volume, part.centroid};
}

}  // namespace voxel
