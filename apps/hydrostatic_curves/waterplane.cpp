#include "apps/hydrostatic_curves/waterplane.h"

#include "apps/hydrostatic_curves/polygon2.h"
#include "apps/hydrostatic_curves/section_polygon.h"

namespace voxel {

WaterplaneProps waterplane_properties(const ShipModel& ship, const Plane& p) {
    // The sections tile the waterplane. Each polygon's first moments and its
    // centroidal second moments carried to the axes x = 0, y = 0 (parallel
    // axes) are summed; the totals are carried back to the centre of
    // flotation at the end.
    WaterplaneProps w;
    double Aw = 0.0, Sx = 0.0, Sy = 0.0, Jy = 0.0, Jx = 0.0;
    double minx = 0.0, maxx = 0.0, miny = 0.0, maxy = 0.0;
    bool bounded = false;
    for (const Tetrahedron& t : ship.tetrahedra) {
        SectionPolygon s;
        if (!section_polygon(t, p, s)) continue;
        if (face_on_plane_from_below(t, p)) continue;
        Point2 pts[4];
        for (int k = 0; k < s.count; ++k) pts[k] = {s.point[k].x, s.point[k].y};
        Polygon2 poly;
        poly.set(s.count, pts);
        Aw += poly.area;
        Sx += poly.area * poly.cx;
        Sy += poly.area * poly.cy;
        Jy += poly.Ixx + poly.area * (poly.cy * poly.cy);
        Jx += poly.Iyy + poly.area * (poly.cx * poly.cx);
        if (!bounded) {
            minx = maxx = pts[0].x;
            miny = maxy = pts[0].y;
            bounded = true;
        }
        for (int k = 0; k < s.count; ++k) {
            if (pts[k].x > maxx) maxx = pts[k].x;
            if (pts[k].x < minx) minx = pts[k].x;
            if (pts[k].y > maxy) maxy = pts[k].y;
            if (pts[k].y < miny) miny = pts[k].y;
        }
        ++w.polygons;
    }
    w.Aw = Aw;
    w.xf = Sx / Aw;
    w.yf = Sy / Aw;
    w.IT = Jy - Aw * (w.yf * w.yf);
    w.IL = Jx - Aw * (w.xf * w.xf);
    w.breadth = maxy - miny;
    w.length = maxx - minx;
    return w;
}

}  // namespace voxel
