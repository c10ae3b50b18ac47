#include "apps/hydrostatic_curves/midship_section.h"

#include <vector>

#include "kernel/polygon2.h"
#include "kernel/section_polygon.h"

namespace voxel {

namespace {

constexpr double kMinPieceVolume = 1e-15;  // m^3
constexpr double kMidshipMargin = 10.0;    // m fore and aft of the midship station

void append_pieces(TetraList& list, const TetraVertices& t, const Plane& p,
                   CrossingTolerance tolerance) {
    const SubmergedPieces pieces = clip_below_plane(t, p, tolerance);
    for (int k = 0; k < pieces.count; ++k) {
        if (pieces.piece[k].full_volume() >= kMinPieceVolume) list.append(pieces.piece[k]);
    }
}

}  // namespace

SubmergedPieces clip_below_plane(const TetraVertices& t, const Plane& p,
                                 CrossingTolerance tolerance) {
    return split_below_plane(t, p, tolerance);
}

MidshipSection midship_section(const ShipModel& ship, double T) {
    // The kept side of each plane is f <= 0.
    const Plane planes[6] = {
        {-1.0, 0.0, 0.0, 0.5 * ship.Lpp - kMidshipMargin},    // x >= Lpp/2 - 10
        {1.0, 0.0, 0.0, -(0.5 * ship.Lpp + kMidshipMargin)},  // x <= Lpp/2 + 10
        {0.0, -1.0, 0.0, -0.5 * ship.B},                      // y >= -B/2
        {0.0, 1.0, 0.0, -0.5 * ship.B},                       // y <= B/2
        {0.0, 0.0, -1.0, 0.0},                                // z >= 0
        {0.0, 0.0, 1.0, -T},                                  // z <= T
    };
    TetraList list;
    for (const Tetrahedron& t : ship.tetrahedra) append_pieces(list, t, planes[0], ship.crossing);
    for (int pass = 1; pass < 6; ++pass) {
        // Only the pieces of the previous pass are clipped; new pieces go to
        // the tail behind them.
        const int m = list.count();
        for (int k = 0; k < m; ++k) {
            const TetraList::Node node = list.begin();
            const TetraVertices t = *node;
            list.remove(node);
            append_pieces(list, t, planes[pass], ship.crossing);
        }
    }
    const std::vector<TetraVertices> clipped(list.begin(), list.end());

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

}  // namespace voxel
