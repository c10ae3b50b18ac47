#include "model/hydrostatics/midship_section.h"

#include <cmath>
#include <vector>

#include "kernel/polygon2.h"
#include "kernel/section_polygon.h"

namespace voxel {

namespace {

constexpr double kMinPieceVolume = 1e-15;  // m^3
constexpr double kMidshipMargin = 10.0;    // m fore and aft of the midship station

// Appends the pieces of t below p, in table order, but those of volume below
// kMinPieceVolume.
void append_pieces(std::vector<TetraVertices>& list, const TetraVertices& t, const Plane& p,
                   CrossingTolerance tolerance) {
    const SubmergedPieces pieces = clip_below_plane(t, p, tolerance);
    for (int k = 0; k < pieces.count; ++k) {
        if (pieces.piece[k].full_volume() >= kMinPieceVolume) list.push_back(pieces.piece[k]);
    }
}

// The kept side of each plane is f <= 0.
Plane clipping_plane(const ShipModel& ship, int pass, double T) {
    switch (pass) {
        case 0:
            return {-1.0, 0.0, 0.0, 0.5 * ship.Lpp - kMidshipMargin};  // x >= Lpp/2 - 10
        case 1:
            return {1.0, 0.0, 0.0, -(0.5 * ship.Lpp + kMidshipMargin)};  // x <= Lpp/2 + 10
        case 2:
            return {0.0, -1.0, 0.0, -0.5 * ship.B};  // y >= -B/2
        case 3:
            return {0.0, 1.0, 0.0, -0.5 * ship.B};  // y <= B/2
        case 4:
            return {0.0, 0.0, -1.0, 0.0};  // z >= 0
        default:
            return {0.0, 0.0, 1.0, -T};  // z <= T
    }
}

}  // namespace

SubmergedPieces clip_below_plane(const TetraVertices& t, const Plane& p,
                                 CrossingTolerance tolerance) {
    return split_below_plane(t, p, tolerance);
}

std::vector<TetraVertices> midship_slab(const ShipModel& ship, bool near_only) {
    std::vector<TetraVertices> list, next;
    for (const TetraVertices& t : ship.tetrahedra)
        if (!near_only || may_reach_midship(t, ship))
            append_pieces(list, t, clipping_plane(ship, 0, 0.0), ship.crossing);
    for (int pass = 1; pass < 5; ++pass) {
        // Each pass clips the pieces of the one before, in their order.
        next.clear();
        for (const TetraVertices& t : list)
            append_pieces(next, t, clipping_plane(ship, pass, 0.0), ship.crossing);
        list.swap(next);
    }
    return list;
}

bool may_reach_midship(const TetraVertices& piece, const ShipModel& ship) {
    const Box3 b = piece.bounds();
    const double c = 0.5 * ship.Lpp;
    const double margin = 1e-12 * (1.0 + std::fabs(c) + (b.maxx - b.minx));
    return b.minx <= c + margin && b.maxx >= c - margin;
}

MidshipSection midship_section_of(const std::vector<TetraVertices>& slab, const ShipModel& ship,
                                  double T) {
    const Plane draft = clipping_plane(ship, 5, T);
    std::vector<TetraVertices> clipped;
    for (const TetraVertices& t : slab) append_pieces(clipped, t, draft, ship.crossing);

    const Plane section{1.0, 0.0, 0.0, -0.5 * ship.Lpp};
    MidshipSection out;
    double miny = 0.0, maxy = 0.0;
    for (const TetraVertices& t : clipped) {
        SectionPolygon s;
        if (!section_polygon(t, section, s)) continue;
        if (face_on_plane_from_below(t, section)) continue;
        // The section's own plane system: the ship's y across, z up.
        Point2 pts[4];
        for (int k = 0; k < s.count; ++k) pts[k] = {s.point[k].y, s.point[k].z};
        Polygon2 poly;
        poly.set(s.count, pts);
        out.Am += poly.area;
        if (out.polygons == 0) miny = maxy = pts[0].x;
        for (int k = 0; k < s.count; ++k) {
            if (pts[k].x > maxy) maxy = pts[k].x;
            if (pts[k].x < miny) miny = pts[k].x;
        }
        ++out.polygons;
    }
    out.Bm = maxy - miny;
    return out;
}

MidshipSection midship_section(const ShipModel& ship, double T) {
    return midship_section_of(midship_slab(ship), ship, T);
}

}  // namespace voxel
