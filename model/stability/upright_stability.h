// The initial stability of the body at the upright state of the sweep.
#pragma once

#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// GM0 = z_B + I_T / V - z_G (model length unit, taken as m) at the state of
// `upright`, the arm at heel 0 with its trim balanced: heights are measured
// along the water-plane normal N of that state, and I_T is the second moment
// of the waterplane area (the section of the body by its water plane) about
// the axis through the area's centroid parallel to the heel axis a of that
// state. For small heel the waterplane turns about that axis, so BM0 =
// I_T / V and the arm begins as GM0 sin(heel).
double initial_metacentric_height(const VoxelGroup& body, double V, const Point3& G,
                                  const ArmResult& upright);

}  // namespace voxel
