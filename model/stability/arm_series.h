// One righting-arm series of the sweep, as the criteria and the chart take it.
#pragma once

#include <cstddef>
#include <vector>

namespace voxel {

struct ArmSeries {
    std::vector<double> gz;  // righting arm, m; element i at heel 5 i degrees, 19 values
    double gm0 = 0.0;        // initial metacentric height GM0, m
    // Element i: the trim at heel 5 i degrees was balanced, or needed no
    // balancing. False where the balancing stopped at its bound: that arm is
    // the one of the last accepted trim, not of a body in longitudinal
    // balance. An element beyond the end counts as balanced.
    std::vector<bool> balanced;

    bool balanced_at(std::size_t i) const { return i >= balanced.size() || balanced[i]; }
};

}  // namespace voxel
