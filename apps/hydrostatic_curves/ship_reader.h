// The ship information file: ten key lines with the principal data, then the
// hull as solid blocks (model/solid_blocks.h), each decomposed into
// tetrahedra as it is read.
#pragma once

#include <string>

#include "apps/hydrostatic_curves/ship_model.h"
#include "model/diagnostics.h"

namespace voxel {

// The console message of a ship file that cannot be opened or read; the
// program then ends with status 1 at once.
constexpr const char* kShipReadErrorMessage = "船舶信息文件读取错误!";

// Fills the key members and the tetrahedra of `ship` (in file order, each
// block's tetrahedra in the order of its decomposition), then its bounding
// box.
//  - Key lines are positional: line n is scanned with "Key=%lf" for the n-th
//    key only, and the rest of the line (a unit, a remark) is skipped. A key
//    that does not match leaves its member at 0, with a warning. A value
//    that a computation uses (all but Loa and VD) and that is not finite or
//    beyond kLargestInputMagnitude is an error.
//  - The blocks as model/solid_blocks.h reads them; an error there means the
//    file cannot be used.
//  - A UTF-16 or UTF-32 file is an error and fills nothing.
ReadResult read_ship_information(ShipModel& ship, const std::string& path);

// The same over a file's bytes in memory, named `name` in the messages.
ReadResult read_ship_information_bytes(ShipModel& ship, const std::string& name,
                                       const std::string& bytes);

}  // namespace voxel
