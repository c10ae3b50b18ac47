#include "kernel/prepared_solid.h"

#include <cmath>

#include "kernel/volume_moments.h"

namespace voxel {

namespace {

// A distance rounded up by far more than its rounding, so that a ball of
// this reach surely holds the points it was measured to.
double rounded_up(double distance) {
    return distance * (1.0 + 1e-9);
}

PreparedTetrahedron prepare(const TetraVertices& t) {
    PreparedTetrahedron p;
    p.v = t;
    p.volume = t.full_volume();
    p.centroid = t.vertex_centroid();
    double reach = 0.0, largest = 0.0, edge = 0.0;
    const Point3* v[4] = {&t.V0, &t.V1, &t.V2, &t.V3};
    for (int i = 0; i < 4; ++i) {
        reach = std::fmax(reach, length(difference(p.centroid, *v[i])));
        largest = std::fmax(largest, std::fmax(std::fabs(v[i]->x),
                                               std::fmax(std::fabs(v[i]->y), std::fabs(v[i]->z))));
        for (int j = i + 1; j < 4; ++j) edge = std::fmax(edge, length(difference(*v[i], *v[j])));
    }
    p.reach = rounded_up(reach);
    p.longest_edge = rounded_up(edge);
    p.error_scale = rounded_up((largest + p.longest_edge) * p.longest_edge * p.longest_edge);
    return p;
}

// The rounding margin of ball_side for a ball whose |A| (|x| + r) + |B|
// (|y| + r) + |C| (|z| + r) is `scale`.
double ball_margin(double normal_length, double reach, double scale, double D) {
    return normal_length * reach + 1e-12 * (scale + std::fabs(D)) + 1e-300;
}

double ball_scale(const Plane& p, const Point3& centre, double reach) {
    return std::fabs(p.A) * (std::fabs(centre.x) + reach) +
           std::fabs(p.B) * (std::fabs(centre.y) + reach) +
           std::fabs(p.C) * (std::fabs(centre.z) + reach);
}

BallSide side_of(double f, double margin) {
    if (f > margin) return BallSide::Dry;
    if (f < -margin) return BallSide::Submerged;
    return BallSide::Cut;
}

// s = (B y + A x) + C z: plane_value less its D.
double normal_sum(const Plane& p, const Point3& q) {
    return (p.B * q.y + p.A * q.x) + p.C * q.z;
}

// On which side of p the ball (centre, reach) lies, decided from the plane
// value at its centre with a margin that covers the rounding of every plane
// value inside it: Dry means every point's computed value is > 0,
// Submerged every one <= 0; Cut when the margin cannot tell. normal_length
// is |(A, B, C)|.
BallSide ball_side(const Plane& p, double normal_length, const Point3& centre, double reach) {
    // Every plane value is ((B y + A x) + C z) + D in doubles, off from the
    // exact value by a few units of the last place of |A x| + |B y| + |C z|
    // + |D|, which for any point of the ball is at most `scale`. A vertex's
    // exact value differs from the centre's by at most |n| * reach. The
    // factor 1e-12 leaves a thousandfold room over both roundings.
    return side_of(p.plane_value(centre),
                   ball_margin(normal_length, reach, ball_scale(p, centre, reach), p.D));
}

}  // namespace

NormalSums::NormalSums(const PreparedSolids& solids, const Plane& normal)
    : normal_(normal),
      normal_length_(std::sqrt(normal.A * normal.A + normal.B * normal.B + normal.C * normal.C)) {
    const std::size_t n = solids.tets_.size();
    vertex_.reserve(4 * n);
    tet_centre_.reserve(n);
    tet_scale_.reserve(n);
    solid_centre_.reserve(solids.solids_.size());
    solid_scale_.reserve(solids.solids_.size());
    for (const PreparedTetrahedron& t : solids.tets_) {
        for (const Point3* v : {&t.v.V0, &t.v.V1, &t.v.V2, &t.v.V3})
            vertex_.push_back(normal_sum(normal, *v));
        tet_centre_.push_back(normal_sum(normal, t.centroid));
        tet_scale_.push_back(ball_scale(normal, t.centroid, t.reach));
    }
    for (const PreparedSolid& s : solids.solids_) {
        solid_centre_.push_back(normal_sum(normal, s.centre));
        solid_scale_.push_back(ball_scale(normal, s.centre, s.reach));
    }
}

void PreparedSolids::add_solid(const Tetrahedron* tets, int count, bool single,
                               const Point3& fallback) {
    PreparedSolid s;
    s.first = static_cast<int>(tets_.size());
    s.count = count;
    s.single_tetrahedron = single;
    s.fallback = fallback;
    Box3 box;
    VolumeMoments whole;
    for (int i = 0; i < count; ++i) {
        const PreparedTetrahedron t = prepare(tets[i]);
        tets_.push_back(t);
        whole.add(t.volume, t.centroid);
        box.fold(tets[i].bounds());
    }
    s.centre = {0.5 * (box.minx + box.maxx), 0.5 * (box.miny + box.maxy),
                0.5 * (box.minz + box.maxz)};
    double reach = 0.0;
    for (int i = 0; i < count; ++i) {
        const TetraVertices& t = tets[i];
        for (const Point3* v : {&t.V0, &t.V1, &t.V2, &t.V3})
            reach = std::fmax(reach, length(difference(s.centre, *v)));
    }
    s.reach = rounded_up(reach);
    // Wholly submerged: every tetrahedron whole, summed as a query sums them.
    if (single)
        s.whole = {tets_[static_cast<std::size_t>(s.first)].volume,
                   tets_[static_cast<std::size_t>(s.first)].centroid};
    else
        s.whole = {whole.volume, std::fabs(whole.volume) < 1e-20 ? fallback : whole.centroid()};
    solids_.push_back(s);
}

void PreparedSolids::reserve(std::size_t solids, std::size_t tetrahedra) {
    solids_.reserve(solids);
    tets_.reserve(tetrahedra);
}

void PreparedSolids::add(const Tetrahedron& t) {
    add_solid(&t, 1, true, t.V0);
}

void PreparedSolids::add(const Hexahedron& h) {
    Tetrahedron tets[5];
    h.decompose(tets, 5);
    add_solid(tets, 5, false, h.V[0]);
}

void PreparedSolids::add(const TrianglePrism& s) {
    Tetrahedron tets[3];
    s.decompose(tets, 3);
    add_solid(tets, 3, false, s.V[0]);
}

void PreparedSolids::add(const Cylinder& c) {
    Cylinder copy = c;
    const int count = 3 * c.n > 0 ? 3 * c.n : 0;
    std::vector<Tetrahedron> tets(static_cast<std::size_t>(count));
    copy.decompose(tets.data(), count);
    add_solid(tets.data(), count, false, c.P0);
}

template <class Whole, class Cut>
BallSide PreparedSolids::visit(int i, const Plane& p, double normal_length, Whole&& whole,
                               Cut&& cut) const {
    const PreparedSolid& s = solids_[static_cast<std::size_t>(i)];
    const BallSide solid_side = ball_side(p, normal_length, s.centre, s.reach);
    if (solid_side != BallSide::Cut) return solid_side;
    const PreparedTetrahedron* t = tets_.data() + s.first;
    for (int j = 0; j < s.count; ++j, ++t) {
        const BallSide side = s.single_tetrahedron
                                  ? BallSide::Cut
                                  : ball_side(p, normal_length, t->centroid, t->reach);
        if (side == BallSide::Dry) continue;
        if (side == BallSide::Submerged)
            whole(*t);
        else
            cut(*t);
    }
    return BallSide::Cut;
}

double PreparedSolids::volume(int i, const Plane& p, double normal_length,
                              CrossingTolerance tolerance) const {
    // A dry tetrahedron adds a volume of exactly 0, which leaves the sum as
    // it is (a sum that starts at +0 is never -0): it is passed over. A solid
    // of one tetrahedron sums one term: 0 + v is v.
    double sum = 0.0;
    const BallSide side = visit(
        i, p, normal_length, [&sum](const PreparedTetrahedron& t) { sum = sum + t.volume; },
        [&](const PreparedTetrahedron& t) {
            sum = sum + cut_volume_below_plane(t.v, p, tolerance);
        });
    if (side == BallSide::Dry) return 0.0;
    if (side == BallSide::Submerged) return solids_[static_cast<std::size_t>(i)].whole.volume;
    return sum;
}

template <class Whole, class Cut>
BallSide PreparedSolids::visit(int i, const NormalSums& sums, double D, Whole&& whole,
                               Cut&& cut) const {
    const std::size_t si = static_cast<std::size_t>(i);
    const PreparedSolid& s = solids_[si];
    const double nlen = sums.normal_length_;
    const BallSide solid_side =
        side_of(sums.solid_centre_[si] + D, ball_margin(nlen, s.reach, sums.solid_scale_[si], D));
    if (solid_side != BallSide::Cut) return solid_side;
    Plane p = sums.normal_;
    p.D = D;
    for (int j = 0; j < s.count; ++j) {
        const std::size_t ti = static_cast<std::size_t>(s.first + j);
        const PreparedTetrahedron& t = tets_[ti];
        const BallSide side = s.single_tetrahedron
                                  ? BallSide::Cut
                                  : side_of(sums.tet_centre_[ti] + D,
                                            ball_margin(nlen, t.reach, sums.tet_scale_[ti], D));
        if (side == BallSide::Dry) continue;
        if (side == BallSide::Submerged) {
            whole(t);
            continue;
        }
        const double* s4 = &sums.vertex_[4 * ti];
        const double f[4] = {s4[0] + D, s4[1] + D, s4[2] + D, s4[3] + D};
        cut(t, p, f, sums.tet_scale_[ti] + std::fabs(D));
    }
    return BallSide::Cut;
}

double PreparedSolids::volume(int i, const NormalSums& sums, double D,
                              CrossingTolerance tolerance) const {
    // As volume() above, with every plane value s + D. A solid of one
    // tetrahedron sums one term: 0 + v is v, volumes being never -0.
    double sum = 0.0;
    const BallSide side = visit(
        i, sums, D, [&sum](const PreparedTetrahedron& t) { sum = sum + t.volume; },
        [&](const PreparedTetrahedron& t, const Plane& p, const double* f, double) {
            sum = sum + cut_volume_below_plane(t.v, p, f, tolerance);
        });
    if (side == BallSide::Dry) return 0.0;
    if (side == BallSide::Submerged) return solids_[static_cast<std::size_t>(i)].whole.volume;
    return sum;
}

VolumeBracket PreparedSolids::volume_bracket(int i, const NormalSums& sums, double D,
                                             CrossingTolerance tolerance) const {
    // The solid's volume is a sum in order, and a rounded sum grows with each
    // of its terms: the sum of the lower bounds in that order is a lower
    // bound of it, the sum of the upper ones an upper bound.
    double lo = 0.0, hi = 0.0;
    const double nlen = sums.normal_length_;
    const BallSide side = visit(
        i, sums, D,
        [&](const PreparedTetrahedron& t) {
            lo = lo + t.volume;
            hi = hi + t.volume;
        },
        [&](const PreparedTetrahedron& t, const Plane& p, const double* f, double value_scale) {
            const VolumeBracket b = cut_volume_bracket(t.v, p, f, t.volume, nlen, t.longest_edge,
                                                       t.error_scale, value_scale, tolerance);
            lo = lo + b.lo;
            hi = hi + b.hi;
        });
    if (side == BallSide::Dry) return {0.0, 0.0};
    if (side == BallSide::Submerged) {
        const double v = solids_[static_cast<std::size_t>(i)].whole.volume;
        return {v, v};
    }
    return {lo, hi};
}

SubmergedPart PreparedSolids::part(int i, const Plane& p, double normal_length,
                                   CrossingTolerance tolerance) const {
    const PreparedSolid& s = solids_[static_cast<std::size_t>(i)];
    // A dry tetrahedron adds exactly 0 to the volume and to the moments (its
    // centroid being finite), which leaves both as they are: passed over. A
    // solid of one tetrahedron answers with its own cut.
    VolumeMoments sum;
    CutResult single;
    const BallSide side = visit(
        i, p, normal_length,
        [&sum](const PreparedTetrahedron& t) { sum.add(t.volume, t.centroid); },
        [&](const PreparedTetrahedron& t) {
            const CutResult r = cut_below_plane(t.v, p, tolerance);
            if (s.single_tetrahedron)
                single = r;
            else
                sum.add(r.volume, r.centroid);
        });
    if (side == BallSide::Dry) return {0.0, s.fallback};
    if (side == BallSide::Submerged) return s.whole;
    if (s.single_tetrahedron) return {single.volume, single.centroid};
    return {sum.volume, std::fabs(sum.volume) < 1e-20 ? s.fallback : sum.centroid()};
}

}  // namespace voxel
