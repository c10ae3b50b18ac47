// Numbers of the stored program outputs under tests/golden/expected, read
// back as data for the charts' tests: real curves of the example models.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// The two series of a stored "RightingArm_Around_X_Axis.txt" (GBK): the arms
// (m) at 0, 5, ..., 90 degrees, the first series then the second. A line
// whose first field is not a number (a series header) starts the next series.
struct StoredArms {
    std::vector<double> first;   // heel to starboard, sigma = -1
    std::vector<double> second;  // heel to port, sigma = +1
};
StoredArms read_stored_arms(const std::string& case_name);

// The stored "RightingArm_Around_X_Axis.csv": both series in full precision
// with their balanced flags (column 1 read as true), by heel angle 0, 5, ...
struct StoredArmTable {
    std::vector<double> starboard, port;  // m
    std::vector<bool> starboard_balanced, port_balanced;
};
StoredArmTable read_stored_arm_csv(const std::string& case_name);

// The values of the stored "Stability_Criteria.txt" by key ("gm0_m", ...):
// the starboard and the port value.
std::map<std::string, std::pair<double, double>> read_stored_criteria(const std::string& case_name);

// The columns of a stored "Hydro_Static.txt" (GBK, three tables), by symbol:
// "T", "V", ..., "Cp". Rows whose first field is not a number (names,
// symbols, units) start a new table.
std::map<std::string, std::vector<double>> read_stored_hydro_table(const std::string& case_name);

}  // namespace testing_support
