// A table of offsets: the half-breadths of a hull at stations along its
// length and waterlines up its depth. The hull is symmetric about y = 0.
#pragma once

#include <cstddef>
#include <vector>

namespace voxel {

struct OffsetTable {
    std::vector<double> x;  // stations, increasing, m
    std::vector<double> z;  // waterline heights above the base line, increasing, m
    // Half-breadths, m, >= 0 (0 where the section closes), station by
    // station: half_breadths[i * z.size() + j] belongs to station i and
    // waterline j.
    std::vector<double> half_breadths;

    std::size_t station_count() const { return x.size(); }
    std::size_t waterline_count() const { return z.size(); }
    double half_breadth(std::size_t i, std::size_t j) const {
        return half_breadths[i * z.size() + j];
    }
};

}  // namespace voxel
