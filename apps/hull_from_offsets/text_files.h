// Writing the model files.
#pragma once

#include <string>
#include <vector>

#include "apps/hull_from_offsets/hull_files.h"

namespace voxel {

// Writes every file into `dir` (created when missing) as a whole or not at
// all: each text goes to a temporary file in `dir` first (flushed to the
// disk), and only when all are written, and no name is taken by a folder,
// are they renamed to their names. Returns "" on success, else a UTF-8
// message; the temporary files are then removed. A rename that fails after
// those checks (the folder changed meanwhile) leaves the files renamed
// before it in place.
std::string write_files_atomically(const std::string& dir, const std::vector<OutputFile>& files);

}  // namespace voxel
