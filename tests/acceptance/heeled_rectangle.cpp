#include "heeled_rectangle.h"

#include <algorithm>
#include <cmath>

namespace acceptance {

namespace {

double dot(Point2 a, Point2 b) {
    return a.y * b.y + a.z * b.z;
}

}  // namespace

ImmersedSection clip_rectangle(double B, double D, Point2 n, double c) {
    const double h = 0.5 * B;
    const Point2 corners[4] = {{-h, 0.0}, {h, 0.0}, {h, D}, {-h, D}};
    ImmersedSection s;
    s.c = c;
    // Walk the edges P -> Q: keep P when it is wet (n.P <= c) and add the
    // crossing point when the edge passes through the waterline; the crossing
    // lies at the fraction f(P) / (f(P) - f(Q)) of the edge, f = n.p - c.
    for (int i = 0; i < 4; ++i) {
        const Point2 P = corners[i];
        const Point2 Q = corners[(i + 1) % 4];
        const double fP = dot(n, P) - c;
        const double fQ = dot(n, Q) - c;
        if (fP <= 0.0) s.polygon.push_back(P);
        if ((fP < 0.0 && fQ > 0.0) || (fP > 0.0 && fQ < 0.0)) {
            const double u = fP / (fP - fQ);
            s.polygon.push_back({P.y + u * (Q.y - P.y), P.z + u * (Q.z - P.z)});
        }
    }
    // Shoelace: A = 1/2 sum(cross_i), centroid = sum((p_i + p_i+1) cross_i) / (6 A)
    // with cross_i = y_i z_i+1 - y_i+1 z_i over the closed polygon.
    double twice_area = 0.0, my = 0.0, mz = 0.0;
    const std::size_t m = s.polygon.size();
    for (std::size_t i = 0; i < m; ++i) {
        const Point2 p = s.polygon[i];
        const Point2 q = s.polygon[(i + 1) % m];
        const double cross = p.y * q.z - q.y * p.z;
        twice_area += cross;
        my += (p.y + q.y) * cross;
        mz += (p.z + q.z) * cross;
    }
    s.area = 0.5 * twice_area;
    if (s.area > 0.0) s.centroid = {my / (3.0 * twice_area), mz / (3.0 * twice_area)};
    return s;
}

ImmersedSection immersed_rectangle(double B, double D, Point2 n, double area) {
    const double h = 0.5 * B;
    const double levels[4] = {dot(n, {-h, 0.0}), dot(n, {h, 0.0}), dot(n, {h, D}), dot(n, {-h, D})};
    double lo = *std::min_element(levels, levels + 4);
    double hi = *std::max_element(levels, levels + 4);
    for (;;) {
        const double mid = 0.5 * (lo + hi);
        if (!(mid > lo && mid < hi)) break;
        if (clip_rectangle(B, D, n, mid).area < area)
            lo = mid;
        else
            hi = mid;
    }
    return clip_rectangle(B, D, n, hi);
}

double rectangle_righting_arm(double B, double D, double d, double zG, double theta, double sigma) {
    const Point2 n = {-sigma * std::sin(theta), std::cos(theta)};
    const ImmersedSection s = immersed_rectangle(B, D, n, B * d);
    // Buoyancy acts along n through the centroid, weight along -n through G.
    // With h = (sigma cos theta, sin theta), the horizontal of the heeled
    // section pointing to the immersed side, (centroid - G).h is the lever of
    // the couple; it is positive when the couple lifts the immersed side.
    const Point2 horizontal = {sigma * std::cos(theta), std::sin(theta)};
    const Point2 lever = {s.centroid.y - 0.0, s.centroid.z - zG};
    return dot(lever, horizontal);
}

}  // namespace acceptance
