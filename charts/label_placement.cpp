#include "charts/label_placement.h"

namespace voxel {

bool boxes_overlap(const PageBox& a, const PageBox& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

std::size_t LabelPlacer::place(const std::vector<PageBox>& candidates) {
    if (candidates.empty()) return 0;
    std::size_t chosen = 0;
    std::size_t fewest = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::size_t overlaps = 0;
        for (const PageBox& t : taken_)
            if (boxes_overlap(candidates[i], t)) ++overlaps;
        if (i == 0 || overlaps < fewest) {
            chosen = i;
            fewest = overlaps;
        }
        if (overlaps == 0) break;
    }
    taken_.push_back(candidates[chosen]);
    return chosen;
}

}  // namespace voxel
