#include "wall_sided_platform.h"

#include <cmath>

#include "kernel/angles.h"

namespace acceptance {

WallSidedPlatform wall_sided_platform(double V, voxel::Point3 G) {
    const double pi = voxel::kPi, a = 2.0 * pi / 30.0, r = kColumnRadius;
    WallSidedPlatform w;
    w.column_area = 15.0 * r * r * std::sin(a);
    w.total_volume =
        kPontoonVolume + 4.0 * w.column_area * (kColumnTop - kPontoonTop) + kDeckVolume;
    const double own = 30.0 * r * r * r * r * std::sin(a) * (2.0 + std::cos(a)) / 24.0;
    const double I = 4.0 * own + 2.0 * 2.0 * kColumnOffset * kColumnOffset * w.column_area;
    // Volume above the pontoons: a wetted height h of the four columns.
    const double h = (V - kPontoonVolume) / (4.0 * w.column_area);
    w.draft = kPontoonTop + h;
    w.KB =
        (kPontoonVolume * 0.5 * kPontoonTop + 4.0 * w.column_area * h * (kPontoonTop + 0.5 * h)) /
        V;
    w.BM = I / V;
    w.GM = w.KB + w.BM - G.z;
    const double e = std::hypot(G.x, G.y);
    if (e == 0.0) return w;
    w.ex = G.x / e;
    w.ey = G.y / e;
    // t (GM + BM t^2 / 2) grows with t from 0 (GM > 0) and passes e below t = e / GM.
    double lo = 0.0, hi = e / w.GM;
    for (int i = 0; i < 200; ++i) {
        const double t = 0.5 * (lo + hi);
        if (t * (w.GM + 0.5 * w.BM * t * t) < e)
            lo = t;
        else
            hi = t;
    }
    w.tan_heel = 0.5 * (lo + hi);
    return w;
}

double largest_wall_sided_tan(const WallSidedPlatform& w, double ux, double uy) {
    const double reach = kColumnOffset * (std::fabs(ux) + std::fabs(uy)) + kColumnRadius;
    return std::fmin(w.draft - kPontoonTop, kColumnTop - w.draft) / reach;
}

}  // namespace acceptance
