// The run of the floating-attitude program after its model has been read:
// the displacement and centre of gravity, the timed equilibrium iteration,
// the water plane and centre of buoyancy found, the drafts at the pillars.
#pragma once

#include "model/voxel_group.h"

namespace voxel {

// The pillar file, read from the working folder.
constexpr const char* kPillarFileName = "FourPillars.txt";

// Writes the report on the console, asking on the console when the iteration
// stalls. Returns the exit status: 1 when the pillar file cannot be read or
// used (after the plane and the centre of buoyancy have been written, its
// message and a wait for one character), 0 otherwise.
int run_floating_attitude(VoxelGroup& group);

}  // namespace voxel
