// Everything one level waterline of a hydrostatic sweep asks of a hull, from
// one pass over its tetrahedra and what no waterline changes, computed once
// beforehand: the submerged volume and centre, the waterplane and the
// submerged midship section.
#pragma once

#include <vector>

#include "kernel/clip_segment.h"
#include "kernel/platform/large_array.h"
#include "kernel/point3.h"
#include "kernel/solid_submerge.h"
#include "kernel/tetrahedron.h"
#include "kernel/waterplane_section.h"
#include "model/body/body.h"

namespace voxel {

// Where the midship section is taken, in m: the plane x = `x` (the ship's
// Lpp / 2) within |y| <= half_breadth (B / 2), of the hull clipped to
// x - 10 <= x' <= x + 10.
struct MidshipStation {
    double x = 0.0;
    double half_breadth = 0.0;
};

struct MidshipSection {
    double Am = 0.0;   // submerged section area, m^2
    double Bm = 0.0;   // breadth of that section, m; 0 when there is none
    int polygons = 0;  // number of sections summed
};

// A piece of a hull's tetrahedron, with the weight of its group.
struct WeightedPiece {
    TetraVertices piece;
    double weight = 1.0;
    bool surface = false;  // a piece of a surface mesh's signed fan: no outline of its own
};

// Where a surface mesh's facet meets the midship plane is a segment in the
// ship's (y, z) (kernel/clip_segment.h): the section's outline, of which the
// part within the slab's clipping gives the breadth.

// The first five clipping planes of the midship section (x >= x - 10,
// x <= x + 10, y >= -B/2, y <= B/2, z >= 0), pass after pass, each pass
// taking the pieces of the one before in order and putting the pieces of
// each in their table order, pieces below kNoPieceVolume dropped. With
// `near_only` the first pass takes only the tetrahedra that
// may_reach_midship: the others leave no piece that can.
std::vector<WeightedPiece> midship_slab(const Body& hull, const MidshipStation& station,
                                        bool near_only = false);

// At the draft T (m): the slab clipped by z <= T (pieces below
// kNoPieceVolume dropped), then cut by x = station.x; a face in that plane
// counts from the forward tetrahedron only. The pieces' sections are summed
// as SectionSums sums them, in the ship's (y, z): Am its area, Bm its y
// extent (from pieces of positive weight).
// A surface mesh's pieces (the tetrahedra (q, a, b, c) of the facets that
// cross the plane x = station.x, q = (station.x, ky, kz) on it, signed by
// their orientation seen from q) add area only: its breadth comes from `contour`
// (the outline of its facets in the plane) clipped to |y| <= B/2, 0 <= z <= T.
MidshipSection midship_section_of(const std::vector<WeightedPiece>& slab,
                                  const MidshipStation& station, CrossingTolerance crossing,
                                  double T, const std::vector<Segment2>& contour = {});

// Whether a piece can have a section at x = station.x at all: its x range
// meets the plane within a margin far above the rounding of the section's
// crossings and of the pieces that the plane z <= T cuts from it. A piece
// that cannot adds nothing to midship_section_of and may be left out of the
// slab.
bool may_reach_midship(const TetraVertices& piece, const MidshipStation& station);

struct LevelSection {
    SubmergedPart submerged;     // volume (m^3) and centre of buoyancy (m)
    WaterplaneProps waterplane;  // in the ship's (x, y)
    MidshipSection midship;
};

// The level sweep of a hull summed Flat. What does not depend on the draft:
// per tetrahedron its z range (m), full volume (m^3) and vertex centroid (m),
// computed by the very operations of the cut; and the midship slab less the pieces that cannot
// reach the section plane.
class LevelSweep {
  public:
    LevelSweep(const Body& hull, const MidshipStation& station);

    // At the level waterline z = T (m): the same doubles as
    // hull.part_below, hull.section (in (x, y)) and midship_section_of over
    // the whole slab at that plane, to the last bit.
    //  - The volume sums every tetrahedron in body order. One wholly below
    //    the plane (its highest z <= T: every plane value z - T <= 0) adds
    //    its full volume and vertex centroid, as its cut would; one wholly
    //    above (lowest z > T) adds exactly 0, which leaves the sums as they
    //    are, so it is passed over; only the others are cut.
    //  - Only a tetrahedron whose z range meets T within a margin can have a
    //    section polygon: for one that lies above or below the plane by more
    //    than 1e-12 (1 + |T| + its height), no vertex is within 1e-15 of the
    //    plane and no edge's crossing falls between its ends, whatever the
    //    rounding. The others are summed in body order, as before.
    //  - A surface mesh adds its part below z = T as one term, and its
    //    section as Body::section adds it, both from its facet tree with the
    //    apex (kx, ky, T) on the plane.
    LevelSection at(double T) const;

  private:
    const Body& hull_;
    MidshipStation station_;
    LargeArray<double> zmin_, zmax_;
    LargeArray<double> volume_;
    LargeArray<Point3> centroid_;
    std::vector<WeightedPiece> midship_;
    std::vector<Segment2> contour_;  // of the surface meshes at the midship plane
};

}  // namespace voxel
