#include "model/body/group_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "model/body/body.h"
#include "model/body/group_filter.h"

using voxel::Body;
using voxel::Plane;
using voxel::Point3;

namespace {

constexpr auto kTolerance = voxel::CrossingTolerance::Loose;

// A slab of nx * ny * nz cells of 1 x 1 x 0.25, jittered so that no face is
// level, each cell a hexahedron of its own group, weights +1 but for every
// seventh cell, which counts -0.5 (a hollow).
Body cell_slab(int nx, int ny, int nz) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> jitter(-0.05, 0.05);
    voxel::BodyBuilder b(kTolerance, voxel::Summation::PerSolid);
    int n = 0;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                Point3 v[8];
                for (int c = 0; c < 8; ++c) {
                    const int dx = (c == 1 || c == 2 || c == 5 || c == 6) ? 1 : 0;
                    const int dy = (c == 2 || c == 3 || c == 6 || c == 7) ? 1 : 0;
                    const int dz = c >= 4 ? 1 : 0;
                    v[c] = {i + dx + jitter(random), j + dy + jitter(random),
                            0.25 * (k + dz) + 0.2 * jitter(random)};
                }
                voxel::Hexahedron h;
                h.set_vertices(v);
                b.add(h, ++n % 7 == 0 ? -0.5 : 1.0);
            }
    return b.build();
}

// The PerSolid sum written out: each group's tetrahedra cut in order, the
// group's sum times its weight added in group order.
double volume_in_order(const Body& body, const Plane& p) {
    double sum = 0.0;
    for (int g = 0; g < body.group_count(); ++g) {
        const voxel::BodyGroup& group = body.group(g);
        double v = 0.0;
        for (int j = 0; j < group.count; ++j)
            v = v + voxel::cut_volume_below_plane(
                        body.tetrahedron(group.first + static_cast<std::size_t>(j)), p,
                        kTolerance);
        sum += group.weight * v;
    }
    return sum;
}

Plane plane_through(const Point3& n, const Point3& q) {
    Plane p;
    p.set(n.x, n.y, n.z, -(n.x * q.x + n.y * q.y + n.z * q.z));
    return p;
}

}  // namespace

TEST(GroupTree, BoxSidesHoldForEveryCorner) {
    const voxel::Box3 b{-1.0, 2.0, 0.5, 3.0, 2.5, 4.0};
    const voxel::CentredBox c = voxel::CentredBox::around(b);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0), d(-8.0, 8.0);
    for (int k = 0; k < 2000; ++k) {
        Plane p;
        p.set(u(random), u(random), u(random), d(random));
        const voxel::BallSide side = voxel::box_side(p, c);
        for (int corner = 0; corner < 8; ++corner) {
            const Point3 q{corner & 1 ? b.maxx : b.minx, corner & 2 ? b.maxy : b.miny,
                           corner & 4 ? b.maxz : b.minz};
            if (side == voxel::BallSide::Dry) {
                EXPECT_GT(p.plane_value(q), 0.0);
            } else if (side == voxel::BallSide::Submerged) {
                EXPECT_LE(p.plane_value(q), 0.0);
            }
        }
    }
}

// Whatever the tree passes over or takes whole, the volume is the in-order
// sum of every tetrahedron's cut, to the bit, and the bounds hold it.
TEST(GroupTree, VolumeIsTheInOrderSumOfTheCuts) {
    const Body body = cell_slab(12, 5, 8);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> tilt(-1.0, 1.0), height(-1.0, 13.0);
    for (int k = 0; k < 200; ++k) {
        Point3 n{tilt(random), tilt(random), 1.0};
        voxel::normalize(n);
        const Plane p = plane_through(n, {6.0, 2.5, height(random) * 0.2});
        const double v = volume_in_order(body, p);
        EXPECT_EQ(body.volume_below(p), v);
        const voxel::VolumeBracket b = body.volume_bracket(p);
        EXPECT_LE(b.lo, v);
        EXPECT_GE(b.hi, v);
    }
}

// Planes of one normal closing in from both sides, as a bisection moves
// them: the filtered sums are the in-order sums; a plane outside the
// settled range, or of another normal, is still answered right.
TEST(GroupFilter, FollowsABisectionAndAnswersAnyPlane) {
    const Body body = cell_slab(10, 4, 8);
    Point3 n{0.3, -0.5, 1.0};
    voxel::normalize(n);
    const Point3 L{0.0, 4.0, 0.0}, H{10.0, 0.0, 2.0};
    auto at = [&](double t) {
        return plane_through(n, {L.x + t * (H.x - L.x), L.y + t * (H.y - L.y),
                                 L.z + t * (H.z - L.z)});
    };
    const double target = 0.37 * body.total_volume();
    voxel::GroupFilter filter;
    double lo = 0.0, hi = 1.0;
    for (int step = 0; step < 30; ++step) {
        const double t = 0.5 * (lo + hi);
        const Plane p = at(t);
        const double v = volume_in_order(body, p);
        const voxel::VolumeBracket b = body.volume_bracket(p, filter);
        EXPECT_LE(b.lo, v);
        EXPECT_GE(b.hi, v);
        ASSERT_EQ(body.volume_below(p, filter), v) << step;
        const bool below = v < target;
        if (below)
            lo = t;
        else
            hi = t;
        filter.settle(!below);
    }
    // Far outside the bracket, then another normal.
    const Plane low = at(0.05), high = at(0.95);
    EXPECT_EQ(body.volume_below(low, filter), volume_in_order(body, low));
    EXPECT_EQ(body.volume_below(high, filter), volume_in_order(body, high));
    const Plane level = plane_through({0.0, 0.0, 1.0}, {0.0, 0.0, 1.0});
    EXPECT_EQ(body.volume_below(level, filter), volume_in_order(body, level));
}
