#include "model/body/group_tree.h"

namespace voxel {

namespace {

// Groups a leaf holds at most.
constexpr std::size_t kLeafGroups = 8;

}  // namespace

CentredBox CentredBox::around(const Box3& b) {
    // The centre is off from the exact midpoint by half a unit of the last
    // place of the larger |bound|, the half extent from the exact one by a
    // unit of its own last place: box_side's margin covers both.
    return {{0.5 * (b.minx + b.maxx), 0.5 * (b.miny + b.maxy), 0.5 * (b.minz + b.maxz)},
            {rounded_up(0.5 * (b.maxx - b.minx)), rounded_up(0.5 * (b.maxy - b.miny)),
             rounded_up(0.5 * (b.maxz - b.minz))}};
}

GroupTree::GroupTree(const std::vector<Box3>& boxes, const std::vector<char>& opaque)
    : opaque_(opaque) {
    boxes_.reserve(boxes.size());
    for (const Box3& b : boxes) boxes_.push_back(CentredBox::around(b));
    if (boxes.empty()) return;
    // A binary tree of n leaves has 2 n - 1 nodes.
    nodes_.reserve(2 * (boxes.size() / kLeafGroups + 1));
    nodes_.emplace_back();
    build(0, 0, boxes.size(), boxes);
}

void GroupTree::build(std::size_t at, std::size_t first, std::size_t end,
                      const std::vector<Box3>& boxes) {
    Box3 box;
    bool opaque = false;
    for (std::size_t i = first; i < end; ++i) {
        box.fold(boxes[i]);
        opaque = opaque || opaque_[i] != 0;
    }
    Node n;
    n.box = CentredBox::around(box);
    n.first = first;
    n.end = end;
    n.opaque = opaque;
    if (end - first > kLeafGroups) {
        n.left = static_cast<int>(nodes_.size());
        nodes_.emplace_back();
        nodes_.emplace_back();
        const std::size_t middle = first + (end - first) / 2;
        build(static_cast<std::size_t>(n.left), first, middle, boxes);
        build(static_cast<std::size_t>(n.left) + 1, middle, end, boxes);
    }
    nodes_[at] = n;
}

}  // namespace voxel
