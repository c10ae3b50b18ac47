#include "model/body/level_sweep.h"

#include <algorithm>
#include <cmath>

#include "kernel/section_polygon.h"
#include "kernel/tolerances.h"
#include "kernel/volume_moments.h"

namespace voxel {

namespace {

constexpr double kMidshipMargin = 10.0;  // m fore and aft of the midship station

// Appends the pieces of t below p, in table order, but those of volume below
// kNoPieceVolume.
void append_pieces(std::vector<WeightedPiece>& list, const TetraVertices& t, double weight,
                   bool surface, const Plane& p, CrossingTolerance tolerance) {
    const SubmergedPieces pieces = split_below_plane(t, p, tolerance);
    for (int k = 0; k < pieces.count; ++k) {
        if (pieces.piece[k].full_volume() >= kNoPieceVolume)
            list.push_back({pieces.piece[k], weight, surface});
    }
}

// The kept side of each plane is f <= 0.
Plane clipping_plane(const MidshipStation& s, int pass, double T) {
    switch (pass) {
        case 0:
            return {-1.0, 0.0, 0.0, s.x - kMidshipMargin};  // x >= Lpp/2 - 10
        case 1:
            return {1.0, 0.0, 0.0, -(s.x + kMidshipMargin)};  // x <= Lpp/2 + 10
        case 2:
            return {0.0, -1.0, 0.0, -s.half_breadth};  // y >= -B/2
        case 3:
            return {0.0, 1.0, 0.0, -s.half_breadth};  // y <= B/2
        case 4:
            return {0.0, 0.0, -1.0, 0.0};  // z >= 0
        default:
            return {0.0, 0.0, 1.0, -T};  // z <= T
    }
}

}  // namespace

std::vector<WeightedPiece> midship_slab(const Body& hull, const MidshipStation& station,
                                        bool near_only) {
    std::vector<WeightedPiece> list, next;
    const Plane first = clipping_plane(station, 0, 0.0);
    for (int g = 0; g < hull.group_count(); ++g) {
        const BodyGroup& group = hull.group(g);
        if (group.mesh >= 0) {
            // A surface mesh's fan from the apex q on the section plane
            // (facet_tree.h): only the facets that the plane crosses have a
            // tetrahedron (q, a, b, c) whose section is more than q.
            const FacetTree& tree = hull.mesh(group);
            const Plane section{1.0, 0.0, 0.0, -station.x};
            const Point3 q{station.x, tree.centre().y, tree.centre().z};
            tree.for_each_touching(section, [&](const Facet& f) {
                const bool da = section.plane_value(f.a) > 0.0, db = section.plane_value(f.b) > 0.0,
                           dc = section.plane_value(f.c) > 0.0;
                if (da == db && db == dc) return;
                const double sign = tree.orientation(f, q);
                if (sign == 0.0) return;
                append_pieces(list, TetraVertices{q, f.a, f.b, f.c}, sign * group.weight, true,
                              first, hull.crossing());
            });
            continue;
        }
        for (int j = 0; j < group.count; ++j) {
            const TetraVertices& t = hull.tetrahedron(group.first + static_cast<std::size_t>(j));
            if (!near_only || may_reach_midship(t, station))
                append_pieces(list, t, group.weight, false, first, hull.crossing());
        }
    }
    for (int pass = 1; pass < 5; ++pass) {
        // Each pass clips the pieces of the one before, in their order.
        next.clear();
        for (const WeightedPiece& p : list)
            append_pieces(next, p.piece, p.weight, p.surface, clipping_plane(station, pass, 0.0),
                          hull.crossing());
        list.swap(next);
    }
    return list;
}

bool may_reach_midship(const TetraVertices& piece, const MidshipStation& station) {
    const Box3 b = piece.bounds();
    const double c = station.x;
    const double margin = 1e-12 * (1.0 + std::fabs(c) + (b.maxx - b.minx));
    return b.minx <= c + margin && b.maxx >= c - margin;
}

MidshipSection midship_section_of(const std::vector<WeightedPiece>& slab,
                                  const MidshipStation& station, CrossingTolerance crossing,
                                  double T, const std::vector<Segment2>& contour) {
    const Plane draft = clipping_plane(station, 5, T);
    std::vector<WeightedPiece> clipped;
    for (const WeightedPiece& p : slab)
        append_pieces(clipped, p.piece, p.weight, p.surface, draft, crossing);

    // The section's own plane system: the ship's y across, z up.
    const Plane section{1.0, 0.0, 0.0, -station.x};
    SectionSums sums;
    for (const WeightedPiece& p : clipped)
        sums.add(
            p.piece, section,
            [](const Point3& q) {
                return Point2{q.y, q.z};
            },
            p.weight, !p.surface);
    for (const Segment2& s : contour) {
        Segment2 in;
        if (!clip_segment(s, -station.half_breadth, station.half_breadth, 0.0, T, in)) continue;
        sums.extend({in.x0, in.y0});
        sums.extend({in.x1, in.y1});
    }
    const WaterplaneProps w = sums.result();
    MidshipSection out;
    out.Am = w.Aw;
    out.Bm = w.length;
    out.polygons = w.polygons;
    return out;
}

LevelSweep::LevelSweep(const Body& hull, const MidshipStation& station)
    : hull_(hull), station_(station) {
    const std::size_t n = hull.tetrahedron_count();
    zmin_.reserve(n);
    zmax_.reserve(n);
    volume_.reserve(n);
    centroid_.reserve(n);
    for (int g = 0; g < hull.group_count(); ++g) {
        const BodyGroup& group = hull.group(g);
        for (int j = 0; j < group.count; ++j) {
            const TetraVertices& t = hull.tetrahedron(group.first + static_cast<std::size_t>(j));
            zmin_.push_back(std::min(std::min(t.V0.z, t.V1.z), std::min(t.V2.z, t.V3.z)));
            zmax_.push_back(std::max(std::max(t.V0.z, t.V1.z), std::max(t.V2.z, t.V3.z)));
            volume_.push_back(t.full_volume());
            centroid_.push_back(t.vertex_centroid());
        }
    }
    // A piece of the slab lies within its tetrahedron's x range but for the
    // rounding of the crossings, far below the margin of may_reach_midship:
    // a tetrahedron that cannot reach the section plane leaves no piece
    // that can, and is not clipped at all.
    for (const WeightedPiece& piece : midship_slab(hull, station, true))
        if (may_reach_midship(piece.piece, station)) midship_.push_back(piece);
    // The outline of every surface at the midship plane, segment by facet.
    const Plane section{1.0, 0.0, 0.0, -station.x};
    for (int g = 0; g < hull.group_count(); ++g) {
        const BodyGroup& group = hull.group(g);
        if (group.mesh < 0) continue;
        const FacetTree& tree = hull.mesh(group);
        tree.for_each_touching(section, [&](const Facet& f) {
            struct Points {
                Point2 q[6];
                int n = 0;
                void extend(const Point2& p) {
                    if (n < 6) q[n++] = p;
                }
            } points;
            add_facet_contour(
                TetraVertices{tree.centre(), f.a, f.b, f.c}, section,
                [](const Point3& q) {
                    return Point2{q.y, q.z};
                },
                points);
            // One point (a corner on the plane), two (the facet crosses it)
            // or three (it lies in it): the segments between them.
            for (int a = 0; a < points.n; ++a)
                for (int b = a + 1; b < points.n; ++b)
                    contour_.push_back(
                        {points.q[a].x, points.q[a].y, points.q[b].x, points.q[b].y});
            if (points.n == 1)
                contour_.push_back({points.q[0].x, points.q[0].y, points.q[0].x, points.q[0].y});
        });
    }
}

LevelSection LevelSweep::at(double T) const {
    const Plane plane{0.0, 0.0, 1.0, -T};  // z = T; z <= T is submerged
    VolumeMoments volume;
    SectionSums waterplane;
    auto xy = [](const Point3& q) { return Point2{q.x, q.y}; };
    for (int g = 0; g < hull_.group_count(); ++g) {
        const BodyGroup& group = hull_.group(g);
        const double w = group.weight;
        if (group.mesh >= 0) {
            // The mesh's part is one term of the sum, as Body::part_below
            // adds it; its section the signed triangles of the crossing
            // facets from the apex (kx, ky, T), its extents its contour.
            const FacetTree& tree = hull_.mesh(group);
            const VolumeMoments m = tree.part_below(plane, hull_.crossing());
            if (m.volume != 0.0) {
                const Point3& k = tree.centre();
                const Point3 c =
                    std::fabs(m.volume) < kNoVolume
                        ? group.fallback
                        : Point3{k.x + m.moment.x / m.volume, k.y + m.moment.y / m.volume,
                                 k.z + m.moment.z / m.volume};
                volume.add(w * m.volume, c);
            }
            add_surface_section(tree, plane, xy, w, waterplane, [&](const Facet& f) {
                add_facet_contour(TetraVertices{tree.centre(), f.a, f.b, f.c}, plane, xy,
                                  waterplane);
            });
            continue;
        }
        const std::size_t end = group.first + static_cast<std::size_t>(group.count);
        for (std::size_t i = group.first; i < end; ++i) {
            const double lo = zmin_[i], hi = zmax_[i];
            if (hi <= T) {
                volume.add(w * volume_[i], centroid_[i]);
            } else if (lo <= T) {
                const CutResult r = cut_below_plane(hull_.tetrahedron(i), plane, hull_.crossing());
                volume.add(w * r.volume, r.centroid);
            }
            const double margin = 1e-12 * (1.0 + std::fabs(T) + (hi - lo));
            if (lo <= T + margin && hi >= T - margin) {
                waterplane.add(hull_.tetrahedron(i), plane, xy, w, true);
            }
        }
    }
    LevelSection out;
    out.submerged = {volume.volume, volume.centroid()};
    out.waterplane = waterplane.result();
    out.midship = midship_section_of(midship_, station_, hull_.crossing(), T, contour_);
    return out;
}

}  // namespace voxel
