// "RightingArm_Around_X_Axis.csv": both righting-arm series as one table for
// spreadsheets (UTF-8, LF line ends).
#pragma once

#include <string>

#include "model/stability/arm_series.h"

namespace voxel {

constexpr const char* kArmCsvFileName = "RightingArm_Around_X_Axis.csv";

// The header "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,balanced_port",
// then one row "deg,gz_starboard,gz_port,balanced_starboard,balanced_port" per
// heel angle 0, 5, ..., 90 degrees. Element i of each series is the arm (m)
// at 5 i degrees: the 19 values of the sweep, starboard (sigma = -1) first.
// Numbers by format_shortest, so they read back to the same doubles; a value
// missing from a shorter series is written "nan". A balanced column is 1
// where the trim of that arm was balanced or needed no balancing (and where
// the series says nothing), 0 where the balancing stopped at its bound.
std::string righting_arm_csv(const ArmSeries& starboard, const ArmSeries& port);

}  // namespace voxel
