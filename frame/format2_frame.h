// The part of the console frame that the two Format2 programs share: the
// model read into the body, with what the reader found said on the console.
#pragma once

#include <optional>
#include <string>

#include "model/body/voxel_group.h"

namespace voxel {

// Reads the Format2 model at `path` into `group` and checks its displacement
// volume. A file that cannot be opened: kFormat2ReadErrorMessage on the
// console. The reader's warnings and errors, a displacement out of range and
// a level water plane that cannot be found (level_water_plane_found) go to
// standard error. When the program cannot go on, it waits for
// one character and the exit status (1) is returned; otherwise nothing.
std::optional<int> load_format2_body(VoxelGroup& group, const std::string& path);

}  // namespace voxel
