#include "model/stability/upright_stability.h"

namespace voxel {

double initial_metacentric_height(const VoxelGroup& body, double V, const Point3& G,
                                  const ArmResult& upright) {
    const TrimState& s = upright.state;
    // The water plane of the state, found again: the search is the same
    // call with the same normal, so it gives the same plane and B.
    const WaterPlane w = body.find_water_plane(V, s.N);
    const WaterplaneProps section = body.waterplane(w.plane, s.a);
    const Point3 n{w.plane.A, w.plane.B, w.plane.C};
    return dot(n, w.B) + section.IT / V - dot(n, G);
}

}  // namespace voxel
