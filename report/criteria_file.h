// "Stability_Criteria.txt": the intact-stability criteria of the two
// righting-arm curves as text (UTF-8, LF line ends).
#pragma once

#include <string>

#include "kernel/point3.h"
#include "model/stability/arm_series.h"

namespace voxel {

constexpr const char* kStabilityCriteriaFileName = "Stability_Criteria.txt";

// What the check is made on. GM0 is computed by the caller (z_B + I_T / V -
// z_G at the upright state).
struct StabilityInput {
    std::string model_path;  // the model file, as named to the program
    double V = 0.0;          // displacement volume, m^3
    Point3 G;                // centre of gravity, m
    ArmSeries starboard;     // heel to starboard, sigma = -1 (右倾)
    ArmSeries port;          // heel to port, sigma = +1 (左倾)
};

// The whole text of "Stability_Criteria.txt": '#' lines saying what was
// checked and how (and, when some trim was not balanced, at which angles of
// which series and what NOT_BALANCED means), a header line
// "key limit starboard starboard_result port port_result", then one line per
// criterion with the values in six significant digits (format_number) and
// the verdict of criterion_verdict, the columns padded with blanks and
// separated by at least two.
std::string stability_criteria_text(const StabilityInput& input);

}  // namespace voxel
