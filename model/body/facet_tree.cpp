#include "model/body/facet_tree.h"

#include <algorithm>
#include <cstdint>

namespace voxel {

namespace {

Point3 sum3(const Point3& a, const Point3& b, const Point3& c) {
    return {(a.x + b.x) + c.x, (a.y + b.y) + c.y, (a.z + b.z) + c.z};
}

// a - b, coordinate by coordinate.
Point3 minus(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Spreads the low 21 bits of v to every third bit.
std::uint64_t spread(std::uint64_t v) {
    v &= 0x1fffff;
    v = (v | v << 32) & 0x1f00000000ffffull;
    v = (v | v << 16) & 0x1f0000ff0000ffull;
    v = (v | v << 8) & 0x100f00f00f00f00full;
    v = (v | v << 4) & 0x10c30c30c30c30c3ull;
    v = (v | v << 2) & 0x1249249249249249ull;
    return v;
}

// The cell of c in a 2^21 grid over box b along each axis, interleaved.
std::uint64_t morton_code(const Point3& c, const Box3& b) {
    auto cell = [](double x, double lo, double hi) {
        if (!(hi > lo)) return std::uint64_t{0};
        const double t = (x - lo) / (hi - lo) * 2097151.0;
        return t <= 0.0 ? std::uint64_t{0}
                        : (t >= 2097151.0 ? std::uint64_t{2097151} : static_cast<std::uint64_t>(t));
    };
    return spread(cell(c.x, b.minx, b.maxx)) << 2 | spread(cell(c.y, b.miny, b.maxy)) << 1 |
           spread(cell(c.z, b.minz, b.maxz));
}

}  // namespace

FacetTree::FacetTree(const std::vector<Point3>& vertices,
                     const std::vector<std::array<int, 3>>& facets) {
    for (const Point3& v : vertices) box_.fold(v);
    k_ = {0.5 * (box_.minx + box_.maxx), 0.5 * (box_.miny + box_.maxy),
          0.5 * (box_.minz + box_.maxz)};
    if (facets.empty()) return;
    // The facets in the order of the Morton codes of their centroids
    // (21 bits a coordinate over the centroids' box), ties by index.
    Box3 cb;
    std::vector<Point3> centroid(facets.size());
    for (std::size_t i = 0; i < facets.size(); ++i) {
        const Point3& a = vertices[static_cast<std::size_t>(facets[i][0])];
        const Point3& b = vertices[static_cast<std::size_t>(facets[i][1])];
        const Point3& c = vertices[static_cast<std::size_t>(facets[i][2])];
        centroid[i] = sum3(a, b, c);  // three times the centroid: only the order matters
        cb.fold(centroid[i]);
    }
    std::vector<Item> items(facets.size());
    for (std::size_t i = 0; i < facets.size(); ++i)
        items[i] = {morton_code(centroid[i], cb), static_cast<std::uint32_t>(i)};
    std::vector<Point3>().swap(centroid);
    std::sort(items.begin(), items.end(), [](const Item& x, const Item& y) {
        return x.code < y.code || (x.code == y.code && x.index < y.index);
    });
    // About two nodes per kFacetLeaf / 2 facets at most.
    nodes_.reserve(4 * facets.size() / kFacetLeaf + 1);
    build(0, static_cast<int>(facets.size()));
    nodes_.shrink_to_fit();
    facets_.reserve(facets.size());
    for (const Item& item : items) {
        const std::array<int, 3>& f = facets[static_cast<std::size_t>(item.index)];
        facets_.push_back({vertices[static_cast<std::size_t>(f[0])],
                           vertices[static_cast<std::size_t>(f[1])],
                           vertices[static_cast<std::size_t>(f[2])]});
    }
    // The sums, leaves from their facets in order, every other node from its
    // two children; children come after their parent.
    for (std::size_t i = nodes_.size(); i-- > 0;) {
        Node& n = nodes_[i];
        if (n.right < 0) {
            for (int j = n.first; j < n.first + n.count; ++j) {
                const Facet& f = facets_[static_cast<std::size_t>(j)];
                add_sums(n, f);
                n.box.fold(f.a);
                n.box.fold(f.b);
                n.box.fold(f.c);
            }
            continue;
        }
        const Node& l = nodes_[i + 1];
        const Node& r = nodes_[static_cast<std::size_t>(n.right)];
        n.box = l.box;
        n.box.fold(r.box);
        n.S = l.S + r.S;
        n.SM = {l.SM.x + r.SM.x, l.SM.y + r.SM.y, l.SM.z + r.SM.z};
        n.C = {l.C.x + r.C.x, l.C.y + r.C.y, l.C.z + r.C.z};
        for (int j = 0; j < 9; ++j) n.Mc[j] = l.Mc[j] + r.Mc[j];
    }
}

int FacetTree::build(int first, int count) {
    // Halves of the Morton order: each a compact part of the surface.
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back(Node{});
    nodes_.back().first = first;
    nodes_.back().count = count;
    if (count <= kFacetLeaf) return index;
    const int half = count / 2;
    build(first, half);
    const int right = build(first + half, count - half);
    nodes_[static_cast<std::size_t>(index)].right = right;
    return index;
}

void FacetTree::add_sums(Node& n, const Facet& f) const {
    const Point3 a = minus(f.a, k_), b = minus(f.b, k_), c = minus(f.c, k_);
    const Point3 ab = cross(a, b), bc = cross(b, c), ca = cross(c, a);
    const double s = dot(a, bc);
    const Point3 cf = sum3(ab, bc, ca);
    const Point3 m = sum3(a, b, c);
    n.S += s;
    n.SM = {n.SM.x + s * m.x, n.SM.y + s * m.y, n.SM.z + s * m.z};
    n.C = {n.C.x + cf.x, n.C.y + cf.y, n.C.z + cf.z};
    const double mm[3] = {m.x, m.y, m.z}, cc[3] = {cf.x, cf.y, cf.z};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) n.Mc[3 * i + j] += mm[i] * cc[j];
}

void FacetTree::plane_range(const Box3& b, const Plane& p, double& lo, double& hi) {
    // Each term's least and greatest over the box; the plane value of any
    // corner is their sum but for a few units of the last place of
    // |A x| + |B y| + |C z| + |D|, far below 1e-12 of it.
    const double x0 = p.A * b.minx, x1 = p.A * b.maxx;
    const double y0 = p.B * b.miny, y1 = p.B * b.maxy;
    const double z0 = p.C * b.minz, z1 = p.C * b.maxz;
    const double scale = std::fmax(std::fabs(x0), std::fabs(x1)) +
                         std::fmax(std::fabs(y0), std::fabs(y1)) +
                         std::fmax(std::fabs(z0), std::fabs(z1)) + std::fabs(p.D);
    const double margin = 1e-12 * scale + 1e-300;
    lo = ((std::fmin(y0, y1) + std::fmin(x0, x1)) + std::fmin(z0, z1)) + p.D - margin;
    hi = ((std::fmax(y0, y1) + std::fmax(x0, x1)) + std::fmax(z0, z1)) + p.D + margin;
}

Point3 FacetTree::apex(const Plane& p) const {
    // k - n f(k) / |n|^2, n = (A, B, C): relative to k, q = -n t.
    const double t = p.plane_value(k_) / ((p.A * p.A + p.B * p.B) + p.C * p.C);
    return {k_.x - p.A * t, k_.y - p.B * t, k_.z - p.C * t};
}

double FacetTree::orientation(const Facet& f, const Point3& q) const {
    const Point3 a = minus(f.a, q), b = minus(f.b, q), c = minus(f.c, q);
    const double d = dot(a, cross(b, c));
    return d > 0.0 ? 1.0 : (d < 0.0 ? -1.0 : 0.0);
}

void FacetTree::part(int node, const Plane& p, const Plane& rel, const Point3& q,
                     CrossingTolerance crossing, VolumeMoments& sum) const {
    const Node& n = nodes_[static_cast<std::size_t>(node)];
    double lo, hi;
    plane_range(n.box, p, lo, hi);
    if (lo > 0.0) return;  // every corner dry: nothing
    if (hi < 0.0) {
        // 6 V = S - q . C, 24 M = 6 V q + SM - Mc q.
        const double six = n.S - dot(q, n.C);
        const double* M = n.Mc;
        sum.volume = sum.volume + six / 6.0;
        sum.moment.x =
            sum.moment.x + (six * q.x + n.SM.x - ((M[0] * q.x + M[1] * q.y) + M[2] * q.z)) / 24.0;
        sum.moment.y =
            sum.moment.y + (six * q.y + n.SM.y - ((M[3] * q.x + M[4] * q.y) + M[5] * q.z)) / 24.0;
        sum.moment.z =
            sum.moment.z + (six * q.z + n.SM.z - ((M[6] * q.x + M[7] * q.y) + M[8] * q.z)) / 24.0;
        return;
    }
    if (n.right >= 0) {
        part(node + 1, p, rel, q, crossing, sum);
        part(n.right, p, rel, q, crossing, sum);
        return;
    }
    for (int i = n.first; i < n.first + n.count; ++i) {
        const Facet& f = facets_[static_cast<std::size_t>(i)];
        const Point3 a = minus(f.a, k_), b = minus(f.b, k_), c = minus(f.c, k_);
        const double fv[4] = {0.0, rel.plane_value(a), rel.plane_value(b), rel.plane_value(c)};
        if (fv[1] > 0.0 && fv[2] > 0.0 && fv[3] > 0.0) continue;
        const Point3 qa = minus(a, q), qb = minus(b, q), qc = minus(c, q);
        const double d = dot(qa, cross(qb, qc));
        if (d == 0.0) continue;
        if (fv[1] <= 0.0 && fv[2] <= 0.0 && fv[3] <= 0.0) {
            // Wholly submerged: 6 vol = d, 24 moment = d (q + a + b + c).
            const Point3 m = sum3(a, b, c);
            sum.volume = sum.volume + d / 6.0;
            sum.moment.x = sum.moment.x + d * (q.x + m.x) / 24.0;
            sum.moment.y = sum.moment.y + d * (q.y + m.y) / 24.0;
            sum.moment.z = sum.moment.z + d * (q.z + m.z) / 24.0;
            continue;
        }
        // The apex lies on the plane: its plane value is 0 by construction.
        const CutResult r = cut_below_plane(TetraVertices{q, a, b, c}, rel, fv, crossing);
        const double v = d > 0.0 ? r.volume : -r.volume;
        sum.add(v, r.centroid);
    }
}

VolumeMoments FacetTree::part_below(const Plane& p, CrossingTolerance crossing) const {
    VolumeMoments sum;
    if (facets_.empty()) return sum;
    // The plane relative to k: the same normal, D' = f(k).
    const Plane rel{p.A, p.B, p.C, p.plane_value(k_)};
    const double t = rel.D / ((p.A * p.A + p.B * p.B) + p.C * p.C);
    const Point3 q{-p.A * t, -p.B * t, -p.C * t};
    part(0, p, rel, q, crossing, sum);
    return sum;
}

VolumeMoments FacetTree::whole() const {
    VolumeMoments sum;
    if (nodes_.empty()) return sum;
    // At q = 0 (the apex at k): 6 V = S, 24 M = SM.
    const Node& n = nodes_[0];
    sum.volume = n.S / 6.0;
    sum.moment = {n.SM.x / 24.0, n.SM.y / 24.0, n.SM.z / 24.0};
    return sum;
}

}  // namespace voxel
