#include "kernel/clip_segment.h"

#include <cmath>

namespace voxel {

// The segment is P(t) = P0 + t (P1 - P0), 0 <= t <= 1. Each edge of the
// rectangle is a condition p t <= q: for the left edge x >= xmin it reads
// -dx t <= x0 - xmin, for the right edge dx t <= xmax - x0, and alike in y.
// Where p < 0 the line enters the half-plane at t = q / p (raise t0), where
// p > 0 it leaves it (lower t1); p = 0 is a line parallel to the edge, kept
// whole when q >= 0 and dropped otherwise.
bool clip_segment(const Segment2& s, double xmin, double xmax, double ymin, double ymax,
                  Segment2& inside) {
    if (!(std::isfinite(s.x0) && std::isfinite(s.y0) && std::isfinite(s.x1) && std::isfinite(s.y1)))
        return false;
    const double dx = s.x1 - s.x0;
    const double dy = s.y1 - s.y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x0 - xmin, xmax - s.x0, s.y0 - ymin, ymax - s.y0};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t0) t0 = t;
        } else {
            if (t < t1) t1 = t;
        }
    }
    if (t0 > t1) return false;
    inside = {s.x0 + t0 * dx, s.y0 + t0 * dy, s.x0 + t1 * dx, s.y0 + t1 * dy};
    return true;
}

}  // namespace voxel
