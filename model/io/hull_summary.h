// The summary that the program prints on standard output.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/hydrostatics/hull_particulars.h"
#include "model/io/solid_blocks.h"

namespace voxel {

// Lines (UTF-8): the table's size, the principal dimensions, the volume,
// displacement and CB at the draft, the centres of buoyancy and gravity, the
// number of solids of each kind and of tetrahedra; a note when the first
// station is not at x = 0 (the hydrostatic program takes midship at Lpp / 2).
std::vector<std::string> summary_lines(const HullParticulars& h,
                                       const std::vector<SolidBlock>& solids,
                                       std::size_t tetrahedra);

}  // namespace voxel
