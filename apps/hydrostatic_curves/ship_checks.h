// Checks of the ship's principal data before the sweep.
#pragma once

#include <string>
#include <vector>

#include "apps/hydrostatic_curves/ship_model.h"

namespace voxel {

// One message per key value that a computation uses (Lpp, B, D, Gra_Pt,
// W_Den, C1) and that is not a finite number; empty when all are usable.
// `path` names the file in the messages.
std::vector<std::string> ship_data_errors(const ShipModel& ship, const std::string& path);

}  // namespace voxel
