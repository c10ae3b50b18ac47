// The text of righting_arm: the console lines and the file
// "RightingArm_Around_X_Axis.txt" (GBK, 40 lines: a header and 19 result
// lines per series).
#pragma once

#include <string>

#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

constexpr const char* kRightingArmFileName = "RightingArm_Around_X_Axis.txt";

// "右倾回复力臂系列:" for sigma = -1, "左倾回复力臂系列:" for sigma = +1.
std::string series_header(double sigma);
// "An = 35 L= 0.25": the angle in whole degrees, the arm in the general
// 6-digit format.
std::string console_arm_line(int degrees, double GZ);
// "35 0.25".
std::string file_arm_line(int degrees, double GZ);
// The standard-error note for an angle whose trim balancing a bound stopped.
std::string trim_bound_note(int degrees, double sigma, const ArmResult& arm);

// The standard-error message of arms that are not numbers; `angles` lists
// them by series ("右倾 5 10; 左倾").
std::string non_finite_arms_message(const std::string& angles);

// Opens `file_name` for writing (replacing it), sweeps both series about the
// body's X axis for the body's displacement volume and centre of gravity, and
// writes each header and result line to the console, then to the file, as
// soon as it is known. Returns the exit status: 1 when the file cannot be
// opened (after its console message and a wait for one key; nothing is
// computed), 0 otherwise.
// Then the files of write_stability_files in the same folder as
// `file_name`; `model_path` names the model there.
int report_righting_arms(const VoxelGroup& body, const std::string& file_name,
                         const std::string& model_path, int threads = 1);

}  // namespace voxel
