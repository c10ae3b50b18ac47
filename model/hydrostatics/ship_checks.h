// Checks of the ship's principal data before the sweep.
#pragma once

#include <string>
#include <vector>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

// One message per key value that a computation uses (Lpp, B, D, Gra_Pt,
// W_Den, C1) and that is not a finite number or is beyond
// kLargestInputMagnitude, and one for a moulded depth D that gives more than
// kMaxWaterlines waterlines; empty when all are usable. `path` names the
// file in the messages.
std::vector<std::string> ship_data_errors(const ShipModel& ship, const std::string& path);

// The message of a sweep that computed no waterline:
// waterline_count(D) is 0 (D about 0.6 m or below), so the table holds its
// header rows only and the run has no result.
std::string no_waterline_message(const ShipModel& ship, const std::string& path);

// Warnings for principal data that do not fit the hull: an Lpp or a B that
// differs by more than 10 % from the length or the breadth of the waterplane
// at the deepest waterline of the table (the table must be computed). Lpp
// sets the midship station and divides MTC and Cp, B bounds the midship
// section: a wrong one gives wrong columns that look normal. Empty when the
// table has no waterline or the waterplane there has no extent.
std::vector<std::string> particulars_warnings(const ShipModel& ship, const std::string& path);

}  // namespace voxel
