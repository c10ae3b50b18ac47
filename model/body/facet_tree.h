// A closed triangle mesh as a solid, queried by plane through a tree of its
// facets with the fan's apex put on the query plane. Lengths are in the
// model's unit, volumes in that unit cubed.
//
// For a closed, outward-oriented surface and ANY apex q, the indicator of
// the enclosed solid is, almost everywhere, the sum over the facets (a, b, c)
// of sign(det(a - q, b - q, c - q)) times the indicator of the tetrahedron
// (q, a, b, c): along a ray from q, the facets it crosses alternate between
// leaving (+) and entering (-) the solid, so only the points inside count
// once. Volume, moments and the section below or at a plane p are therefore
// signed sums over those tetrahedra, whatever q is.
//
// Taking q on p (the projection onto p of the centre k of the vertices'
// box; a point on p counts as submerged): a facet wholly below p gives a
// wholly submerged tetrahedron, a facet wholly dry gives nothing (its
// tetrahedron meets p in q alone), and only the facets that p crosses need a
// cut. The section of the solid by p gets nothing from the uncut ones either:
// it is the signed sum of the triangles (q, u, v), u v the segment where a
// crossing facet meets p.
//
// A wholly submerged facet, with a, b, c, q relative to k:
//   6 vol = det(a - q, b - q, c - q) = s - q . c_f,
//   24 moment = 6 vol (q + a + b + c) = (s - q . c_f) (q + m),
// s = det(a, b, c), c_f = a x b + b x c + c x a, m = a + b + c (the terms of
// det with two or three q vanish). Summed over a subtree:
//   6 V = S - q . C,  24 M = (S - q . C) q + SM - Mc q,
// S = sum s, C = sum c_f, SM = sum s m, Mc = sum m c_f^T (3 x 3): each node
// of the tree keeps them, so that a subtree wholly below p costs O(1) for
// any q. Working relative to k keeps the digits that a fan from the origin
// would cancel.
//
// The tree: the facets in the Morton order of their centroids (ties by their
// index), each node's run halved down to kFacetLeaf facets; every node keeps
// the box of its facets' vertices. A query goes down from
// the root in order (left before right): a node wholly below p adds its
// sums, one wholly above nothing, the others their children; a leaf takes
// its facets one by one. The order of every sum is the tree's, fixed when
// it is built, whatever the thread that asks.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/platform/large_array.h"
#include "kernel/point3.h"
#include "kernel/polygon2.h"
#include "kernel/tetrahedron.h"
#include "kernel/volume_moments.h"

namespace voxel {

// Facets per leaf of a FacetTree at most.
constexpr int kFacetLeaf = 8;

// One facet, its corners counter-clockwise seen from outside.
struct Facet {
    Point3 a, b, c;
};

class FacetTree {
  public:
    FacetTree() = default;
    // The surface's facets (vertex indices, counter-clockwise seen from
    // outside), the surface closed and consistently oriented. Facets whose
    // indices name one point twice are kept (their sums are 0).
    FacetTree(const std::vector<Point3>& vertices, const std::vector<std::array<int, 3>>& facets);

    // The centre of the vertices' box, to which every sum is relative.
    const Point3& centre() const { return k_; }
    // The box of the vertices.
    const Box3& box() const { return box_; }
    std::size_t facet_count() const { return facets_.size(); }
    bool empty() const { return facets_.empty(); }

    // Calls visit(facet) for every facet, in tree order.
    template <class Visit>
    void for_each_facet(Visit&& visit) const {
        for (const Facet& f : facets_) visit(f);
    }

    // Volume and first moment of the solid below p (f <= 0), the moment
    // about the centre k (length^4): the centroid is k + moment / volume.
    // `crossing` is the parallel test of the cuts.
    VolumeMoments part_below(const Plane& p, CrossingTolerance crossing) const;
    // The volume and moment of the whole solid about k.
    VolumeMoments whole() const;

    // Calls visit(facet) in tree order for every facet of which some corner
    // may have a plane value f >= 0 and some f <= 0 at p (the others lie
    // wholly on one side, f < 0 or f > 0 at every corner).
    template <class Visit>
    void for_each_touching(const Plane& p, Visit&& visit) const {
        if (facets_.empty()) return;
        touching(0, p, visit);
    }

    // The apex on p: the projection of k onto p.
    Point3 apex(const Plane& p) const;

    // The sign of det(a - q, b - q, c - q) for the apex q (absolute): +1, -1,
    // or 0 when the tetrahedron (q, a, b, c) is flat.
    double orientation(const Facet& f, const Point3& q) const;

  private:
    struct Node {
        Box3 box;           // of the vertices of the node's facets
        double S = 0.0;     // sum s
        Point3 SM;          // sum s m
        Point3 C;           // sum c_f
        double Mc[9] = {};  // sum m c_f^T, row-major
        int first = 0;      // the node's facets, facets_[first, first + count)
        int count = 0;
        int right = -1;  // the second child (the first is the next node); -1: a leaf
    };

    // Lowest and highest plane value a point of box b can have, widened by
    // far more than the rounding of any corner's plane value.
    static void plane_range(const Box3& b, const Plane& p, double& lo, double& hi);

    // A facet while the tree is built: the Morton code of its centroid, its
    // index.
    struct Item {
        std::uint64_t code;
        std::uint32_t index;
    };
    // Makes the node of facets [first, first + count) in tree order and its
    // subtree; returns the node's index.
    int build(int first, int count);
    void add_sums(Node& n, const Facet& f) const;
    void part(int node, const Plane& p, const Plane& rel, const Point3& q,
              CrossingTolerance crossing, VolumeMoments& sum) const;

    template <class Visit>
    void touching(int node, const Plane& p, Visit& visit) const {
        const Node& n = nodes_[static_cast<std::size_t>(node)];
        double lo, hi;
        plane_range(n.box, p, lo, hi);
        if (hi < 0.0 || lo > 0.0) return;
        if (n.right < 0) {
            for (int i = n.first; i < n.first + n.count; ++i)
                visit(facets_[static_cast<std::size_t>(i)]);
            return;
        }
        touching(node + 1, p, visit);
        touching(n.right, p, visit);
    }

    Point3 k_;
    Box3 box_;
    LargeArray<Facet> facets_;  // in tree order
    std::vector<Node> nodes_;
};

// Adds to `sums` the section of the surface `tree` by p, weighted: the
// triangle (q, u, v) of each facet that p crosses (some corner dry, f > 0,
// some not; u, v where its two edges between the sides meet p), with the
// sign of the facet seen from the apex q on p, as area and moments only;
// and the facets' own contour (add_facet_contour) as the extents. `project`
// gives a point's plane coordinates (Point3 -> Point2).
template <class Project, class Sums, class Contour>
void add_surface_section(const FacetTree& tree, const Plane& p, Project&& project, double weight,
                         Sums& sums, Contour&& contour) {
    const Point3 q = tree.apex(p);
    const Point2 pq = project(q);
    tree.for_each_touching(p, [&](const Facet& f) {
        contour(f);
        const Point3* c[3] = {&f.a, &f.b, &f.c};
        const double v[3] = {p.plane_value(f.a), p.plane_value(f.b), p.plane_value(f.c)};
        const bool dry[3] = {v[0] > 0.0, v[1] > 0.0, v[2] > 0.0};
        if (dry[0] == dry[1] && dry[1] == dry[2]) return;
        const double sign = tree.orientation(f, q);
        if (sign == 0.0) return;
        Point2 pts[3];
        pts[0] = pq;
        int n = 1;
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            if (dry[i] == dry[j]) continue;
            // The end on the submerged side, and the dry one.
            const int w = dry[i] ? j : i, d = dry[i] ? i : j;
            if (v[w] == 0.0) {
                pts[n++] = project(*c[w]);
            } else {
                const double s = v[w] / (v[w] - v[d]);
                const Point3 e = difference(*c[w], *c[d]);
                pts[n++] = project(Point3{c[w]->x + e.x * s, c[w]->y + e.y * s, c[w]->z + e.z * s});
            }
        }
        sums.add_polygon(3, pts, weight * sign, false);
    });
}

}  // namespace voxel
