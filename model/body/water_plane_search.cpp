#include "model/body/water_plane_search.h"

#include <cmath>

#include "kernel/tolerances.h"

namespace voxel {

WaterPlaneSearch::WaterPlaneSearch(const Body& body, double V, Point3 N, bool bounded)
    : body_(body), V_(V), try_bounds_(bounded && V > 1e-100) {
    const double len = std::sqrt(N.x * N.x + N.y * N.y + N.z * N.z);
    n_ = {N.x / len, N.y / len, N.z / len};
    const Box3& box = body.box();
    const Point3 corners[8] = {
        {box.minx, box.miny, box.minz}, {box.maxx, box.miny, box.minz},
        {box.maxx, box.maxy, box.minz}, {box.minx, box.maxy, box.minz},
        {box.minx, box.miny, box.maxz}, {box.maxx, box.miny, box.maxz},
        {box.maxx, box.maxy, box.maxz}, {box.minx, box.maxy, box.maxz},
    };
    // Lowest (L) and highest (H) corner along n; ties keep the earlier one.
    // The plane through L leaves the body dry, the one through H submerges it.
    L_ = H_ = corners[0];
    double hL = dot(n_, corners[0]), hH = hL;
    for (int i = 1; i < 8; ++i) {
        const double h = dot(n_, corners[i]);
        if (h < hL) {
            L_ = corners[i];
            hL = h;
        }
        if (h > hH) {
            H_ = corners[i];
            hH = h;
        }
    }
}

Plane WaterPlaneSearch::plane_through(const Point3& q) const {
    Plane p;
    p.set(n_.x, n_.y, n_.z, -(n_.x * q.x + n_.y * q.y + n_.z * q.z));
    return p;
}

bool WaterPlaneSearch::still_far(double v) const {
    return std::fabs((v - V_) / V_) >= kWaterPlaneTolerance;
}

WaterPlaneSearch::Estimate WaterPlaneSearch::estimate(const Plane& p) {
    if (try_bounds_) {
        // The bounds are sums in the order of volume_below, and a rounded sum
        // grows with each term, so Vt lies between them.
        const VolumeBracket b = body_.volume_bracket(p, filter_);
        if (still_far(b.lo) && still_far(b.hi) &&
            ((b.lo > V_ && b.hi > V_) || (b.lo < V_ && b.hi < V_)))
            return {b.lo, false};  // on the side of V that Vt is on, and far from it
        try_bounds_ = false;
    }
    return {body_.volume_below(p, filter_), true};
}

void WaterPlaneSearch::bisect(const Estimate& at_t) {
    // The plane at t becomes the lower end of the bracket (every later
    // plane lies above it) or the upper one (every later plane below it).
    if ((at_t.value - V_) * (V_lo_ - V_) > 0) {
        lo_ = t_;
        V_lo_ = at_t.value;
        filter_.settle(false);
    } else {
        hi_ = t_;
        filter_.settle(true);
    }
    t_ = (hi_ + lo_) * 0.5;
    current_ = plane_through(
        {t_ * (H_.x - L_.x) + L_.x, t_ * (H_.y - L_.y) + L_.y, t_ * (H_.z - L_.z) + L_.z});
}

WaterPlane WaterPlaneSearch::run() {
    V_lo_ = body_.volume_below(plane_through(L_));
    current_ = plane_through({(H_.x + L_.x) * 0.5, (H_.y + L_.y) * 0.5, (H_.z + L_.z) * 0.5});
    Estimate Vt = estimate(current_);
    WaterPlane w;
    while (!Vt.exact || still_far(Vt.value)) {
        if (w.steps == kMaxBisections) {
            w.converged = false;
            if (!Vt.exact) Vt = {body_.volume_below(current_), true};
            break;
        }
        ++w.steps;
        bisect(Vt);
        Vt = estimate(current_);
    }
    w.plane = current_;
    w.volume_reached = Vt.value;
    w.B = body_.part_below(w.plane).centroid;
    return w;
}

}  // namespace voxel
