// The intact-stability criteria checked on the two righting-arm curves of the
// sweep (report/criteria_file.h writes them to "Stability_Criteria.txt").
//
// Lengths of the model are taken as metres, so arms are in m and areas under
// the GZ curve in m*rad. The arm GZ of a series is given at the heel angles
// 0, 5, ..., 90 degrees: element i at 5 i degrees.
#pragma once

#include <string>
#include <vector>

#include "model/stability/arm_series.h"

namespace voxel {

// One criterion evaluated for both series.
struct CriterionResult {
    std::string key;  // e.g. "area_0_30_m_rad"; its unit is the last part
    double limit = 0.0;
    double starboard = 0.0;  // value of the starboard series, in the key's unit
    double port = 0.0;
    bool starboard_pass = false;  // value >= limit; nan fails
    bool port_pass = false;
    // Every point the value uses (criterion_points) had its trim balanced.
    bool starboard_balanced = true;
    bool port_balanced = true;
};

// The heel angles (degrees) of the first and the last computed point that a
// criterion's value uses: 0-30, 0-40 and 30-40 for the areas, 30-90 for
// gz_max_30_plus_m, the whole curve 0-90 for angle_gz_max_deg, the upright
// point 0-0 for gm0_m. {0, 90} for a key it does not know.
struct PointRange {
    int from_degrees = 0;
    int to_degrees = 0;
};
PointRange criterion_points(const std::string& key);

// "NOT_BALANCED" when a point the value uses was not balanced (whatever the
// value), otherwise "PASS" or "FAIL".
std::string criterion_verdict(bool pass, bool balanced);

// Area under the GZ curve (m*rad) from `from_degrees` to `to_degrees`, both
// multiples of 5 with an even number of 5-degree intervals between them, by
// Simpson's rule over the computed points. nan when a point is missing or
// not a number.
double gz_curve_area(const std::vector<double>& gz, int from_degrees, int to_degrees);

// The largest GZ (m) at `from_degrees` or more, and the heel angle (degrees)
// of the largest GZ of the whole curve (the smallest such angle on a tie).
// nan when a point taken into account is missing or not a number.
double largest_gz_from(const std::vector<double>& gz, int from_degrees);
double angle_of_largest_gz(const std::vector<double>& gz);

// value >= limit; false for nan.
bool criterion_passes(double value, double limit);

// In this order: area_0_30_m_rad (>= 0.055), area_0_40_m_rad (>= 0.090),
// area_30_40_m_rad (>= 0.030), gz_max_30_plus_m (>= 0.20),
// angle_gz_max_deg (>= 25), gm0_m (>= 0.15).
std::vector<CriterionResult> evaluate_stability_criteria(const ArmSeries& starboard,
                                                         const ArmSeries& port);

}  // namespace voxel
