// "KN_Curves.svg": the sheet of cross curves of stability, KN against the
// displacement, one curve per heel angle (A4 landscape, labels in Chinese).
#pragma once

#include <string>

#include "model/stability/cross_curves.h"
#include "report/charts/line_chart.h"

namespace voxel {

constexpr const char* kKnChartFileName = "KN_Curves.svg";

// The chart: displacement (t) across, KN (m) up; for every heel the KN of the
// starboard side (sigma = -1) at each station as a solid curve, labelled
// "φ = <heel>°" beside its last point, the colours taken in turn. When the
// port side's KN differs anywhere by more than 5e-5 m (the text file's last
// decimal), its curves are drawn too, dashed, and the legend names both
// sides. Points whose trim balancing stopped at its bound are hollow.
// `subtitle` (the model, the density ...) goes under the title; it may be
// empty.
LineChart kn_curves_chart(const CrossCurves& curves, const std::string& subtitle);

// The SVG text of that chart.
std::string kn_curves_chart_svg(const CrossCurves& curves, const std::string& subtitle);

}  // namespace voxel
