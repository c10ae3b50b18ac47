// The tetrahedron and the part of it below a plane.
#pragma once

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"

namespace voxel {

// Four vertices, in any order and orientation. The vertex order matters only
// for rounding and for the fallback centroid of a cut of zero volume.
struct TetraVertices {
    Point3 V0, V1, V2, V3;

    // |(V1 - V0) . ((V2 - V0) x (V3 - V0))| / 6, in length units cubed.
    double full_volume() const;
    // (V2 + V1 + V3 + V0) * 0.25, per coordinate.
    Point3 vertex_centroid() const;
    // Box started at V1, then V2, V3 and V0 folded in.
    Box3 bounds() const;
};

// The submerged side of a plane (f <= 0) split into tetrahedra.
//  k = number of dry vertices (f > 0).
//  k = 0: one piece, the input as given. k = 4: no piece.
//  k = 1, 2: three pieces; k = 3: one piece, in the fixed table order.
// The crossing points on the edges between dry and wet vertices come from
// Plane::line_crossing with the parallel test of the given tolerance
// (parallel_limit); an edge parallel within it gives its midpoint.
struct SubmergedPieces {
    int k = 0;
    int count = 0;
    TetraVertices piece[3];
};
SubmergedPieces split_below_plane(const TetraVertices& t, const Plane& p,
                                  CrossingTolerance tolerance);

// The part of a tetrahedron on the submerged side of a plane (f <= 0): its
// volume and centroid, summed over the pieces of split_below_plane in table
// order. k is the number of dry vertices: k = 0 gives the whole tetrahedron
// (full_volume, vertex_centroid); k = 4 gives volume 0 and no centroid (the
// field is 0 and means nothing); a part of volume 1e-15 or less takes the
// vertex centroid of the last piece. Allocates nothing and keeps nothing.
struct CutResult {
    int k = 0;
    double volume = 0.0;
    Point3 centroid;
};
CutResult cut_below_plane(const TetraVertices& t, const Plane& p, CrossingTolerance tolerance);
// The same with the plane values of V0, V1, V2, V3 given (each the double
// p.plane_value gives), for a caller that has them already.
CutResult cut_below_plane(const TetraVertices& t, const Plane& p, const double f[4],
                          CrossingTolerance tolerance);
// The volume alone, the same double as cut_below_plane's.
double cut_volume_below_plane(const TetraVertices& t, const Plane& p, CrossingTolerance tolerance);
// The same with the plane values of V0, V1, V2, V3 given (each the double
// p.plane_value gives), for a caller that has them already.
double cut_volume_below_plane(const TetraVertices& t, const Plane& p, const double f[4],
                              CrossingTolerance tolerance);

// Bounds, from the plane values alone, on the double that
// cut_volume_below_plane gives for t at p (f the plane values of V0..V3,
// normal_length |(A, B, C)|, value_scale a bound on |A x| + |B y| + |C z| +
// |D| over the vertices):
// lo <= that volume <= hi. When every edge that the plane crosses is far
// from parallel to it, the part's volume follows from where the plane
// crosses those edges, fractions of the edges taken from the plane values
// (one dry vertex: full (1 - s1 s2 s3); one wet vertex: full t1 t2 t3; two
// and two: full less the dry wedge). The cut finds its crossings from the
// edges' directions, a different rounding of the same points; `error_scale`
// ((largest |coordinate| + longest edge) times the longest edge squared)
// bounds what that and the rounding of its pieces can move the volume.
// Otherwise, or when `full_volume` is not the tetrahedron's, the bounds are
// the cut's own volume, lo = hi.
struct VolumeBracket {
    double lo = 0.0;
    double hi = 0.0;
};
VolumeBracket cut_volume_bracket(const TetraVertices& t, const Plane& p, const double f[4],
                                 double full_volume, double normal_length, double longest_edge,
                                 double error_scale, double value_scale,
                                 CrossingTolerance tolerance);

}  // namespace voxel
