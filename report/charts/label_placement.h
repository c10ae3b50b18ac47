// Keeping labels apart: each label takes the first of its candidate places
// (in order of preference) that overlaps nothing placed or reserved before
// and is crossed by no reserved line.
#pragma once

#include <cstddef>
#include <vector>

#include "kernel/clip_segment.h"

namespace voxel {

// A page rectangle (mm), x0 <= x1 and y0 <= y1.
struct PageBox {
    double x0 = 0.0, y0 = 0.0;
    double x1 = 0.0, y1 = 0.0;
};

bool boxes_overlap(const PageBox& a, const PageBox& b);
// Some point of segment s (page mm) lies in the box or on its edge.
bool box_crosses_segment(const PageBox& box, const Segment2& s);

class LabelPlacer {
  public:
    // Marks a box as taken (a legend, a title) without placing a label.
    void reserve(const PageBox& box) { taken_.push_back(box); }
    // Marks a drawn line (a curve's segment, page mm) that labels keep off.
    void reserve_segment(const Segment2& s) { lines_.push_back(s); }
    // How many taken boxes the box overlaps plus how many reserved lines
    // cross it.
    std::size_t conflicts(const PageBox& box) const;
    // Index of the first candidate without conflicts, or else of the first
    // with the fewest; that candidate is then taken.
    std::size_t place(const std::vector<PageBox>& candidates);

  private:
    std::vector<PageBox> taken_;
    std::vector<Segment2> lines_;
};

}  // namespace voxel
