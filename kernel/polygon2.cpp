#include "kernel/polygon2.h"

#include <cmath>

namespace voxel {

void Triangle2::set(double px1, double py1, double px2, double py2, double px3, double py3) {
    x1 = px1;
    y1 = py1;
    x2 = px2;
    y2 = py2;
    x3 = px3;
    y3 = py3;
    // Half the absolute cross product of two edges.
    area = std::fabs(x2 * y3 + x1 * y2 + y1 * x3 - y1 * x2 - y2 * x3 - x1 * y3) * 0.5;
    cx = (x2 + x1 + x3) / 3.0;
    cy = (y2 + y1 + y3) / 3.0;
    // Over a triangle, int y^2 dA = (A / 6) (y1^2 + y2^2 + y3^2 + y1 y2 + y1 y3 + y2 y3),
    // and (1/12) times the signed double area is that A / 6. Moving the axis to
    // the centroid subtracts cy^2 A (parallel axes).
    const double sy = y2 * y2 + y1 * y1 + y3 * y3 + y1 * y2 + y1 * y3 + y2 * y3;
    const double wy = x2 * (y1 - y3) + x1 * (y3 - y2) + x3 * (y2 - y1);
    Ixx = std::fabs(sy * kOneTwelfth * wy) - cy * (cy * area);
    const double sx = x2 * x2 + x1 * x1 + x3 * x3 + x1 * x2 + x1 * x3 + x2 * x3;
    const double wx = y2 * (x1 - x3) + y1 * (x3 - x2) + y3 * (x2 - x1);
    Iyy = std::fabs(sx * kOneTwelfth * wx) - cx * (cx * area);
}

void Polygon2::set(int n, const Point2* pts) {
    count_ = n > 0 ? n : 0;
    // The fan from point 0 covers a convex polygon once. Each triangle's
    // moments are carried to the origin axes (parallel axes) and summed, and
    // the sums are carried back to the polygon's centroid at the end.
    double a = 0.0, Sx = 0.0, Sy = 0.0, Jxx = 0.0, Jyy = 0.0;
    for (int k = 2; k < n; ++k) {
        Triangle2 t;
        t.set(pts[k].x, pts[k].y, pts[k - 1].x, pts[k - 1].y, pts[0].x, pts[0].y);
        a += t.area;
        Sx += t.area * t.cx;
        Sy += t.area * t.cy;
        Jxx += t.Ixx + t.cy * (t.area * t.cy);
        Jyy += t.Iyy + t.cx * (t.area * t.cx);
    }
    area = a;
    if (a < 1e-15) {
        // A degenerate polygon: no moments, the mean of its points as centre.
        double mx = 0.0, my = 0.0;
        for (int k = 0; k < n; ++k) {
            mx += pts[k].x;
            my += pts[k].y;
        }
        cx = mx / n;
        cy = my / n;
        Ixx = 0.0;
        Iyy = 0.0;
        return;
    }
    cx = Sx / a;
    cy = Sy / a;
    Ixx = Jxx - cy * (cy * a);
    Iyy = Jyy - cx * a * cx;
}

}  // namespace voxel
