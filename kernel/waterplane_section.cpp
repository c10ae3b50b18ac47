#include "kernel/waterplane_section.h"

namespace voxel {

void SectionSums::add_polygon(int n, const Point2* pts, double weight, bool outline) {
    // The sections tile the plane's section. Each polygon's first moments and
    // its centroidal second moments carried to the axes u = 0, v = 0
    // (parallel axes) are summed; result() carries the totals back to the
    // centroid.
    Polygon2 poly;
    poly.set(n, pts);
    // A weight w multiplies each term; w = 1 leaves every double as it is.
    const double area = weight * poly.area;
    Aw_ += area;
    Sx_ += area * poly.cx;
    Sy_ += area * poly.cy;
    Jy_ += weight * poly.Ixx + area * (poly.cy * poly.cy);
    Jx_ += weight * poly.Iyy + area * (poly.cx * poly.cx);
    ++polygons_;
    if (!(weight > 0.0) || !outline) return;
    for (int k = 0; k < n; ++k) extend(pts[k]);
}

void SectionSums::extend(const Point2& q) {
    if (!has_extent_) {
        minx_ = maxx_ = q.x;
        miny_ = maxy_ = q.y;
        has_extent_ = true;
        return;
    }
    if (q.x > maxx_) maxx_ = q.x;
    if (q.x < minx_) minx_ = q.x;
    if (q.y > maxy_) maxy_ = q.y;
    if (q.y < miny_) miny_ = q.y;
}

WaterplaneProps SectionSums::result() const {
    WaterplaneProps w;
    w.Aw = Aw_;
    w.xf = Sx_ / Aw_;
    w.yf = Sy_ / Aw_;
    w.IT = Jy_ - Aw_ * (w.yf * w.yf);
    w.IL = Jx_ - Aw_ * (w.xf * w.xf);
    w.breadth = maxy_ - miny_;
    w.length = maxx_ - minx_;
    w.polygons = polygons_;
    return w;
}

}  // namespace voxel
