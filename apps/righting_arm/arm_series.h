// One righting-arm series of the sweep, as the criteria and the chart take it.
#pragma once

#include <vector>

namespace voxel {

struct ArmSeries {
    std::vector<double> gz;  // righting arm, m; element i at heel 5 i degrees, 19 values
    double gm0 = 0.0;        // initial metacentric height GM0, m
};

}  // namespace voxel
