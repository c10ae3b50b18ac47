#include "report/charts/finite_runs.h"

#include <algorithm>
#include <cmath>

namespace voxel {

std::vector<IndexRun> finite_runs(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<IndexRun> runs;
    const std::size_t n = std::min(x.size(), y.size());
    std::size_t i = 0;
    while (i < n) {
        while (i < n && !(std::isfinite(x[i]) && std::isfinite(y[i]))) ++i;
        const std::size_t begin = i;
        while (i < n && std::isfinite(x[i]) && std::isfinite(y[i])) ++i;
        if (i > begin) runs.push_back({begin, i});
    }
    return runs;
}

}  // namespace voxel
