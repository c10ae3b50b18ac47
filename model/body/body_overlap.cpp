#include "model/body/body_overlap.h"

#include <cstddef>
#include <vector>

#include "kernel/box3.h"
#include "kernel/point3.h"
#include "model/body/facet_tree.h"

namespace voxel {

namespace {

bool same_point(const Point3& a, const Point3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The closed half-space f(x) <= 0 on the inner side of one face (o, p, q) of
// a tetrahedron, f(x) = n . (x - o) with n normal to the face and pointing
// away from the opposite vertex; n is not made a unit vector, as only the
// signs of f and the ratios of its values are used. A corner of the face
// has f = 0 exactly: the rounding of n . (p - o) would otherwise put a
// tetrahedron that shares the face (the next one of a hull) a hair inside.
struct HalfSpace {
    Point3 o, p, q, n;

    double value(const Point3& x) const {
        if (same_point(x, o) || same_point(x, p) || same_point(x, q)) return 0.0;
        return dot(n, difference(o, x));
    }
};

// A tetrahedron and the outward normals of its faces, face l the one
// opposite V_l, with corners V_{l+1}, V_{l+2}, V_{l+3} (indices mod 4): the
// intersection of the half-spaces half_space(0) to half_space(3).
struct FacedTetrahedron {
    TetraVertices t;
    Point3 n[4];

    const Point3& vertex(int i) const {
        return i == 0 ? t.V0 : (i == 1 ? t.V1 : (i == 2 ? t.V2 : t.V3));
    }
    HalfSpace half_space(int l) const {
        return {vertex((l + 1) % 4), vertex((l + 2) % 4), vertex((l + 3) % 4), n[l]};
    }
};

// The faces of t, each normal turned away from the vertex opposite; false
// when t is flat (some vertex lies in the plane of the face opposite it),
// whose intersection with anything has no volume.
bool make_faced(const TetraVertices& t, FacedTetrahedron& out) {
    out.t = t;
    for (int l = 0; l < 4; ++l) {
        const Point3& o = out.vertex((l + 1) % 4);
        Point3 n =
            cross(difference(o, out.vertex((l + 2) % 4)), difference(o, out.vertex((l + 3) % 4)));
        const double s = dot(n, difference(o, out.vertex(l)));
        if (!(s != 0.0)) return false;
        if (s > 0.0) n = {-n.x, -n.y, -n.z};
        out.n[l] = n;
    }
    return true;
}

// Where the plane f = 0 crosses the edge from w (fw <= 0) to d (fd > 0): the
// fraction fw / (fw - fd) of the way, in [0, 1), the denominator never 0.
Point3 crossing(const Point3& w, const Point3& d, double fw, double fd) {
    const double s = fw / (fw - fd);
    return {w.x + (d.x - w.x) * s, w.y + (d.y - w.y) * s, w.z + (d.z - w.z) * s};
}

double clipped_volume(const TetraVertices& t, const HalfSpace* h, int n);

// The volume of the convex prism with triangles (a0, a1, a2) and (b0, b1,
// b2) and edges a_i b_i between them (its quadrilaterals planar) within the
// half-spaces h[0, n): the cone from b2 over the triangle a and over the
// quadrilateral a0 a1 b1 b0, that split along a0 b1, three tetrahedra that
// fill the prism.
double clipped_prism(const Point3& a0, const Point3& a1, const Point3& a2, const Point3& b0,
                     const Point3& b1, const Point3& b2, const HalfSpace* h, int n) {
    return clipped_volume(TetraVertices{a0, a1, a2, b2}, h, n) +
           clipped_volume(TetraVertices{a0, a1, b1, b2}, h, n) +
           clipped_volume(TetraVertices{a0, b1, b0, b2}, h, n);
}

// The volume of the part of t within the half-spaces h[0, n), cut by one
// half-space after the other: the part of a tetrahedron within a half-space
// is convex, and is the tetrahedron itself (no vertex outside, f > 0),
// nothing (no vertex strictly inside, f < 0: at most a face touches), the
// tetrahedron at the one vertex inside, or a prism of which the plane cuts
// off the outer vertices (one or two), which three tetrahedra fill. Each
// piece goes on to the next half-space; within the last one, a piece's part
// is its full_volume times a fraction. Neither depends on the orientation
// of the pieces.
double clipped_volume(const TetraVertices& t, const HalfSpace* h, int n) {
    if (n == 0) return t.full_volume();
    const Point3* v[4] = {&t.V0, &t.V1, &t.V2, &t.V3};
    double f[4];
    int out[4], in[4];
    int outs = 0, ins = 0;
    bool strictly_inside = false;
    for (int i = 0; i < 4; ++i) {
        f[i] = h->value(*v[i]);
        if (f[i] > 0.0)
            out[outs++] = i;
        else
            in[ins++] = i;
        if (f[i] < 0.0) strictly_inside = true;
    }
    if (outs == 0) return clipped_volume(t, h + 1, n - 1);
    if (!strictly_inside) return 0.0;
    // The fraction of the edge from inner vertex w to outer d that lies
    // inside.
    auto fraction = [&](int w, int d) { return f[w] / (f[w] - f[d]); };
    if (n == 1) {
        // The last half-space: the part inside as a fraction of t, from the
        // pieces below in barycentric terms. One outer vertex d: t less its
        // corner at d, whose edges are the fractions 1 - s_i of t's. Two,
        // s_ij the fraction on the edge w_i d_j: the three tetrahedra of the
        // prism hold s00 s01 (1 - s11), s00 s11 (1 - s10) and s10 s11 of t.
        // Three: the corner at the inner vertex, s1 s2 s3 of t.
        double r;
        if (outs == 1) {
            const int d = out[0];
            r = 1.0 - (1.0 - fraction(in[0], d)) * (1.0 - fraction(in[1], d)) *
                          (1.0 - fraction(in[2], d));
        } else if (outs == 2) {
            const double s00 = fraction(in[0], out[0]), s01 = fraction(in[0], out[1]);
            const double s10 = fraction(in[1], out[0]), s11 = fraction(in[1], out[1]);
            r = s00 * s01 * (1.0 - s11) + s00 * s11 * (1.0 - s10) + s10 * s11;
        } else {
            r = fraction(in[0], out[0]) * fraction(in[0], out[1]) * fraction(in[0], out[2]);
        }
        return t.full_volume() * r;
    }
    auto at = [&](int w, int d) { return crossing(*v[w], *v[d], f[w], f[d]); };
    if (outs == 1) {
        // The three inner vertices and the points cut off on their edges to
        // the outer one: the prism's lateral faces lie in t's faces.
        const int d = out[0];
        return clipped_prism(*v[in[0]], *v[in[1]], *v[in[2]], at(in[0], d), at(in[1], d),
                             at(in[2], d), h + 1, n - 1);
    }
    if (outs == 2) {
        // Two inner vertices w0, w1, each with the points on its edges to the
        // two outer ones: the triangles lie in the faces w0 d0 d1 and
        // w1 d0 d1, the edge w0 w1 joins them.
        const int w0 = in[0], w1 = in[1], d0 = out[0], d1 = out[1];
        return clipped_prism(*v[w0], at(w0, d0), at(w0, d1), *v[w1], at(w1, d0), at(w1, d1), h + 1,
                             n - 1);
    }
    const int w = in[0];
    return clipped_volume(TetraVertices{*v[w], at(w, out[0]), at(w, out[1]), at(w, out[2])}, h + 1,
                          n - 1);
}

// The faces of b that cut a (some vertex of a outside, f > 0), as
// half-spaces in `cuts`, their number in `count`; false when one of them
// leaves a no volume (no vertex strictly inside): a and b are separated by
// that face's plane. match[i] is the vertex of b at a's vertex i, or -1: on
// the faces of b through that vertex, f is 0, as HalfSpace::value gives.
bool cutting_faces(const FacedTetrahedron& a, const FacedTetrahedron& b, const int match[4],
                   HalfSpace cuts[4], int& count) {
    const Point3* v[4] = {&a.t.V0, &a.t.V1, &a.t.V2, &a.t.V3};
    count = 0;
    for (int l = 0; l < 4; ++l) {
        const Point3& o = b.vertex((l + 1) % 4);
        bool outside = false, inside = false;
        for (int i = 0; i < 4; ++i) {
            if (match[i] >= 0 && match[i] != l) continue;
            const double f = dot(b.n[l], difference(o, *v[i]));
            if (f > 0.0) outside = true;
            if (f < 0.0) inside = true;
        }
        if (!inside) return false;
        if (outside) cuts[count++] = b.half_space(l);
    }
    return true;
}

// The volume of the intersection of a and b.
double faced_overlap(const FacedTetrahedron& a, const FacedTetrahedron& b) {
    // The vertices the two have in common (the neighbours of a hull share
    // faces), found once.
    int match_a[4] = {-1, -1, -1, -1}, match_b[4] = {-1, -1, -1, -1};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (same_point(a.vertex(i), b.vertex(j))) {
                match_a[i] = j;
                match_b[j] = i;
            }
    // A face of either that has the other wholly outside gives 0; a
    // tetrahedron that no face of the other cuts lies within it.
    HalfSpace cuts_a[4], cuts_b[4];
    int na = 0, nb = 0;
    if (!cutting_faces(a, b, match_a, cuts_a, na)) return 0.0;
    if (na == 0) return a.t.full_volume();
    if (!cutting_faces(b, a, match_b, cuts_b, nb)) return 0.0;
    if (nb == 0) return b.t.full_volume();
    // Either clipped by the other's cutting faces gives the intersection;
    // fewer cuts make fewer pieces.
    return na <= nb ? clipped_volume(a.t, cuts_a, na) : clipped_volume(b.t, cuts_b, nb);
}

// A piece of a body: a tetrahedron with its faces, its box, and the sign
// it counts with (the weight of its group, times the orientation of a fan's
// tetrahedron).
struct Piece {
    FacedTetrahedron f;
    Box3 box;
    double sign;
};

// Whether the interiors of two boxes meet: boxes that only touch hold no
// common volume.
bool boxes_overlap(const Box3& a, const Box3& b) {
    return a.minx < b.maxx && b.minx < a.maxx && a.miny < b.maxy && b.miny < a.maxy &&
           a.minz < b.maxz && b.minz < a.maxz;
}

// The number of pieces of the body: its tetrahedra and its meshes' facets.
std::size_t piece_count(const Body& body) {
    std::size_t n = 0;
    for (int i = 0; i < body.group_count(); ++i) {
        const BodyGroup& g = body.group(i);
        n += g.mesh >= 0 ? body.mesh(g).facet_count() : static_cast<std::size_t>(g.count);
    }
    return n;
}

// Calls visit(tetrahedron, sign) for every piece of the body that counts,
// group by group: a group's tetrahedra with its weight; a mesh's fan from
// its tree's centre k, each facet's tetrahedron (k, a, b, c) with the sign
// of det(a - k, b - k, c - k) times the weight, a flat one left out.
template <class Visit>
void for_each_piece(const Body& body, Visit&& visit) {
    for (int i = 0; i < body.group_count(); ++i) {
        const BodyGroup& g = body.group(i);
        if (g.weight == 0.0) continue;
        if (g.mesh >= 0) {
            const FacetTree& tree = body.mesh(g);
            const Point3& k = tree.centre();
            tree.for_each_facet([&](const Facet& f) {
                const double sign = tree.orientation(f, k);
                if (sign != 0.0) visit(TetraVertices{k, f.a, f.b, f.c}, sign * g.weight);
            });
            continue;
        }
        for (int j = 0; j < g.count; ++j)
            visit(body.tetrahedron(g.first + static_cast<std::size_t>(j)), g.weight);
    }
}

}  // namespace

double tetrahedra_overlap(const TetraVertices& a, const TetraVertices& b) {
    FacedTetrahedron fa, fb;
    if (!make_faced(a, fa) || !make_faced(b, fb)) return 0.0;
    return faced_overlap(fa, fb);
}

double overlap_volume(const Body& a, const Body& b) {
    const bool a_smaller = piece_count(a) <= piece_count(b);
    const Body& smaller = a_smaller ? a : b;
    const Body& larger = a_smaller ? b : a;
    // The smaller body's pieces with their faces, a flat one left out (it
    // has no volume in common with anything).
    std::vector<Piece> pieces;
    Box3 box;
    for_each_piece(smaller, [&](const TetraVertices& t, double sign) {
        Piece p;
        if (!make_faced(t, p.f)) return;
        p.box = t.bounds();
        p.sign = sign;
        pieces.push_back(p);
        box.fold(p.box);
    });
    if (pieces.empty()) return 0.0;
    double sum = 0.0;
    for_each_piece(larger, [&](const TetraVertices& t, double sign) {
        const Box3 tb = t.bounds();
        if (!boxes_overlap(tb, box)) return;
        // Its faces once, when a box first overlaps.
        FacedTetrahedron f;
        bool faced = false;
        for (const Piece& p : pieces) {
            if (!boxes_overlap(tb, p.box)) continue;
            if (!faced) {
                if (!make_faced(t, f)) return;
                faced = true;
            }
            const double v = a_smaller ? faced_overlap(p.f, f) : faced_overlap(f, p.f);
            sum += sign * p.sign * v;
        }
    });
    return sum;
}

}  // namespace voxel
