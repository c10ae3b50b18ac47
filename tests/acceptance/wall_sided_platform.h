// Closed-form hydrostatics of the four-column semi-submersible of the examples
// (examples/semisub and examples/semisub_symmetric) while its waterline stays
// on the columns' vertical walls.
//
// The platform: two pontoons 80 x 12 x 8 m (15360 m^3, centroid 4 m up), four
// columns on the axes (+-30, +-30) from z = 8 to 33, each the inscribed
// regular 30-gon of radius r = 6, and a deck box 72 x 72 x 6 on top.
//
// Wall-sided body: turned by phi about any horizontal axis through the centre
// of its waterplane it keeps its volume (the emerged and immersed wedges have
// the moments of the waterplane about that axis, which vanish), and its centre
// of buoyancy moves by BM tan(phi) across the axis and BM tan^2(phi) / 2 up,
// BM = I / V with I the waterplane's second moment about the axis. Hence the
// righting arm GZ = sin(phi) (GM + BM tan^2(phi) / 2), GM = KB + BM - KG; and
// with G off the centre line by e, rest where GZ = e cos(phi), that is
//   e = tan(phi) (GM + BM tan^2(phi) / 2),
// the heel being about the axis across the offset, the side of G going down.
//
// The waterplane: a 30-gon cut into 30 triangles of apex angle a = 2 pi / 30
// has area 15 r^2 sin a and polar moment 30 r^4 sin a (2 + cos a) / 12 (each
// triangle (O, P1, P2) gives its area / 6 x (|P1|^2 + |P2|^2 + P1.P2)); a regular
// polygon's second moment is the same about every axis through its centre, so
// I_own = 30 r^4 sin a (2 + cos a) / 24. About an axis of direction u through
// the origin the four column axes p add A sum (u x p)^2 = A (30^2 + 30^2) 2 =
// 3600 A for every u: I = 4 I_own + 3600 A, the same about every axis.
#pragma once

#include "kernel/point3.h"

namespace acceptance {

constexpr double kPontoonVolume = 2.0 * 80.0 * 12.0 * 8.0;  // m^3
constexpr double kPontoonTop = 8.0;                         // m
constexpr double kColumnTop = 33.0;                         // m
constexpr double kColumnRadius = 6.0;                       // m
constexpr double kColumnOffset = 30.0;                      // |x| and |y| of the column axes, m
constexpr double kDeckVolume = 72.0 * 72.0 * 6.0;           // m^3

struct WallSidedPlatform {
    double column_area = 0.0;             // A, m^2
    double total_volume = 0.0;            // pontoons, columns and deck, m^3
    double draft = 0.0;                   // upright draft d0 for the displacement V, m
    double KB = 0.0, BM = 0.0, GM = 0.0;  // m
    double tan_heel = 0.0;                // tan(phi) at rest (0 with G on the centre line)
    double ex = 0.0, ey = 0.0;            // unit horizontal direction from the centre line to G
};

// The platform for displacement V (m^3) and centre of gravity G (m).
WallSidedPlatform wall_sided_platform(double V, voxel::Point3 G);

// Largest tan(phi) for which the waterline stays on the columns' walls when the
// platform is turned about an axis across the unit direction (ux, uy): the
// column rim farthest from the axis lies 30 (|ux| + |uy|) + r from it.
double largest_wall_sided_tan(const WallSidedPlatform& w, double ux, double uy);

}  // namespace acceptance
