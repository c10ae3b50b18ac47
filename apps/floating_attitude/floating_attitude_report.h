// The run of the floating-attitude program after its model has been read:
// the displacement and centre of gravity, the timed equilibrium iteration,
// the water plane and centre of buoyancy found, the drafts at the pillars.
#pragma once

#include "model/voxel_group.h"

namespace voxel {

// The pillar file, read from the working folder.
constexpr const char* kPillarFileName = "FourPillars.txt";

// Writes the report on the console, asking on the console when the iteration
// stalls. Ends the process with status 1 when the pillar file cannot be
// read, after the plane and the centre of buoyancy have been written.
void run_floating_attitude(VoxelGroup& group);

}  // namespace voxel
