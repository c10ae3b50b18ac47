// Writing a set of files as a whole or not at all.
#pragma once

#include <string>
#include <vector>

namespace voxel {

struct OutputFile {
    std::string name;  // a file name within the folder ("ship.txt")
    std::string text;
};

// Writes every file into `dir` (created when missing) as a whole or not at
// all: each text goes to a temporary file in `dir` first (flushed to the
// disk), and only when all are written, and no name is taken by a folder,
// are they renamed to their names. Returns "" on success, else a UTF-8
// message; the temporary files are then removed. A rename that fails after
// those checks (the folder changed meanwhile) leaves the files renamed
// before it in place.
std::string write_files_atomically(const std::string& dir, const std::vector<OutputFile>& files);

}  // namespace voxel
