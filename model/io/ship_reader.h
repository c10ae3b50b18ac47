// The ship information file: ten key lines with the principal data, then the
// hull as solid blocks (model/io/solid_blocks.h), each decomposed into
// tetrahedra as it is read.
#pragma once

#include <string>

#include "model/hydrostatics/ship_model.h"
#include "model/io/diagnostics.h"

namespace voxel {

// The console message of a ship file that cannot be opened or read; the
// program then ends with status 1 at once.
constexpr const char* kShipReadErrorMessage = "船舶信息文件读取错误!";

// Fills the key members and the hull of `ship` (in file order, each
// block's tetrahedra in the order of its decomposition).
//  - The ten key lines in their order, each scanned with "Key=%lf" at the
//    start of its line; the rest of the line (a unit, a remark) is skipped.
//    A key that is missing, out of order or has no number is an error that
//    names the key expected there (and the key found in its place), or a
//    warning for Loa and VD, which no computation uses (they stay 0). A
//    used value that is not finite or beyond kLargestInputMagnitude is an
//    error, and so is an Lpp, B, D, W_Den or C1 that is not positive.
//  - The blocks as model/io/solid_blocks.h reads them; an error there means the
//    file cannot be used.
//  - A UTF-16 or UTF-32 file, or one that is no text, is an error and fills
//    nothing.
ReadResult read_ship_information(ShipModel& ship, const std::string& path);

// The same over a file's bytes in memory, named `name` in the messages.
ReadResult read_ship_information_bytes(ShipModel& ship, const std::string& name,
                                       const std::string& bytes);

}  // namespace voxel
