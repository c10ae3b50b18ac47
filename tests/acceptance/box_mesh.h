// The example box barge with its solids replaced by one closed mesh of the
// same box: the key lines of the example file as they stand, then a
// SurfaceMesh block naming "box.obj" (twelve facets) written beside it.
#pragma once

#include <string>

#include "support/scratch_dir.h"

namespace acceptance {

// `example` is a model file of examples/box_barge/ with `key_lines` key
// lines (10 in a ship file, 4 in a Format2 model); the copy is written into
// `dir` as `name`, and its path returned.
std::string box_barge_as_mesh(const testing_support::ScratchDir& dir, const std::string& example,
                              int key_lines, const std::string& name);

}  // namespace acceptance
