// The floating body of the Format2 programs: a voxel group of primitive
// solids in body coordinates, with its displacement volume and centre of
// gravity. Lengths are in the model file's unit, volumes in that unit cubed.
#pragma once

#include <string>
#include <vector>

#include "kernel/box3.h"
#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/prepared_solid.h"
#include "kernel/solid_submerge.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "kernel/waterplane_section.h"

namespace voxel {

// The water plane with a given normal that displaces a given volume, and
// what its search did.
struct WaterPlane {
    Plane plane;                  // unit normal out of the water
    Point3 B;                     // centre of buoyancy at `plane`
    int steps = 0;                // bisection steps made
    bool converged = true;        // false: the step bound ended the search first
    double volume_reached = 0.0;  // submerged volume at `plane`, model unit cubed
};

// The standard-error note for a search that the step bound ended.
std::string water_plane_stall_note(double V, const WaterPlane& w);

class VoxelGroup {
  public:
    // Each kind in file order, each array exactly as long as its count.
    std::vector<Tetrahedron> tetrahedra;
    std::vector<Hexahedron> hexahedra;
    std::vector<TrianglePrism> prisms;
    std::vector<Cylinder> cylinders;
    Box3 box;        // written by bounding_box()
    double V = 0.0;  // displacement volume
    Point3 G;        // centre of gravity

    // Which crossing test every cut of this body's queries uses; the program
    // that builds the body chooses it.
    const CrossingTolerance crossing;

    explicit VoxelGroup(CrossingTolerance crossing_test) : crossing(crossing_test) {}
    VoxelGroup(const VoxelGroup&) = delete;
    VoxelGroup& operator=(const VoxelGroup&) = delete;

    int tetrahedron_count() const { return static_cast<int>(tetrahedra.size()); }
    int hexahedron_count() const { return static_cast<int>(hexahedra.size()); }
    int prism_count() const { return static_cast<int>(prisms.size()); }
    int cylinder_count() const { return static_cast<int>(cylinders.size()); }

    Point3 centre_of_gravity() const { return G; }

    // Box of all primitives (tetrahedra, hexahedra, prisms, cylinders, each in
    // array order), stored in `box` and returned. An empty group keeps the
    // start values +-1e20. Raises a cylinder's sector count to 3 if lower.
    Box3 bounding_box();

    // Prepares the solids for the queries below: each is cut into its
    // tetrahedra once, with their fixed data. Call it after bounding_box()
    // once the solids are set, and again after changing them; the readers
    // do. Without it every query prepares the solids afresh for itself.
    void prepare_queries();

    // The queries keep nothing and change nothing, so that several threads
    // may query one body at once. Each gives exactly what summing every
    // primitive's own submerge gives; the records' result fields are left
    // as they are. A group whose solids changed since prepare_queries()
    // (other counts) is prepared afresh for the one query.

    // Total submerged volume below p, summed over tetrahedra, cylinders,
    // hexahedra, prisms in that order.
    double submerged_volume(Plane p) const;

    // Submerged volume and centre of buoyancy below p, summed in the same
    // order. With nothing submerged the centre is 0/0 (not a number).
    SubmergedPart submerged_volume_and_centre(Plane p) const;

    // Volume of the whole body: the submerged volume at a level plane above
    // every vertex of the stored box.
    double total_volume() const;

    // The plane with normal N / |N| (N any non-zero vector pointing out of
    // the water) under which the body displaces V, by bisection of the plane's
    // position between the lowest and the highest corner of the stored box
    // along N, to a relative volume error below 1e-10; and the centre of
    // buoyancy B at that plane. V must lie in (0, total volume]. The
    // bisection stops after kMaxBisections steps (floating point can stall
    // it) with the last plane evaluated, and reports that it did not
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
    WaterplaneProps waterplane(const Plane& p, const Point3& axis) const;

  private:
    WaterPlane search_water_plane(double V, Point3 N, bool bounded) const;

    // The solids in summation order, as prepare_queries() left them, or a
    // fresh preparation when the counts changed since.
    const PreparedSolids& prepared(PreparedSolids& scratch) const;
    PreparedSolids prepare() const;

    PreparedSolids prepared_;
    std::size_t prepared_counts_[4] = {0, 0, 0, 0};
    bool is_prepared_ = false;
};

// Bisection steps after which find_water_plane gives up.
constexpr int kMaxBisections = 200;

// The console message of two points that are too close to tell a distance.
constexpr const char* kClosePointsMessage = "两点之间的距离小于1e-10 !";

struct LineDistance {
    double d = 0.0;                // length units
    bool points_coincide = false;  // d is 0 because p1 and p2 nearly coincide
};

// Distance between the two parallel lines through p1 and p2 with direction n
// (n non-zero): |(p2 - p1) x n| / |n|. Two points closer than 1e-5 (squared
// distance below 1e-10) give 0 and points_coincide; the program then shows
// kClosePointsMessage on the console.
LineDistance action_line_distance(Point3 p1, Point3 p2, Point3 n);

}  // namespace voxel
