#include "kernel/waterplane_section.h"

namespace voxel {

void SectionSums::add_polygon(int n, const Point2* pts) {
    // The sections tile the plane's section. Each polygon's first moments and
    // its centroidal second moments carried to the axes u = 0, v = 0
    // (parallel axes) are summed; result() carries the totals back to the
    // centroid.
    Polygon2 poly;
    poly.set(n, pts);
    Aw_ += poly.area;
    Sx_ += poly.area * poly.cx;
    Sy_ += poly.area * poly.cy;
    Jy_ += poly.Ixx + poly.area * (poly.cy * poly.cy);
    Jx_ += poly.Iyy + poly.area * (poly.cx * poly.cx);
    if (polygons_ == 0) {
        minx_ = maxx_ = pts[0].x;
        miny_ = maxy_ = pts[0].y;
    }
    for (int k = 0; k < n; ++k) {
        if (pts[k].x > maxx_) maxx_ = pts[k].x;
        if (pts[k].x < minx_) minx_ = pts[k].x;
        if (pts[k].y > maxy_) maxy_ = pts[k].y;
        if (pts[k].y < miny_) miny_ = pts[k].y;
    }
    ++polygons_;
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
