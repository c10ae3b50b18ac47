// "RightingArm_Around_X_Axis.svg": the righting-arm (GZ) curves of both
// series against the heel angle, as a chart (A4 landscape, labels in
// Chinese).
#pragma once

#include <string>

#include "model/stability/arm_series.h"
#include "report/charts/line_chart.h"

namespace voxel {

constexpr const char* kArmChartFileName = "RightingArm_Around_X_Axis.svg";

// The chart: GZ (m) of the starboard series (sigma = -1, 右倾) and the port
// series (sigma = +1, 左倾) at 0, 5, ..., 90 degrees; the largest arm of each
// series marked with its value; the GM0 tangent of each series (the line
// from the origin through one radian, GM0), drawn once when both GM0 agree,
// cut to the plot, with the value of GM0 at its point at one radian or, when
// that point would squeeze the curves, where the tangent leaves the plot; no
// tangent for a GM0 that is not finite. The points whose trim balancing
// stopped at its bound (ArmSeries::balanced) are hollow, with a legend entry
// when there is one. `subtitle` (the model, its displacement ...) goes under
// the title; it may be empty.
LineChart righting_arm_chart(const ArmSeries& starboard, const ArmSeries& port,
                             const std::string& subtitle);

// The SVG text of that chart.
std::string righting_arm_chart_svg(const ArmSeries& starboard, const ArmSeries& port,
                                   const std::string& subtitle);

}  // namespace voxel
