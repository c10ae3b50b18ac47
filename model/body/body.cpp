#include "model/body/body.h"

#include <cmath>
#include <utility>

#include "kernel/tolerances.h"
#include "model/body/ball.h"
#include "model/body/water_plane_search.h"

namespace voxel {

namespace {

// The four plane values of t at p, each the double p.plane_value gives, and
// how many of them are dry (f > 0), as the cut counts them.
struct PlaneValues {
    double f[4];
    int dry = 0;
};

PlaneValues plane_values(const TetraVertices& t, const Plane& p) {
    PlaneValues v{
        {p.plane_value(t.V0), p.plane_value(t.V1), p.plane_value(t.V2), p.plane_value(t.V3)}, 0};
    for (double f : v.f) v.dry += f > 0.0 ? 1 : 0;
    return v;
}

// Goes through group g at p: returns Dry or Submerged when the group's ball
// decides it (nothing visited); else computes each tetrahedron's plane
// values, passes a dry one (every f > 0, a part of exactly 0) over, calls
// whole(t) for one wholly submerged (every f <= 0, the whole tetrahedron as
// its cut gives it) and cut(t, f) for the others, in order, and returns Cut.
template <class Whole, class Cut>
BallSide visit(const TetraVertices* tets, const BodyGroup& g, const Plane& p, double normal_length,
               Whole&& whole, Cut&& cut) {
    const BallSide side = ball_side(p, normal_length, g.centre, g.reach);
    if (side != BallSide::Cut) return side;
    const TetraVertices* t = tets + g.first;
    for (int j = 0; j < g.count; ++j, ++t) {
        const PlaneValues v = plane_values(*t, p);
        if (v.dry == 4) continue;
        if (v.dry == 0)
            whole(*t);
        else
            cut(*t, v.f);
    }
    return BallSide::Cut;
}

// Bounds on the double cut_volume_below_plane gives for t at p (f its
// plane values), from cut_volume_bracket with the sizes of t made afresh:
// its longest edge and (largest |coordinate| + longest edge) longest edge^2,
// each rounded up, and |A x| + |B y| + |C z| + |D| at its vertices.
VolumeBracket tetrahedron_bracket(const TetraVertices& t, const Plane& p, const double f[4],
                                  double normal_length, CrossingTolerance crossing) {
    const Point3* v[4] = {&t.V0, &t.V1, &t.V2, &t.V3};
    double longest_squared = 0.0, largest = 0.0, values = 0.0;
    for (int i = 0; i < 4; ++i) {
        largest = std::fmax(largest, std::fmax(std::fabs(v[i]->x),
                                               std::fmax(std::fabs(v[i]->y), std::fabs(v[i]->z))));
        values = std::fmax(
            values, std::fabs(p.A * v[i]->x) + std::fabs(p.B * v[i]->y) + std::fabs(p.C * v[i]->z));
        for (int j = i + 1; j < 4; ++j) {
            const Point3 d = difference(*v[i], *v[j]);
            longest_squared = std::fmax(longest_squared, d.x * d.x + d.y * d.y + d.z * d.z);
        }
    }
    // The square root grows with its argument: this is the longest length().
    const double longest_edge = rounded_up(std::sqrt(longest_squared));
    const double error_scale = rounded_up((largest + longest_edge) * longest_edge * longest_edge);
    return cut_volume_bracket(t, p, f, t.full_volume(), normal_length, longest_edge, error_scale,
                              values + std::fabs(p.D), crossing);
}

// w times a bracket: a negative weight swaps its ends. Each product is
// rounded upwards with the exact one, so the bounds stay bounds.
VolumeBracket weighted(double w, const VolumeBracket& b) {
    if (w >= 0.0) return {w * b.lo, w * b.hi};
    return {w * b.hi, w * b.lo};
}

}  // namespace

double Body::group_volume(const BodyGroup& g, const Plane& p, double normal_length) const {
    // A dry tetrahedron adds a volume of exactly 0, which leaves the sum as
    // it is (a sum that starts at +0 is never -0): it is passed over. A group
    // of one tetrahedron sums one term: 0 + v is v.
    double sum = 0.0;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&sum](const TetraVertices& t) { sum = sum + t.full_volume(); },
        [&](const TetraVertices& t, const double* f) {
            sum = sum + cut_volume_below_plane(t, p, f, crossing_);
        });
    if (side == BallSide::Dry) return 0.0;
    if (side == BallSide::Submerged) return g.whole.volume;
    return sum;
}

VolumeBracket Body::group_volume_bracket(const BodyGroup& g, const Plane& p,
                                         double normal_length) const {
    // The group's volume is a sum in order, and a rounded sum grows with each
    // of its terms: the sum of the lower bounds in that order is a lower
    // bound of it, the sum of the upper ones an upper bound.
    double lo = 0.0, hi = 0.0;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&](const TetraVertices& t) {
            const double v = t.full_volume();
            lo = lo + v;
            hi = hi + v;
        },
        [&](const TetraVertices& t, const double* f) {
            const VolumeBracket b = tetrahedron_bracket(t, p, f, normal_length, crossing_);
            lo = lo + b.lo;
            hi = hi + b.hi;
        });
    if (side == BallSide::Dry) return {0.0, 0.0};
    if (side == BallSide::Submerged) return {g.whole.volume, g.whole.volume};
    return {lo, hi};
}

SubmergedPart Body::group_part(const BodyGroup& g, const Plane& p, double normal_length) const {
    // A dry tetrahedron adds exactly 0 to the volume and to the moments (its
    // centroid being finite), which leaves both as they are: passed over. A
    // group of one tetrahedron answers with its own cut.
    VolumeMoments sum;
    CutResult single;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&](const TetraVertices& t) {
            if (g.single_tetrahedron)
                single = {0, t.full_volume(), t.vertex_centroid()};
            else
                sum.add(t.full_volume(), t.vertex_centroid());
        },
        [&](const TetraVertices& t, const double* f) {
            const CutResult r = cut_below_plane(t, p, f, crossing_);
            if (g.single_tetrahedron)
                single = r;
            else
                sum.add(r.volume, r.centroid);
        });
    if (side == BallSide::Dry) return {0.0, g.fallback};
    if (side == BallSide::Submerged) return g.whole;
    if (g.single_tetrahedron) return {single.volume, single.centroid};
    return {sum.volume, std::fabs(sum.volume) < kNoVolume ? g.fallback : sum.centroid()};
}

void Body::add_flat_part(const BodyGroup& g, const Plane& p, double normal_length,
                         VolumeMoments& sum) const {
    // As group_part, each tetrahedron's part added to the body's one sum.
    const double w = g.weight;
    auto whole = [&](const TetraVertices& t) { sum.add(w * t.full_volume(), t.vertex_centroid()); };
    const BallSide side = visit(tets_.data(), g, p, normal_length, whole,
                                [&](const TetraVertices& t, const double* f) {
                                    const CutResult r = cut_below_plane(t, p, f, crossing_);
                                    sum.add(w * r.volume, r.centroid);
                                });
    if (side == BallSide::Submerged)
        for (int j = 0; j < g.count; ++j) whole(tets_[g.first + static_cast<std::size_t>(j)]);
}

void Body::add_flat_bracket(const BodyGroup& g, const Plane& p, double normal_length, double& lo,
                            double& hi) const {
    const double w = g.weight;
    auto add = [&](const VolumeBracket& b) {
        const VolumeBracket c = weighted(w, b);
        lo = lo + c.lo;
        hi = hi + c.hi;
    };
    auto whole = [&](const TetraVertices& t) {
        const double v = t.full_volume();
        add({v, v});
    };
    const BallSide side = visit(tets_.data(), g, p, normal_length, whole,
                                [&](const TetraVertices& t, const double* f) {
                                    add(tetrahedron_bracket(t, p, f, normal_length, crossing_));
                                });
    if (side == BallSide::Submerged)
        for (int j = 0; j < g.count; ++j) whole(tets_[g.first + static_cast<std::size_t>(j)]);
}

VolumeBracket Body::volume_bracket(const Plane& p) const {
    // The volume is a sum in order, and a rounded sum grows with each of its
    // terms, as does a rounded product with a positive weight (a negative
    // one swaps the bounds): the bounds summed in that order bound it.
    const double n = p.normal_length();
    double lo = 0.0, hi = 0.0;
    for (const BodyGroup& g : groups_) {
        if (summation_ == Summation::Flat) {
            add_flat_bracket(g, p, n, lo, hi);
            continue;
        }
        const VolumeBracket b = weighted(g.weight, group_volume_bracket(g, p, n));
        lo += b.lo;
        hi += b.hi;
    }
    return {lo, hi};
}

double Body::volume_below(const Plane& p) const {
    const double n = p.normal_length();
    if (summation_ == Summation::Flat) {
        // One running sum over the tetrahedra: each group's terms go on the
        // body's sum in turn.
        VolumeMoments all;
        for (const BodyGroup& g : groups_) add_flat_part(g, p, n, all);
        return all.volume;
    }
    double sum = 0.0;
    for (const BodyGroup& g : groups_) sum += g.weight * group_volume(g, p, n);
    return sum;
}

SubmergedPart Body::part_below(const Plane& p) const {
    const double n = p.normal_length();
    VolumeMoments m;
    if (summation_ == Summation::Flat) {
        for (const BodyGroup& g : groups_) add_flat_part(g, p, n, m);
    } else {
        for (const BodyGroup& g : groups_) {
            const SubmergedPart s = group_part(g, p, n);
            m.add(g.weight * s.volume, s.centroid);
        }
    }
    return {m.volume, m.centroid()};
}

WaterPlane Body::find_water_plane(double V, Point3 N) const {
    return WaterPlaneSearch(*this, V, N, true).run();
}

WaterPlane Body::find_water_plane_in_full(double V, Point3 N) const {
    return WaterPlaneSearch(*this, V, N, false).run();
}

WaterplaneProps Body::section(const Plane& p, const Point3& axis) const {
    Point3 u = axis;
    normalize(u);
    Point3 n{p.A, p.B, p.C};
    normalize(n);
    const Point3 v = cross(n, u);
    return section(p, [&u, &v](const Point3& q) { return Point2{dot(q, u), dot(q, v)}; });
}

namespace {

// The group record of `count` tetrahedra at tets[first..]: the ball about
// the centre of their box and what the group gives wholly submerged, summed
// as a query sums them.
BodyGroup make_group(const LargeArray<TetraVertices>& tets, std::size_t first, int count,
                     SolidSource source, const Point3& fallback, double weight) {
    const bool single = source == SolidSource::Tetrahedron;
    BodyGroup g;
    g.first = first;
    g.count = count;
    g.source = source;
    g.weight = weight;
    g.single_tetrahedron = single;
    g.fallback = fallback;
    Box3 box;
    VolumeMoments whole;
    for (int i = 0; i < count; ++i) {
        const TetraVertices& t = tets[first + static_cast<std::size_t>(i)];
        whole.add(t.full_volume(), t.vertex_centroid());
        box.fold(t.bounds());
    }
    g.centre = {0.5 * (box.minx + box.maxx), 0.5 * (box.miny + box.maxy),
                0.5 * (box.minz + box.maxz)};
    double reach = 0.0;
    for (int i = 0; i < count; ++i) {
        const TetraVertices& t = tets[first + static_cast<std::size_t>(i)];
        for (const Point3* v : {&t.V0, &t.V1, &t.V2, &t.V3})
            reach = std::fmax(reach, length(difference(g.centre, *v)));
    }
    g.reach = rounded_up(reach);
    if (single) {
        const TetraVertices& t = tets[first];
        g.whole = {t.full_volume(), t.vertex_centroid()};
    } else {
        g.whole = {whole.volume, std::fabs(whole.volume) < kNoVolume ? fallback : whole.centroid()};
    }
    return g;
}

}  // namespace

void BodyBuilder::add(const TetraVertices& t, double weight) {
    order_.push_back({Kind::Tetrahedron, tetrahedra_.size(), weight});
    tetrahedra_.push_back(t);
}

void BodyBuilder::add(const Hexahedron& h, double weight) {
    order_.push_back({Kind::Hexahedron, hexahedra_.size(), weight});
    hexahedra_.push_back(h);
}

void BodyBuilder::add(const TrianglePrism& p, double weight) {
    order_.push_back({Kind::Prism, prisms_.size(), weight});
    prisms_.push_back(p);
}

void BodyBuilder::add(const Cylinder& c, double weight) {
    order_.push_back({Kind::Cylinder, cylinders_.size(), weight});
    cylinders_.push_back(c);
}

Body BodyBuilder::build() {
    Body body(crossing_, summation_);
    std::size_t count = 0;
    for (const Source& s : order_) {
        switch (s.kind) {
            case Kind::Tetrahedron:
                count += 1;
                break;
            case Kind::Hexahedron:
                count += 5;
                break;
            case Kind::Prism:
                count += 3;
                break;
            case Kind::Cylinder:
                count += static_cast<std::size_t>(3 * cylinders_[s.index].sectors());
                break;
        }
    }
    body.tets_.reserve(count);
    body.groups_.reserve(order_.size());
    for (const Source& s : order_) {
        const std::size_t first = body.tets_.size();
        switch (s.kind) {
            case Kind::Tetrahedron: {
                const TetraVertices& t = tetrahedra_[s.index];
                body.tets_.push_back(t);
                body.groups_.push_back(make_group(body.tets_, first, 1, s.kind, t.V0, s.weight));
                break;
            }
            case Kind::Hexahedron: {
                const Hexahedron& h = hexahedra_[s.index];
                for (int i = 0; i < 5; ++i) body.tets_.push_back(h.tetrahedron(i));
                body.groups_.push_back(make_group(body.tets_, first, 5, s.kind, h.V[0], s.weight));
                break;
            }
            case Kind::Prism: {
                const TrianglePrism& p = prisms_[s.index];
                for (int i = 0; i < 3; ++i) body.tets_.push_back(p.tetrahedron(i));
                body.groups_.push_back(make_group(body.tets_, first, 3, s.kind, p.V[0], s.weight));
                break;
            }
            case Kind::Cylinder: {
                const Cylinder& c = cylinders_[s.index];
                c.append_tetrahedra(body.tets_);
                const int n = static_cast<int>(body.tets_.size() - first);
                body.groups_.push_back(make_group(body.tets_, first, n, s.kind, c.P0, s.weight));
                break;
            }
        }
    }
    if (summation_ == Summation::Flat) {
        for (const TetraVertices& t : body.tets_) body.box_.fold(t.bounds());
    } else {
        for (const TetraVertices& t : tetrahedra_) body.box_.fold(t.bounds());
        for (const Hexahedron& h : hexahedra_) body.box_.fold(h.bounds());
        for (const TrianglePrism& p : prisms_) body.box_.fold(p.bounds());
        for (const Cylinder& c : cylinders_) body.box_.fold(c.bounds());
    }
    // Every vertex has f = z - (maxz + 1) < 0 at this plane.
    Plane above;
    above.set(0.0, 0.0, 1.0, -(body.box_.maxz + 1.0));
    body.total_volume_ = body.volume_below(above);
    *this = BodyBuilder(crossing_, summation_);
    return body;
}

}  // namespace voxel
