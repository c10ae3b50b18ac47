#include "model/body/body.h"

#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

#include "kernel/tolerances.h"
#include "model/body/ball.h"
#include "model/body/water_plane_search.h"

namespace voxel {

// The four plane values of t at p, each the double p.plane_value gives
// (((B y + A x) + C z) + D), how many of them are dry (f > 0), as the cut
// counts them, and the largest |A x| + |B y| + |C z| over the vertices.
struct PlaneValues {
    double f[4];
    int dry = 0;
    double scale = 0.0;
};

namespace {

PlaneValues plane_values(const TetraVertices& t, const Plane& p) {
    PlaneValues v;
    const Point3* q[4] = {&t.V0, &t.V1, &t.V2, &t.V3};
    for (int i = 0; i < 4; ++i) {
        const double ax = p.A * q[i]->x, by = p.B * q[i]->y, cz = p.C * q[i]->z;
        v.f[i] = ((by + ax) + cz) + p.D;
        v.dry += v.f[i] > 0.0 ? 1 : 0;
        // std::fmax, as a comparison the compiler keeps inline: the running
        // largest is never a number that is not one, so a term that is not
        // a number leaves it as fmax does, and both are +0 or more.
        const double s = std::fabs(ax) + std::fabs(by) + std::fabs(cz);
        v.scale = s > v.scale ? s : v.scale;
    }
    return v;
}

// Goes through group g at p: returns Dry or Submerged when the group's ball
// decides it (nothing visited); else computes each tetrahedron's plane
// values, passes a dry one (every f > 0, a part of exactly 0) over, calls
// whole(i, t) for one wholly submerged (every f <= 0, the whole tetrahedron as
// its cut gives it) and cut(i, t, values) for the others (i its index in
// the body), in order, and returns Cut. Without ball_first the ball is not
// asked (a caller whose box test could not decide the group).
template <class Whole, class Cut>
BallSide visit(const TetraVertices* tets, const BodyGroup& g, const Plane& p, double normal_length,
               Whole&& whole, Cut&& cut, bool ball_first = true) {
    if (ball_first) {
        const BallSide side = ball_side(p, normal_length, g.centre, g.reach);
        if (side != BallSide::Cut) return side;
    }
    for (std::size_t i = g.first; i < g.first + static_cast<std::size_t>(g.count); ++i) {
        const TetraVertices& t = tets[i];
        const PlaneValues v = plane_values(t, p);
        if (v.dry == 4) continue;
        if (v.dry == 0)
            whole(i, t);
        else
            cut(i, t, v);
    }
    return BallSide::Cut;
}

// The longest edge of t and (largest |coordinate| + longest edge) longest
// edge^2, each rounded up.
void tetrahedron_sizes(const TetraVertices& t, double& longest_edge, double& error_scale) {
    const Point3* v[4] = {&t.V0, &t.V1, &t.V2, &t.V3};
    double longest_squared = 0.0, largest = 0.0;
    for (int i = 0; i < 4; ++i) {
        largest = std::fmax(largest, std::fmax(std::fabs(v[i]->x),
                                               std::fmax(std::fabs(v[i]->y), std::fabs(v[i]->z))));
        for (int j = i + 1; j < 4; ++j) {
            const Point3 d = difference(*v[i], *v[j]);
            longest_squared = std::fmax(longest_squared, d.x * d.x + d.y * d.y + d.z * d.z);
        }
    }
    // The square root grows with its argument: this is the longest length().
    longest_edge = rounded_up(std::sqrt(longest_squared));
    error_scale = rounded_up((largest + longest_edge) * longest_edge * longest_edge);
}

// w times a bracket: a negative weight swaps its ends. Each product is
// rounded upwards with the exact one, so the bounds stay bounds.
VolumeBracket weighted(double w, const VolumeBracket& b) {
    if (w >= 0.0) return {w * b.lo, w * b.hi};
    return {w * b.hi, w * b.lo};
}

}  // namespace

VolumeBracket Body::tetrahedron_bracket(std::size_t i, const TetraVertices& t, const Plane& p,
                                        const PlaneValues& v, double normal_length) const {
    // Bounds on the double cut_volume_below_plane gives for t at p, from
    // cut_volume_bracket with the sizes of t and |A x| + |B y| + |C z| + |D|
    // at its vertices.
    double longest_edge, error_scale, full;
    if (sizes_.empty()) {
        tetrahedron_sizes(t, longest_edge, error_scale);
        full = t.full_volume();
    } else {
        longest_edge = sizes_[i].longest_edge;
        error_scale = sizes_[i].error_scale;
        full = sizes_[i].full_volume;
    }
    return cut_volume_bracket(t, p, v.f, full, normal_length, longest_edge, error_scale,
                              v.scale + std::fabs(p.D), crossing_);
}

double Body::full_volume(std::size_t i, const TetraVertices& t) const {
    return sizes_.empty() ? t.full_volume() : sizes_[i].full_volume;
}

double Body::group_volume(const BodyGroup& g, const Plane& p, double normal_length,
                          bool ball_first) const {
    if (g.mesh >= 0) return mesh(g).part_below(p, crossing_).volume;
    // A dry tetrahedron adds a volume of exactly 0, which leaves the sum as
    // it is (a sum that starts at +0 is never -0): it is passed over. A group
    // of one tetrahedron sums one term: 0 + v is v.
    double sum = 0.0;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&](std::size_t i, const TetraVertices& t) { sum = sum + full_volume(i, t); },
        [&](std::size_t, const TetraVertices& t, const PlaneValues& v) {
            sum = sum + cut_volume_below_plane(t, p, v.f, crossing_);
        },
        ball_first);
    if (side == BallSide::Dry) return 0.0;
    if (side == BallSide::Submerged) return g.whole.volume;
    return sum;
}

VolumeBracket Body::group_volume_bracket(const BodyGroup& g, const Plane& p, double normal_length,
                                         bool ball_first) const {
    if (g.mesh >= 0) {
        // Exact: the very double that group_volume gives.
        const double v = mesh(g).part_below(p, crossing_).volume;
        return {v, v};
    }
    // The group's volume is a sum in order, and a rounded sum grows with each
    // of its terms: the sum of the lower bounds in that order is a lower
    // bound of it, the sum of the upper ones an upper bound.
    double lo = 0.0, hi = 0.0;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&](std::size_t i, const TetraVertices& t) {
            const double v = full_volume(i, t);
            lo = lo + v;
            hi = hi + v;
        },
        [&](std::size_t i, const TetraVertices& t, const PlaneValues& v) {
            const VolumeBracket b = tetrahedron_bracket(i, t, p, v, normal_length);
            lo = lo + b.lo;
            hi = hi + b.hi;
        },
        ball_first);
    if (side == BallSide::Dry) return {0.0, 0.0};
    if (side == BallSide::Submerged) return {g.whole.volume, g.whole.volume};
    return {lo, hi};
}

SubmergedPart Body::group_part(const BodyGroup& g, const Plane& p, double normal_length) const {
    if (g.mesh >= 0) return mesh_part(g, p);
    // A dry tetrahedron adds exactly 0 to the volume and to the moments (its
    // centroid being finite), which leaves both as they are: passed over. A
    // group of one tetrahedron answers with its own cut.
    VolumeMoments sum;
    CutResult single;
    const BallSide side = visit(
        tets_.data(), g, p, normal_length,
        [&](std::size_t i, const TetraVertices& t) {
            if (g.single_tetrahedron)
                single = {0, full_volume(i, t), t.vertex_centroid()};
            else
                sum.add(full_volume(i, t), t.vertex_centroid());
        },
        [&](std::size_t, const TetraVertices& t, const PlaneValues& v) {
            const CutResult r = cut_below_plane(t, p, v.f, crossing_);
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
    const double w = g.weight;
    if (g.mesh >= 0) {
        // The mesh's part is one term of the sum.
        const SubmergedPart s = mesh_part(g, p);
        if (s.volume != 0.0) sum.add(w * s.volume, s.centroid);
        return;
    }
    // As group_part, each tetrahedron's part added to the body's one sum.
    auto whole = [&](const TetraVertices& t) { sum.add(w * t.full_volume(), t.vertex_centroid()); };
    const BallSide side = visit(tets_.data(), g, p, normal_length,
                                [&](std::size_t, const TetraVertices& t) { whole(t); },
                                [&](std::size_t, const TetraVertices& t, const PlaneValues& v) {
                                    const CutResult r = cut_below_plane(t, p, v.f, crossing_);
                                    sum.add(w * r.volume, r.centroid);
                                });
    if (side == BallSide::Submerged)
        for (int j = 0; j < g.count; ++j) whole(tets_[g.first + static_cast<std::size_t>(j)]);
}

void Body::add_flat_bracket(const BodyGroup& g, const Plane& p, double normal_length, double& lo,
                            double& hi) const {
    const double w = g.weight;
    if (g.mesh >= 0) {
        // The very term add_flat_part adds, twice.
        const SubmergedPart s = mesh_part(g, p);
        if (s.volume != 0.0) {
            lo = lo + w * s.volume;
            hi = hi + w * s.volume;
        }
        return;
    }
    auto add = [&](const VolumeBracket& b) {
        const VolumeBracket c = weighted(w, b);
        lo = lo + c.lo;
        hi = hi + c.hi;
    };
    auto whole = [&](const TetraVertices& t) {
        const double v = t.full_volume();
        add({v, v});
    };
    const BallSide side = visit(tets_.data(), g, p, normal_length,
                                [&](std::size_t, const TetraVertices& t) { whole(t); },
                                [&](std::size_t i, const TetraVertices& t, const PlaneValues& v) {
                                    add(tetrahedron_bracket(i, t, p, v, normal_length));
                                });
    if (side == BallSide::Submerged)
        for (int j = 0; j < g.count; ++j) whole(tets_[g.first + static_cast<std::size_t>(j)]);
}

template <class Walk>
VolumeBracket Body::bracket_over(const Plane& p, Walk&& walk) const {
    // A group passed over is dry, its bounds 0 and 0, which leave lo and hi
    // as they are; one taken whole has the bounds of a group whose ball
    // submerges it, its own term.
    const double n = p.normal_length();
    double lo = 0.0, hi = 0.0;
    walk(
        p,
        [&](std::size_t first, std::size_t end) {
            // (In locals, which the compiler keeps in registers.)
            double l = lo, h = hi;
            for (std::size_t i = first; i < end; ++i) {
                l += submerged_terms_[i];
                h += submerged_terms_[i];
            }
            lo = l;
            hi = h;
        },
        [&](std::size_t i) {
            const BodyGroup& g = groups_[i];
            // A group the boxes could not decide is seldom decided by its
            // ball, which holds its box; a surface's groups ask it as ever.
            const bool ball = g.source == SolidSource::SurfaceMesh;
            const VolumeBracket b = weighted(g.weight, group_volume_bracket(g, p, n, ball));
            lo += b.lo;
            hi += b.hi;
        });
    return {lo, hi};
}

SubmergedPart Body::mesh_part(const BodyGroup& g, const Plane& p) const {
    const FacetTree& tree = mesh(g);
    const VolumeMoments m = tree.part_below(p, crossing_);
    if (std::fabs(m.volume) < kNoVolume) return {m.volume, g.fallback};
    const Point3& k = tree.centre();
    return {
        m.volume,
        {k.x + m.moment.x / m.volume, k.y + m.moment.y / m.volume, k.z + m.moment.z / m.volume}};
}

VolumeBracket Body::volume_bracket(const Plane& p) const {
    // The volume is a sum in order, and a rounded sum grows with each of its
    // terms, as does a rounded product with a positive weight (a negative
    // one swaps the bounds): the bounds summed in that order bound it.
    if (summation_ == Summation::Flat) {
        const double n = p.normal_length();
        double lo = 0.0, hi = 0.0;
        for (const BodyGroup& g : groups_) add_flat_bracket(g, p, n, lo, hi);
        return {lo, hi};
    }
    return bracket_over(p, [this](const Plane& q, auto&& submerged, auto&& cut) {
        tree_.walk(q, submerged, cut);
    });
}

VolumeBracket Body::volume_bracket(const Plane& p, GroupFilter& filter) const {
    if (summation_ == Summation::Flat || !filter.usable(p)) {
        filter.decline();
        return volume_bracket(p);
    }
    return bracket_over(p, [this, &filter](const Plane& q, auto&& submerged, auto&& cut) {
        filter.walk(tree_, q, submerged, cut);
    });
}

template <class Walk>
double Body::volume_over(const Plane& p, Walk&& walk) const {
    // A dry group adds a volume of exactly 0 (the sum, started at +0, is
    // never -0): the groups passed over leave the sum as it is. A wholly
    // submerged group adds weight * whole.volume whether its ball or its
    // tetrahedra tell it, the in-order sum of its full volumes.
    const double n = p.normal_length();
    double sum = 0.0;
    walk(
        p,
        [&](std::size_t first, std::size_t end) {
            double s = sum;
            for (std::size_t i = first; i < end; ++i) s += submerged_terms_[i];
            sum = s;
        },
        [&](std::size_t i) {
            const BodyGroup& g = groups_[i];
            sum += g.weight * group_volume(g, p, n, g.source == SolidSource::SurfaceMesh);
        });
    return sum;
}

double Body::volume_below(const Plane& p) const {
    if (summation_ == Summation::Flat) {
        // One running sum over the tetrahedra: each group's terms go on the
        // body's sum in turn.
        const double n = p.normal_length();
        VolumeMoments all;
        for (const BodyGroup& g : groups_) add_flat_part(g, p, n, all);
        return all.volume;
    }
    return volume_over(p, [this](const Plane& q, auto&& submerged, auto&& cut) {
        tree_.walk(q, submerged, cut);
    });
}

double Body::volume_below(const Plane& p, GroupFilter& filter) const {
    if (summation_ == Summation::Flat || !filter.usable(p)) {
        filter.decline();
        return volume_below(p);
    }
    return volume_over(p, [this, &filter](const Plane& q, auto&& submerged, auto&& cut) {
        filter.walk(tree_, q, submerged, cut);
    });
}

SubmergedPart Body::part_below(const Plane& p) const {
    const double n = p.normal_length();
    VolumeMoments m;
    if (summation_ == Summation::Flat) {
        for (const BodyGroup& g : groups_) add_flat_part(g, p, n, m);
    } else {
        // A dry group adds a volume of 0 at a finite centroid, which leaves
        // the sums as they are; a wholly submerged one adds its whole part.
        tree_.walk(
            p,
            [&](std::size_t first, std::size_t end) {
                for (std::size_t i = first; i < end; ++i)
                    m.add(submerged_terms_[i], groups_[i].whole.centroid);
            },
            [&](std::size_t i) {
                const BodyGroup& g = groups_[i];
                const SubmergedPart s = group_part(g, p, n);
                m.add(g.weight * s.volume, s.centroid);
            });
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

// The ball of group g about the centre of the box of its tetrahedra, and
// what it gives wholly submerged, summed as a query sums them.
void complete_group(const LargeArray<TetraVertices>& tets, BodyGroup& g) {
    Box3 box;
    VolumeMoments whole;
    const std::size_t end = g.first + static_cast<std::size_t>(g.count);
    for (std::size_t i = g.first; i < end; ++i) {
        whole.add(tets[i].full_volume(), tets[i].vertex_centroid());
        box.fold(tets[i].bounds());
    }
    g.centre = {0.5 * (box.minx + box.maxx), 0.5 * (box.miny + box.maxy),
                0.5 * (box.minz + box.maxz)};
    double reach = 0.0;
    for (std::size_t i = g.first; i < end; ++i) {
        const TetraVertices& t = tets[i];
        for (const Point3* v : {&t.V0, &t.V1, &t.V2, &t.V3})
            reach = std::fmax(reach, length(difference(g.centre, *v)));
    }
    g.reach = rounded_up(reach);
    if (g.single_tetrahedron) {
        const TetraVertices& t = tets[g.first];
        g.whole = {t.full_volume(), t.vertex_centroid()};
    } else {
        g.whole = {whole.volume,
                   std::fabs(whole.volume) < kNoVolume ? g.fallback : whole.centroid()};
    }
}

}  // namespace

void BodyBuilder::reserve(std::size_t tetrahedra) {
    try {
        tets_.reserve(tetrahedra);
    } catch (const std::bad_alloc&) {
        // Too large a hint: the array grows as the solids come.
    } catch (const std::length_error&) {
    }
}

void BodyBuilder::close_group(std::size_t first, SolidSource source, const Point3& fallback,
                              double weight, const Box3& box) {
    const int count = static_cast<int>(tets_.size() - first);
    if (summation_ == Summation::Flat) {
        // The merged group is no longer one solid: it keeps the first
        // solid's source and fallback point, which a Flat sum never reads,
        // and its whole part is the sum over all its tetrahedra. (A surface
        // mesh is a group of its own, made by add_surface.)
        const bool surface = source == SolidSource::SurfaceMesh;
        if (!groups_.empty() && groups_.back().weight == weight &&
            (groups_.back().source == SolidSource::SurfaceMesh) == surface) {
            groups_.back().count += count;
            groups_.back().single_tetrahedron = false;
            return;
        }
    } else {
        boxes_[static_cast<int>(source)].push_back(box);
    }
    BodyGroup g;
    g.first = first;
    g.count = count;
    g.source = source;
    g.weight = weight;
    g.single_tetrahedron = source == SolidSource::Tetrahedron;
    g.fallback = fallback;
    groups_.push_back(g);
}

void BodyBuilder::add(const TetraVertices& t, double weight) {
    const std::size_t first = tets_.size();
    tets_.push_back(t);
    close_group(first, SolidSource::Tetrahedron, t.V0, weight, t.bounds());
}

void BodyBuilder::add(const Hexahedron& h, double weight) {
    const std::size_t first = tets_.size();
    for (int i = 0; i < 5; ++i) tets_.push_back(h.tetrahedron(i));
    close_group(first, SolidSource::Hexahedron, h.V[0], weight, h.bounds());
}

void BodyBuilder::add(const TrianglePrism& p, double weight) {
    const std::size_t first = tets_.size();
    for (int i = 0; i < 3; ++i) tets_.push_back(p.tetrahedron(i));
    close_group(first, SolidSource::Prism, p.V[0], weight, p.bounds());
}

void BodyBuilder::add(const Cylinder& c, double weight) {
    const std::size_t first = tets_.size();
    c.append_tetrahedra(tets_);
    // Cylinder::bounds() folds the boxes of these very tetrahedra.
    Box3 box;
    for (std::size_t i = first; i < tets_.size(); ++i) box.fold(tets_[i].bounds());
    close_group(first, SolidSource::Cylinder, c.P0, weight, box);
}

void BodyBuilder::add_body(const Body& other, double weight) {
    for (int i = 0; i < other.group_count(); ++i) {
        const BodyGroup& g = other.group(i);
        if (g.mesh >= 0) {
            meshes_.push_back(other.mesh(g));
            boxes_[static_cast<int>(SolidSource::SurfaceMesh)].push_back(meshes_.back().box());
            BodyGroup copy = g;
            copy.first = tets_.size();
            copy.weight = weight * g.weight;
            copy.mesh = static_cast<int>(meshes_.size() - 1);
            groups_.push_back(copy);
            continue;
        }
        const std::size_t first = tets_.size();
        Box3 box;
        const std::size_t end = g.first + static_cast<std::size_t>(g.count);
        for (std::size_t j = g.first; j < end; ++j) {
            tets_.push_back(other.tetrahedron(j));
            box.fold(tets_.back().bounds());
        }
        close_group(first, g.source, g.fallback, weight * g.weight, box);
        groups_.back().single_tetrahedron = g.single_tetrahedron;
    }
}

void BodyBuilder::add_surface(const std::vector<Point3>& vertices,
                              const std::vector<std::array<int, 3>>& facets, double weight) {
    if (facets.empty()) return;
    meshes_.emplace_back(vertices, facets);
    const FacetTree& tree = meshes_.back();
    if (summation_ == Summation::PerSolid)
        boxes_[static_cast<int>(SolidSource::SurfaceMesh)].push_back(tree.box());
    BodyGroup g;
    g.first = tets_.size();
    g.count = 0;
    g.source = SolidSource::SurfaceMesh;
    g.weight = weight;
    g.fallback = tree.centre();
    g.centre = tree.centre();
    const Box3& b = tree.box();
    g.reach = rounded_up(
        length(Point3{0.5 * (b.maxx - b.minx), 0.5 * (b.maxy - b.miny), 0.5 * (b.maxz - b.minz)}));
    const VolumeMoments whole = tree.whole();
    g.whole = {whole.volume, std::fabs(whole.volume) < kNoVolume
                                 ? g.fallback
                                 : Point3{g.centre.x + whole.moment.x / whole.volume,
                                          g.centre.y + whole.moment.y / whole.volume,
                                          g.centre.z + whole.moment.z / whole.volume}};
    g.mesh = static_cast<int>(meshes_.size() - 1);
    groups_.push_back(g);
}

Body BodyBuilder::build() {
    Body body(crossing_, summation_);
    tets_.shrink_to_fit();
    body.tets_ = std::move(tets_);
    body.groups_ = std::move(groups_);
    body.groups_.shrink_to_fit();
    body.meshes_ = std::move(meshes_);
    for (BodyGroup& g : body.groups_)
        if (g.mesh < 0) complete_group(body.tets_, g);
    if (summation_ == Summation::Flat) {
        for (const TetraVertices& t : body.tets_) body.box_.fold(t.bounds());
        // A mesh's box is that of its vertices, as its fan's boxes were.
        for (const FacetTree& m : body.meshes_) body.box_.fold(m.box());
    } else {
        for (SolidSource kind :
             {SolidSource::Tetrahedron, SolidSource::Hexahedron, SolidSource::Prism,
              SolidSource::Cylinder, SolidSource::SurfaceMesh})
            for (const Box3& b : boxes_[static_cast<int>(kind)]) body.box_.fold(b);
        // The tree over the groups' boxes; a surface's groups, and any group
        // without a finite box, are always visited group by group.
        std::vector<Box3> boxes;
        std::vector<char> opaque;
        boxes.reserve(body.groups_.size());
        opaque.reserve(body.groups_.size());
        body.submerged_terms_.reserve(body.groups_.size());
        for (const BodyGroup& g : body.groups_) {
            Box3 box;
            const std::size_t end = g.first + static_cast<std::size_t>(g.count);
            for (std::size_t i = g.first; i < end; ++i) box.fold(body.tets_[i].bounds());
            const bool finite = std::isfinite(box.minx) && std::isfinite(box.miny) &&
                                std::isfinite(box.minz) && std::isfinite(box.maxx) &&
                                std::isfinite(box.maxy) && std::isfinite(box.maxz);
            boxes.push_back(box);
            opaque.push_back(g.source == SolidSource::SurfaceMesh || g.count == 0 || !finite);
            body.submerged_terms_.push_back(g.weight * g.whole.volume);
        }
        body.tree_ = GroupTree(boxes, opaque);
        body.sizes_.reserve(body.tets_.size());
        for (const TetraVertices& t : body.tets_) {
            Body::Sizes s;
            tetrahedron_sizes(t, s.longest_edge, s.error_scale);
            s.full_volume = t.full_volume();
            body.sizes_.push_back(s);
        }
    }
    // Every vertex has f = z - (maxz + 1) < 0 at this plane.
    Plane above;
    above.set(0.0, 0.0, 1.0, -(body.box_.maxz + 1.0));
    body.total_volume_ = body.volume_below(above);
    *this = BodyBuilder(crossing_, summation_);
    return body;
}

}  // namespace voxel
