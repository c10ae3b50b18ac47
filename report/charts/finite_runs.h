// Splitting a sampled curve at its non-finite points.
#pragma once

#include <cstddef>
#include <vector>

namespace voxel {

// Index ranges [begin, end) of the longest runs of consecutive points whose x
// and y are both finite, in order. A non-finite point (nan, inf) belongs to
// no run: a curve is drawn as one polyline per run, leaving a gap there,
// never a jump to zero. Points beyond the shorter of x and y are ignored.
struct IndexRun {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<IndexRun> finite_runs(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace voxel
