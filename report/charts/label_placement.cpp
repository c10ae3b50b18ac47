#include "report/charts/label_placement.h"

namespace voxel {

bool boxes_overlap(const PageBox& a, const PageBox& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool box_crosses_segment(const PageBox& box, const Segment2& s) {
    Segment2 inside;
    return clip_segment(s, box.x0, box.x1, box.y0, box.y1, inside);
}

std::size_t LabelPlacer::conflicts(const PageBox& box) const {
    std::size_t n = 0;
    for (const PageBox& t : taken_)
        if (boxes_overlap(box, t)) ++n;
    for (const Segment2& s : lines_)
        if (box_crosses_segment(box, s)) ++n;
    return n;
}

std::size_t LabelPlacer::place(const std::vector<PageBox>& candidates) {
    if (candidates.empty()) return 0;
    std::size_t chosen = 0;
    std::size_t fewest = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::size_t n = conflicts(candidates[i]);
        if (i == 0 || n < fewest) {
            chosen = i;
            fewest = n;
        }
        if (n == 0) break;
    }
    taken_.push_back(candidates[chosen]);
    return chosen;
}

}  // namespace voxel
