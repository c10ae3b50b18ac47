// Guard of the Format2 programs: the displacement volume must lie in
// (0, total volume of the body] within the water-plane search's tolerance,
// else the search could never end.
#pragma once

#include <optional>
#include <string>

#include "model/body/voxel_group.h"

namespace voxel {

// True when V > 0 and (V - Vt) / V < 1e-10, with Vt the body's total volume
// (written to total).
bool displacement_in_range(const VoxelGroup& group, double V, double& total);

// The standard-error message of a displacement out of range, naming both
// volumes. The program then waits for one character and ends with status 1.
std::string displacement_range_message(double V, double total);

// Whether the level water plane of V can be found: the search along the
// vertical (N = (0, 0, 1)) converges, with a part of the body submerged and
// a finite centre of buoyancy. It cannot when the body's coordinates differ
// by so many orders of magnitude (1 beside 1e65, say) that the cut volumes
// lose their digits: the search then stalls at a plane whose volume is far
// from V, or has nothing submerged and a centre of 0/0, and every later
// result would be meaningless or not a number. V must have passed
// displacement_in_range. `reached` gets the volume at the last plane.
bool level_water_plane_found(const VoxelGroup& group, double V, double& reached);

// The same search, with the plane it found; nothing when
// level_water_plane_found would say false.
std::optional<WaterPlane> level_water_plane(const VoxelGroup& group, double V, double& reached);

// The standard-error message of a level water plane that cannot be found.
// The program then waits for one character and ends with status 1.
std::string level_water_plane_message(double V, double reached);

}  // namespace voxel
