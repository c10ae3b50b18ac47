// The smallest interval holding the finite values seen.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace voxel {

struct ValueRange {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    // Not-a-number and infinite values are left out.
    void add(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool empty() const { return lo > hi; }
};

}  // namespace voxel
