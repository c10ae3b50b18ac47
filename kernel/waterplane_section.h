// Area properties of the section of a set of tetrahedra by a plane: each
// tetrahedron that the plane crosses contributes one convex polygon, and the
// polygons' areas, first moments and second moments are summed with the
// parallel-axis theorem.
#pragma once

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/polygon2.h"
#include "kernel/section_polygon.h"
#include "kernel/tetrahedron.h"

namespace voxel {

// The section's properties in a plane coordinate system (u, v) of its own:
// for a level waterplane the ship's (x, y). Lengths in the model's unit.
struct WaterplaneProps {
    double breadth = 0.0;  // v extent of the section points (0 when none)
    double length = 0.0;   // u extent of the section points (0 when none)
    double Aw = 0.0;       // area
    double xf = 0.0;       // u of the centroid (the centre of flotation)
    double yf = 0.0;       // v of the centroid
    double IT = 0.0;       // second moment about the axis through the centroid parallel to u
    double IL = 0.0;       // the same about the axis parallel to v
    int polygons = 0;      // number of sections summed
};

// Sums the sections one tetrahedron at a time, in the order they are given.
class SectionSums {
  public:
    // Adds the section of t by p when p cuts t in a polygon, unless it is a
    // face of t lying in p with t below it (a face in the plane counts once,
    // from the tetrahedron above it). `project` gives a section point's
    // plane coordinates as a Point2. `weight` multiplies the polygon's area
    // and moments.
    // With `outline` false the polygon leaves the extents alone (its
    // outline is not the body's: a piece of a surface's fan).
    template <class Project>
    void add(const TetraVertices& t, const Plane& p, Project&& project, double weight = 1.0,
             bool outline = true) {
        SectionPolygon s;
        if (!section_polygon(t, p, s)) return;
        if (face_on_plane_from_below(t, p)) return;
        Point2 pts[4];
        for (int k = 0; k < s.count; ++k) pts[k] = project(s.point[k]);
        add_polygon(s.count, pts, weight, outline);
    }

    // A point of the section's outline, in plane coordinates: it widens the
    // extents (length, breadth) and nothing else.
    void extend(const Point2& q);

    // A polygon's points in boundary order, already in plane coordinates,
    // its area and moments multiplied by `weight`. The extents (length,
    // breadth) take the points of polygons of positive weight only: a
    // piece taken away (a negative weight) does not move the outline.
    void add_polygon(int n, const Point2* pts, double weight = 1.0, bool outline = true);

    // The totals carried to the centroid. With no polygon Aw is 0, the
    // extents are 0 (also with no polygon of positive weight) and the rest
    // is 0/0.
    WaterplaneProps result() const;

  private:
    double Aw_ = 0.0, Sx_ = 0.0, Sy_ = 0.0, Jy_ = 0.0, Jx_ = 0.0;
    double minx_ = 0.0, maxx_ = 0.0, miny_ = 0.0, maxy_ = 0.0;
    int polygons_ = 0;
    bool has_extent_ = false;  // a polygon of positive weight was added
};

}  // namespace voxel
