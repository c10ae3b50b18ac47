// Boxes about the groups of a body and a tree over runs of consecutive
// groups, so that a query at a plane visits only the groups the plane may
// cut, passes over the runs it leaves dry and takes the runs it submerges
// whole, group by group in body order. Lengths in the model's unit.
#pragma once

#include <cstddef>
#include <vector>

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/ball.h"

namespace voxel {

// An axis-aligned box as its centre and half extents: every point it was
// made to hold lies within `half` of `centre`, coordinate by coordinate.
struct CentredBox {
    Point3 centre;
    Point3 half;

    // The box of the points b folded (its bounds are some of theirs), the
    // half extents rounded up.
    static CentredBox around(const Box3& b);
};

// On which side of p the box lies: Dry means every point's computed plane
// value is > 0, Submerged every one <= 0; Cut when the margin cannot tell.
//
// A point q of the box has the exact plane value f(c) + A (x - cx) + B (y -
// cy) + C (z - cz), within |A| hx + |B| hy + |C| hz of the centre's. Every
// computed value (((B y + A x) + C z) + D) is off from the exact one by a few
// units of the last place of |A x| + |B y| + |C z| + |D|, which for a point
// of the box is at most |A| (|cx| + hx) + |B| (|cy| + hy) + |C| (|cz| + hz)
// + |D|; the rounding of the centre and of the half extents is a unit of the
// last place of the same terms. The factor 1e-12 leaves a thousandfold room
// over all of them, as in ball_side. A plane value that is not a number
// fails both comparisons and gives Cut.
inline BallSide box_side(const Plane& p, const CentredBox& b) {
    const double a = std::fabs(p.A), bb = std::fabs(p.B), c = std::fabs(p.C);
    const double spread = a * b.half.x + bb * b.half.y + c * b.half.z;
    const double scale = a * std::fabs(b.centre.x) + bb * std::fabs(b.centre.y) +
                         c * std::fabs(b.centre.z) + spread + std::fabs(p.D);
    const double margin = spread + 1e-12 * scale + 1e-300;
    const double f = p.plane_value(b.centre);
    if (f > margin) return BallSide::Dry;
    if (f < -margin) return BallSide::Submerged;
    return BallSide::Cut;
}

// The tree: a binary split of the groups 0 .. n-1 into halves of
// consecutive groups down to a few groups a leaf, each node with the box of
// its groups' boxes. An opaque group (its box unknown, or one that its
// caller handles in its own way) is never decided by a box: it and every
// node that holds it are always handed on.
class GroupTree {
  public:
    GroupTree() = default;
    // boxes[i] the box of group i's vertices, opaque[i] whether group i is
    // opaque (both of the same size).
    GroupTree(const std::vector<Box3>& boxes, const std::vector<char>& opaque);

    std::size_t group_count() const { return boxes_.size(); }
    const CentredBox& box(std::size_t i) const { return boxes_[i]; }
    bool opaque(std::size_t i) const { return opaque_[i] != 0; }

    // Goes through the groups in order at p, each once: one whose vertices
    // are all dry (every computed plane value > 0) may be passed over; a run
    // of consecutive groups whose vertices are all submerged (every value <=
    // 0) is handed to submerged(first, end), end one past the last; every
    // other group, opaque ones included, to cut(i). The calls come in group
    // order.
    template <class Submerged, class Cut>
    void walk(const Plane& p, Submerged&& submerged, Cut&& cut) const {
        walk(p, [](std::size_t, std::size_t) {}, submerged, cut);
    }
    // The same, with the groups passed over handed to dry(first, end) (in
    // runs, in group order among the other calls).
    template <class Dry, class Submerged, class Cut>
    void walk(const Plane& p, Dry&& dry, Submerged&& submerged, Cut&& cut) const {
        if (nodes_.empty()) return;
        Walker<Dry, Submerged, Cut> w{*this, p, dry, submerged, cut};
        w.node(0);
        w.flush();
    }

  private:
    struct Node {
        CentredBox box;
        std::size_t first = 0, end = 0;  // its groups
        int left = -1;                   // its halves left and left + 1; -1 for a leaf
        bool opaque = false;             // holds an opaque group
    };

    // Builds the node of groups [first, end) at nodes_[at]; its halves go
    // after every node made so far.
    void build(std::size_t at, std::size_t first, std::size_t end, const std::vector<Box3>& boxes);

    // One walk: a run of submerged groups is kept open while the next
    // submerged group follows it, and handed on before any other call.
    template <class Dry, class Submerged, class Cut>
    struct Walker {
        const GroupTree& tree;
        const Plane& p;
        Dry& dry;
        Submerged& submerged;
        Cut& cut;
        std::size_t run_first = 0, run_end = 0;

        void take(std::size_t first, std::size_t end) {
            if (run_end != first || run_first == run_end) {
                flush();
                run_first = first;
            }
            run_end = end;
        }
        void flush() {
            if (run_first != run_end) submerged(run_first, run_end);
            run_first = run_end = 0;
        }
        void hand_on(std::size_t i) {
            flush();
            cut(i);
        }
        void node(int k) {
            const Node& n = tree.nodes_[static_cast<std::size_t>(k)];
            if (!n.opaque) {
                const BallSide side = box_side(p, n.box);
                if (side == BallSide::Dry) {
                    flush();
                    dry(n.first, n.end);
                    return;
                }
                if (side == BallSide::Submerged) {
                    take(n.first, n.end);
                    return;
                }
            }
            if (n.left >= 0) {
                node(n.left);
                node(n.left + 1);
                return;
            }
            for (std::size_t i = n.first; i < n.end; ++i) {
                if (tree.opaque_[i]) {
                    hand_on(i);
                    continue;
                }
                const BallSide side = box_side(p, tree.boxes_[i]);
                if (side == BallSide::Submerged) {
                    take(i, i + 1);
                } else if (side == BallSide::Cut) {
                    hand_on(i);
                } else {
                    flush();
                    dry(i, i + 1);
                }
            }
        }
    };

    std::vector<CentredBox> boxes_;
    std::vector<char> opaque_;
    std::vector<Node> nodes_;
};

}  // namespace voxel
