// Guard of the Format2 programs: the displacement volume must lie in
// (0, total volume of the body] within the water-plane search's tolerance,
// else the search could never end.
#pragma once

#include <string>

#include "model/voxel_group.h"

namespace voxel {

// True when V > 0 and (V - Vt) / V < 1e-10, with Vt the body's total volume
// (written to total). The group's box must be current.
bool displacement_in_range(VoxelGroup& group, double V, double& total);

// The standard-error message of a displacement out of range, naming both
// volumes. The program then waits for one character and ends with status 1.
std::string displacement_range_message(double V, double total);

}  // namespace voxel
