// Keeping labels apart: each label takes the first of its candidate places
// (in order of preference) that overlaps nothing placed or reserved before.
#pragma once

#include <cstddef>
#include <vector>

namespace voxel {

// A page rectangle (mm), x0 <= x1 and y0 <= y1.
struct PageBox {
    double x0 = 0.0, y0 = 0.0;
    double x1 = 0.0, y1 = 0.0;
};

bool boxes_overlap(const PageBox& a, const PageBox& b);

class LabelPlacer {
  public:
    // Marks a box as taken (a legend, a title) without placing a label.
    void reserve(const PageBox& box) { taken_.push_back(box); }
    // Index of the first candidate that overlaps nothing taken, or else of
    // the first that overlaps the fewest boxes; that candidate is then taken.
    std::size_t place(const std::vector<PageBox>& candidates);

  private:
    std::vector<PageBox> taken_;
};

}  // namespace voxel
