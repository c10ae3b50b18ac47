// The groups that a search still has to look at. The water-plane search
// moves a plane of one normal between a lower and an upper plane that close
// in on the answer: a group that the upper plane leaves dry stays dry under
// every later plane, one that the lower plane submerges stays submerged, and
// only the others need their boxes tested again.
//
// Why this holds in floating point: every plane value is computed as h + D
// with h = (B y + A x) + C z, the same double for a vertex under every plane
// of the same A, B, C, and a rounded sum grows with D. A vertex whose value
// is > 0 at D keeps it > 0 at every D' >= D; one whose value is <= 0 at D
// keeps it <= 0 at every D' <= D. The filter checks both for each plane it
// is asked about (A, B, C the same to the bit, D between the planes its
// groups were settled at), and declines a plane that fails.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "kernel/plane.h"
#include "model/body/ball.h"
#include "model/body/group_tree.h"

namespace voxel {

class GroupFilter {
  public:
    // Whether walk may be used at p.
    bool usable(const Plane& p) const {
        if (declined_) return false;
        if (!started_) return true;
        return same_bits(p.A, A_) && same_bits(p.B, B_) && same_bits(p.C, C_) && p.D >= D_dry_ &&
               p.D <= D_submerged_;
    }

    // As GroupTree::walk at p (usable(p) must hold): every group once, in
    // order; a dry one passed over, runs of wholly submerged ones to
    // submerged(first, end), the others to cut(i). Keeps the side of each
    // group at p for settle().
    template <class Submerged, class Cut>
    void walk(const GroupTree& tree, const Plane& p, Submerged&& submerged, Cut&& cut) {
        if (!started_) {
            started_ = true;
            A_ = p.A;
            B_ = p.B;
            C_ = p.C;
            side_.assign(tree.group_count(), static_cast<char>(BallSide::Dry));
        }
        last_D_ = p.D;
        has_last_ = true;
        if (!listed_) {
            std::fill(side_.begin(), side_.end(), static_cast<char>(BallSide::Dry));
            tree.walk(
                p, [](std::size_t, std::size_t) {},
                [&](std::size_t first, std::size_t end) {
                    for (std::size_t i = first; i < end; ++i)
                        side_[i] = static_cast<char>(BallSide::Submerged);
                    submerged(first, end);
                },
                [&](std::size_t i) {
                    side_[i] = static_cast<char>(BallSide::Cut);
                    cut(i);
                });
            return;
        }
        std::size_t run_first = 0, run_end = 0;
        auto flush = [&] {
            if (run_first != run_end) submerged(run_first, run_end);
            run_first = run_end = 0;
        };
        auto take = [&](std::size_t first, std::size_t end) {
            if (run_end != first || run_first == run_end) {
                flush();
                run_first = first;
            }
            run_end = end;
        };
        for (const Run& r : runs_) {
            if (r.settled) {
                take(r.first, r.end);
                continue;
            }
            for (std::size_t i = r.first; i < r.end; ++i) {
                const BallSide side = tree.opaque(i) ? BallSide::Cut : box_side(p, tree.box(i));
                side_[i] = static_cast<char>(side);
                if (side == BallSide::Submerged) {
                    take(i, i + 1);
                } else if (side == BallSide::Cut) {
                    flush();
                    cut(i);
                }
            }
        }
        flush();
    }

    // The plane of the last walk became the upper end of the search's
    // bracket (every later plane has a D at least its D): the groups dry
    // there are dropped. Or it became the lower end (every later plane has
    // a D at most its D): the groups submerged there are settled.
    void settle(bool upper_end) {
        if (declined_ || !has_last_) return;
        has_last_ = false;
        const char drop = upper_end ? static_cast<char>(BallSide::Dry) : char{-1};
        const char keep = upper_end ? char{-1} : static_cast<char>(BallSide::Submerged);
        if (upper_end) {
            if (last_D_ > D_dry_) D_dry_ = last_D_;
        } else {
            if (last_D_ < D_submerged_) D_submerged_ = last_D_;
        }
        std::vector<Run> next;
        next.reserve(runs_.size() + 16);
        auto add = [&next](std::size_t first, std::size_t end, bool settled) {
            if (!next.empty() && next.back().end == first && next.back().settled == settled)
                next.back().end = end;
            else
                next.push_back({first, end, settled});
        };
        auto sort_out = [&](std::size_t first, std::size_t end) {
            for (std::size_t i = first; i < end; ++i) {
                if (side_[i] == drop) continue;
                add(i, i + 1, side_[i] == keep);
            }
        };
        if (!listed_) {
            listed_ = true;
            sort_out(0, side_.size());
        } else {
            for (const Run& r : runs_) {
                if (r.settled)
                    add(r.first, r.end, true);
                else
                    sort_out(r.first, r.end);
            }
        }
        runs_.swap(next);
    }

    // From now on the filter answers no plane.
    void decline() { declined_ = true; }

  private:
    // Consecutive groups, settled submerged or still to be tested.
    struct Run {
        std::size_t first, end;
        bool settled;
    };

    static bool same_bits(double a, double b) {
        std::uint64_t x, y;
        std::memcpy(&x, &a, sizeof x);
        std::memcpy(&y, &b, sizeof y);
        return x == y;
    }

    bool started_ = false;   // A, B, C and side_ are set
    bool listed_ = false;    // runs_ holds the groups; before, every group is to be tested
    bool declined_ = false;  // a plane that the filter could not answer came
    bool has_last_ = false;  // side_ holds the sides at the plane of D last_D_
    double A_ = 0.0, B_ = 0.0, C_ = 0.0;
    double last_D_ = 0.0;
    // Later planes must have D_dry_ <= D <= D_submerged_.
    double D_dry_ = -std::numeric_limits<double>::infinity();
    double D_submerged_ = std::numeric_limits<double>::infinity();
    std::vector<char> side_;  // BallSide of each group at the last plane walked
    std::vector<Run> runs_;
};

}  // namespace voxel
