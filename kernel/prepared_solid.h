// The solids of a body cut into their tetrahedra once, with what every
// query of their submerged part needs and no plane changes: each
// tetrahedron's full volume and vertex centroid, and balls around the
// tetrahedra and the solids, so that a query decides most of them from one
// plane value. A prepared solid answers exactly what the solid's own
// submerge answers, to the last bit, and keeps nothing between queries, so
// that several threads may query one body at once.
#pragma once

#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/solid_submerge.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"

namespace voxel {

struct PreparedTetrahedron {
    TetraVertices v;
    double volume = 0.0;  // full_volume()
    Point3 centroid;      // vertex_centroid()
    double reach = 0.0;   // every vertex lies within this distance of centroid
};

struct PreparedSolid {
    int first = 0;  // its tetrahedra in the body's array, in decomposition order
    int count = 0;
    // A Tetrahedron given as a solid answers with its own cut; the other
    // kinds sum their tetrahedra and fall back to their first point.
    bool single_tetrahedron = false;
    Point3 fallback;  // V0 of a prism or a hexahedron, P0 of a cylinder
    Point3 centre;    // every vertex lies within `reach` of it
    double reach = 0.0;
    SubmergedPart whole;  // the answer when every tetrahedron is submerged
};

// The three sides a ball can lie on.
enum class BallSide { Dry, Submerged, Cut };

// On which side of p the ball (centre, reach) lies, decided from the plane
// value at its centre with a margin that covers the rounding of every plane
// value inside it: Dry means every point's computed value is > 0,
// Submerged every one <= 0; Cut when the margin cannot tell. normal_length
// is |(A, B, C)|.
BallSide ball_side(const Plane& p, double normal_length, const Point3& centre, double reach);

class PreparedSolids {
  public:
    void add(const Tetrahedron& t);
    void add(const Hexahedron& h);
    void add(const TrianglePrism& s);
    void add(const Cylinder& c);  // with its current number of sectors

    int solid_count() const { return static_cast<int>(solids_.size()); }
    // Every solid's tetrahedra, solid after solid.
    const std::vector<PreparedTetrahedron>& tetrahedra() const { return tets_; }

    // The submerged volume of solid i below p.
    double volume(int i, const Plane& p, double normal_length, CrossingTolerance tolerance) const;
    // Its submerged volume and centroid, as the solid's submerge gives them.
    SubmergedPart part(int i, const Plane& p, double normal_length,
                       CrossingTolerance tolerance) const;

  private:
    void add_solid(const Tetrahedron* tets, int count, bool single, const Point3& fallback);

    std::vector<PreparedTetrahedron> tets_;
    std::vector<PreparedSolid> solids_;
};

}  // namespace voxel
