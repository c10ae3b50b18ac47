// Writing the model files.
#pragma once

#include <string>
#include <vector>

#include "apps/hull_from_offsets/hull_files.h"

namespace voxel {

// Writes every file into `dir` (created when missing) as a whole or not at
// all: each text goes to a temporary name in `dir` first, and only when all
// are written are they renamed to their names. Returns "" on success, else a
// UTF-8 message; the temporary files are then removed.
std::string write_files_atomically(const std::string& dir, const std::vector<OutputFile>& files);

}  // namespace voxel
