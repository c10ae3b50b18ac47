// The floating body: solids of any kind cut into their tetrahedra once, each
// solid (a group of tetrahedra) with a weight, built once and never changed.
// Every query is const and keeps nothing, so that several threads may query
// one body at once. Lengths are in the model's unit, volumes in that unit
// cubed.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "kernel/box3.h"
#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/platform/large_array.h"
#include "kernel/point3.h"
#include "kernel/solid_submerge.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "kernel/volume_moments.h"
#include "kernel/waterplane_section.h"
#include "model/body/group_filter.h"
#include "model/body/group_tree.h"
#include "model/body/facet_tree.h"

namespace voxel {

// How a body sums the parts of its tetrahedra.
//  PerSolid: each group's tetrahedra are summed in decomposition order (a
//    group whose volume is below kNoVolume takes its fallback point as
//    centroid; a group of one tetrahedron answers with its own cut), then
//    the groups in the order they were added. The Format2 programs.
//  Flat: one running sum over every tetrahedron in the order they were
//    added, the groups only carrying the weights. The ship program.
enum class Summation { PerSolid, Flat };

// The water plane with a given normal that displaces a given volume, and
// what its search did.
struct WaterPlane {
    Plane plane;                  // unit normal out of the water
    Point3 B;                     // centre of buoyancy at `plane`
    int steps = 0;                // bisection steps made
    bool converged = true;        // false: the step bound ended the search first
    double volume_reached = 0.0;  // submerged volume at `plane`, model unit cubed
};

// Bisection steps after which find_water_plane gives up.
constexpr int kMaxBisections = 200;

// The kind of solid a group was made from.
enum class SolidSource { Tetrahedron, Hexahedron, Prism, Cylinder, SurfaceMesh };

// One solid of the body: its tetrahedra in the body's array, in
// decomposition order, and what no plane changes.
struct BodyGroup {
    std::size_t first = 0;
    int count = 0;
    SolidSource source = SolidSource::Tetrahedron;
    // Every integral the group contributes (volume, moments, section area
    // and moments) is multiplied by it: +1 for a solid of the model files.
    double weight = 1.0;
    // A solid that is one tetrahedron answers with its own cut; the other
    // kinds sum their tetrahedra and fall back to their first point.
    bool single_tetrahedron = false;
    Point3 fallback;  // V0 of a tetrahedron, prism or hexahedron, P0 of a cylinder
    Point3 centre;    // every vertex lies within `reach` of it
    double reach = 0.0;
    SubmergedPart whole;  // unweighted, when every tetrahedron is submerged
    // A surface mesh (SolidSource::SurfaceMesh): its index among the body's
    // facet trees, and no tetrahedra (count 0); -1 for every other solid.
    int mesh = -1;
};

// A tetrahedron's four plane values at a plane (body.cpp).
struct PlaneValues;

// The points where the face V1 V2 V3 of t (a facet of a surface, oriented
// outwards; V0 is not read) meets p, in the plane coordinates `project` gives,
// handed to sums.extend (SectionSums, or any sink of points): the outline of
// a surface's section. As a section counts a face lying in the plane from
// the solid above it (the dry side, f > 0), a facet gives its corners on p
// and the crossings of its edges only when part of it is dry, or when it
// lies in p facing down (the body above it).
template <class Project, class Sink>
void add_facet_contour(const TetraVertices& t, const Plane& p, Project&& project, Sink& sums) {
    const Point3* c[3] = {&t.V1, &t.V2, &t.V3};
    double f[3];
    for (int i = 0; i < 3; ++i) f[i] = p.plane_value(*c[i]);
    const bool dry_part = f[0] > 0.0 || f[1] > 0.0 || f[2] > 0.0;
    if (!dry_part) {
        if (!(f[0] == 0.0 && f[1] == 0.0 && f[2] == 0.0)) return;
        const Point3 normal = cross(difference(t.V1, t.V2), difference(t.V1, t.V3));
        if (!(normal.x * p.A + normal.y * p.B + normal.z * p.C < 0.0)) return;
    }
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        if (f[i] == 0.0) sums.extend(project(*c[i]));
        if ((f[i] < 0.0 && f[j] > 0.0) || (f[i] > 0.0 && f[j] < 0.0)) {
            const double s = f[i] / (f[i] - f[j]);
            const Point3 d = difference(*c[i], *c[j]);
            sums.extend(project(Point3{c[i]->x + d.x * s, c[i]->y + d.y * s, c[i]->z + d.z * s}));
        }
    }
}

class Body {
  public:
    // An empty body: no tetrahedron, box at its start values +-1e20.
    explicit Body(CrossingTolerance crossing = CrossingTolerance::Strict,
                  Summation summation = Summation::PerSolid)
        : crossing_(crossing), summation_(summation) {}

    // Which crossing test every cut of this body's queries uses.
    CrossingTolerance crossing() const { return crossing_; }
    Summation summation() const { return summation_; }

    // Box of the solids (see BodyBuilder::build for the order of folding).
    const Box3& box() const { return box_; }
    // The weighted volume of the whole body: what volume_below gives at a
    // level plane above every vertex of the box.
    double total_volume() const { return total_volume_; }

    int group_count() const { return static_cast<int>(groups_.size()); }
    const BodyGroup& group(int i) const { return groups_[static_cast<std::size_t>(i)]; }
    std::size_t tetrahedron_count() const { return tets_.size(); }
    const TetraVertices& tetrahedron(std::size_t i) const { return tets_[i]; }
    // The facets of a surface mesh's group (g.mesh >= 0).
    const FacetTree& mesh(const BodyGroup& g) const {
        return meshes_[static_cast<std::size_t>(g.mesh)];
    }

    // Weighted submerged volume below p.
    double volume_below(const Plane& p) const;

    // Bounds on the double volume_below(p) gives, lo <= it <= hi: most
    // tetrahedra that the plane cuts are bounded from their plane values
    // alone (cut_volume_bracket), far cheaper than cut.
    VolumeBracket volume_bracket(const Plane& p) const;

    // volume_below and volume_bracket for the planes of one search, whose
    // groups `filter` narrows down as the search goes (group_filter.h): the
    // same doubles, for any plane (one the filter cannot answer ends its
    // use).
    double volume_below(const Plane& p, GroupFilter& filter) const;
    VolumeBracket volume_bracket(const Plane& p, GroupFilter& filter) const;

    // Weighted submerged volume and centre of buoyancy below p. With nothing
    // submerged the centre is 0/0 (not a number).
    SubmergedPart part_below(const Plane& p) const;

    // The plane with normal N / |N| (N any non-zero vector pointing out of
    // the water) under which the body displaces V, by bisection of the
    // plane's position between the lowest and the highest corner of the box
    // along N, to a relative volume error below kWaterPlaneTolerance; and the
    // centre of buoyancy B at that plane. V must lie in (0, total volume].
    // The bisection stops after kMaxBisections steps (floating point can
    // stall it) with the last plane evaluated, and reports that it did not
    // converge.
    WaterPlane find_water_plane(double V, Point3 N) const;

    // The same search with the volume of every step computed in full
    // instead of bounded: what find_water_plane must give, to the bit.
    WaterPlane find_water_plane_in_full(double V, Point3 N) const;

    // The section of the body by the plane p: the waterplane when p is the
    // water plane. Its plane coordinates are u along `axis` (a direction
    // lying in p, such as the heel axis) and v along n x u, n the plane's
    // unit normal: IT is the second moment about the axis through the
    // section's centroid parallel to `axis`, in the model's unit to the
    // fourth.
    WaterplaneProps section(const Plane& p, const Point3& axis) const;

    // The same with the plane coordinates of a section point given by
    // `project` (Point3 -> Point2), e.g. the ship's (x, y) of a level plane.
    // Every tetrahedron in body order adds its polygon, weighted; the
    // extents (length, breadth) come only from groups of positive weight.
    // A surface mesh adds, at its place in that order, the signed triangles
    // of its facets that p crosses, fanned from the apex on p (facet_tree.h),
    // whose outline is not the hull's: area and moments only; its extents
    // come from the mesh's own contour in p (add_facet_contour).
    template <class Project>
    WaterplaneProps section(const Plane& p, Project&& project) const {
        SectionSums sums;
        for (const BodyGroup& g : groups_) {
            if (g.mesh >= 0) {
                const FacetTree& tree = mesh(g);
                add_surface_section(tree, p, project, g.weight, sums, [&](const Facet& f) {
                    add_facet_contour(TetraVertices{tree.centre(), f.a, f.b, f.c}, p, project,
                                      sums);
                });
                continue;
            }
            for (int j = 0; j < g.count; ++j) {
                const TetraVertices& t = tets_[g.first + static_cast<std::size_t>(j)];
                sums.add(t, p, project, g.weight, true);
            }
        }
        return sums.result();
    }

  private:
    friend class BodyBuilder;

    // Bounds on the cut volume of tetrahedron i (t) at p, v its plane values.
    VolumeBracket tetrahedron_bracket(std::size_t i, const TetraVertices& t, const Plane& p,
                                      const PlaneValues& v, double normal_length) const;

    // Tetrahedron i's (t's) full_volume(), kept or computed.
    double full_volume(std::size_t i, const TetraVertices& t) const;

    // The PerSolid sums, over the groups that walk(p, submerged, cut) goes
    // through (GroupTree::walk or GroupFilter::walk).
    template <class Walk>
    double volume_over(const Plane& p, Walk&& walk) const;
    template <class Walk>
    VolumeBracket bracket_over(const Plane& p, Walk&& walk) const;

    // Unweighted volume of group g below p; the group's ball decides it
    // when it can (unless ball_first is false: any test that holds gives
    // the same double).
    double group_volume(const BodyGroup& g, const Plane& p, double normal_length,
                        bool ball_first = true) const;
    // Bounds on that double, from the plane values alone where they suffice.
    VolumeBracket group_volume_bracket(const BodyGroup& g, const Plane& p, double normal_length,
                                       bool ball_first = true) const;
    // Unweighted volume and centroid of group g below p (PerSolid).
    SubmergedPart group_part(const BodyGroup& g, const Plane& p, double normal_length) const;
    // The weighted volume and moments of every tetrahedron of g below p
    // added to `sum` in order (Flat).
    void add_flat_part(const BodyGroup& g, const Plane& p, double normal_length,
                       VolumeMoments& sum) const;
    // The weighted bounds of every tetrahedron of g added to lo and hi in
    // order (Flat).
    void add_flat_bracket(const BodyGroup& g, const Plane& p, double normal_length, double& lo,
                          double& hi) const;
    // Unweighted volume and centroid of a surface mesh's group below p (the
    // fallback point k when its volume is below kNoVolume), and its volume
    // and moment about the origin.
    SubmergedPart mesh_part(const BodyGroup& g, const Plane& p) const;

    CrossingTolerance crossing_;
    Summation summation_;
    // The vertices, and no more: a tetrahedron's volume and centroid are
    // recomputed when a query needs them, by the very operations that made
    // them once, which costs less than reading them from memory; but a
    // PerSolid body keeps the full volume among its sizes, read beside them
    // by the bounds and sums of its searches.
    LargeArray<TetraVertices> tets_;
    // PerSolid bodies, for the bounds of the search: each tetrahedron's
    // longest edge and (largest |coordinate| + longest edge) longest edge^2,
    // both rounded up, and its full_volume(), the same double. Flat bodies
    // make them when asked.
    struct Sizes {
        double longest_edge;
        double error_scale;
        double full_volume;
    };
    LargeArray<Sizes> sizes_;
    std::vector<BodyGroup> groups_;
    // PerSolid bodies: the tree over the groups' boxes (a surface's groups
    // opaque), and each group's term of the volume when wholly submerged,
    // weight * whole.volume, the very product the sums add.
    GroupTree tree_;
    std::vector<double> submerged_terms_;
    std::vector<FacetTree> meshes_;
    Box3 box_;
    double total_volume_ = 0.0;
};

// Collects solids and builds the body once. The queries sum the groups in
// the order they are added. Each solid is cut into its tetrahedra as it is
// added; only its box is kept beside them.
class BodyBuilder {
  public:
    // PerSolid: every solid its own group. Flat: consecutive solids of one
    // weight share one group (a Flat sum does not see the groups).
    BodyBuilder(CrossingTolerance crossing, Summation summation)
        : crossing_(crossing), summation_(summation) {}

    // Room for that many tetrahedra, so that the array is not moved while
    // the solids come; a hint, which may be too large or too small.
    void reserve(std::size_t tetrahedra);

    void add(const TetraVertices& t, double weight = 1.0);
    void add(const Hexahedron& h, double weight = 1.0);
    void add(const TrianglePrism& p, double weight = 1.0);
    // With max(n, 3) sectors (Cylinder::sectors).
    void add(const Cylinder& c, double weight = 1.0);
    // A closed surface whose facets (vertex indices a, b, c, counter-clockwise
    // seen from outside) are checked closed and consistently oriented: one
    // group of `weight` holding the facets in a FacetTree (no tetrahedra),
    // which every query cuts with the fan's apex on the query plane
    // (facet_tree.h). Its fallback point and ball centre are the centre k of
    // the vertices' box.
    void add_surface(const std::vector<Point3>& vertices,
                     const std::vector<std::array<int, 3>>& facets, double weight = 1.0);

    // Every solid of `other` in its order, as it stands, its weight multiplied
    // by `weight`: a body made of bodies, such as a hull less its flooded
    // compartments (weight -permeability). A PerSolid builder only; each
    // solid keeps its box as its tetrahedra (or a mesh's vertices) give it.
    void add_body(const Body& other, double weight);

    // The body. Its box folds the box of every solid: PerSolid in the order
    // tetrahedra, hexahedra, prisms, cylinders (each kind in the order
    // added), each solid's own bounds(); Flat every tetrahedron's bounds()
    // in body order. An empty body keeps the start values +-1e20. The
    // builder is left empty.
    Body build();

  private:
    // The group of the tetrahedra added since `first`.
    void close_group(std::size_t first, SolidSource source, const Point3& fallback, double weight,
                     const Box3& box);

    CrossingTolerance crossing_;
    Summation summation_;
    LargeArray<TetraVertices> tets_;
    std::vector<BodyGroup> groups_;
    std::vector<FacetTree> meshes_;
    std::vector<Box3> boxes_[5];  // PerSolid: each solid's bounds(), by SolidSource
};

}  // namespace voxel
