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
#include "kernel/platform/large_array.h"
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
    double longest_edge = 0.0;
    double error_scale = 0.0;  // (largest |coordinate| + longest edge) * longest edge^2
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

class PreparedSolids;

// A plane's normal (A, B, C) applied once to every vertex and ball centre of
// prepared solids: s = (B y + A x) + C z, so that for any D the plane value
// s + D is the very double plane_value gives. For a search that moves a
// plane of fixed normal through the body.
class NormalSums {
  public:
    NormalSums(const PreparedSolids& solids, const Plane& normal);  // normal.D is not used

  private:
    friend class PreparedSolids;
    Plane normal_;
    double normal_length_;
    // Plain vectors, not LargeArray: these are made and freed for every
    // search, and 2 MiB-aligned blocks freed so stayed with the process
    // (the peak memory of a large righting-arm sweep doubled).
    std::vector<double> vertex_;        // V0..V3 of every tetrahedron
    std::vector<double> tet_centre_;    // s at each tetrahedron's ball centre
    std::vector<double> tet_scale_;     // |A| (|x| + r) + |B| (|y| + r) + |C| (|z| + r)
    std::vector<double> solid_centre_;  // the same for each solid's ball
    std::vector<double> solid_scale_;
};

class PreparedSolids {
  public:
    void add(const Tetrahedron& t);
    void add(const Hexahedron& h);
    void add(const TrianglePrism& s);
    void add(const Cylinder& c);  // with its current number of sectors
    // Room for that many solids of that many tetrahedra in all.
    void reserve(std::size_t solids, std::size_t tetrahedra);

    int solid_count() const { return static_cast<int>(solids_.size()); }
    // Every solid's tetrahedra, solid after solid.
    const LargeArray<PreparedTetrahedron>& tetrahedra() const { return tets_; }

    // The submerged volume of solid i below p.
    double volume(int i, const Plane& p, double normal_length, CrossingTolerance tolerance) const;
    // The same below the plane of the normal of `sums` and this D.
    double volume(int i, const NormalSums& sums, double D, CrossingTolerance tolerance) const;
    // Bounds on that volume, the double volume() would give: most
    // tetrahedra that the plane cuts are bounded from their plane values
    // alone (cut_volume_bracket), far cheaper than cut.
    VolumeBracket volume_bracket(int i, const NormalSums& sums, double D,
                                 CrossingTolerance tolerance) const;
    // Its submerged volume and centroid, as the solid's submerge gives them.
    SubmergedPart part(int i, const Plane& p, double normal_length,
                       CrossingTolerance tolerance) const;

  private:
    friend class NormalSums;
    // Goes through solid i at the plane of `sums` and D: returns Dry or
    // Submerged when its ball decides it (nothing visited), else calls
    // whole(t) for each tetrahedron wholly submerged and cut(t, plane, f,
    // value_scale) for each the plane may cut, in order, passing dry ones
    // over, and returns Cut.
    template <class Whole, class Cut>
    BallSide visit(int i, const NormalSums& sums, double D, Whole&& whole, Cut&& cut) const;
    // The same at the plane p, each value computed from p: whole(t) and
    // cut(t).
    template <class Whole, class Cut>
    BallSide visit(int i, const Plane& p, double normal_length, Whole&& whole, Cut&& cut) const;
    void add_solid(const Tetrahedron* tets, int count, bool single, const Point3& fallback);

    LargeArray<PreparedTetrahedron> tets_;
    std::vector<PreparedSolid> solids_;
};

}  // namespace voxel
