// The files that righting_arm writes beside its table of arms: the two
// series for spreadsheets (CSV), the intact-stability criteria and the GZ
// chart (SVG).
#pragma once

#include <string>
#include <vector>

#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// The results of the sweep as its sink received them.
struct SweepResults {
    std::vector<ArmResult> starboard;  // sigma = -1, heel 0, 5, ..., 90 degrees
    std::vector<ArmResult> port;       // sigma = +1
};

// Writes "RightingArm_Around_X_Axis.csv", "Stability_Criteria.txt" and
// "RightingArm_Around_X_Axis.svg" into `folder` ("" for the working folder),
// each to a temporary name first and then renamed, so that no half-written
// file is left. GM0 of each series comes from its heel-0 state. A file that
// cannot be written gives one message on standard error; the others are
// still written. `model_path` names the model in the criteria and the chart.
void write_stability_files(const std::string& folder, const std::string& model_path,
                           const VoxelGroup& body, const SweepResults& results);

}  // namespace voxel
