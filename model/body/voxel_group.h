// The floating body of the Format2 programs: a voxel group of primitive
// solids in body coordinates, with its displacement volume and centre of
// gravity. Lengths are in the model file's unit, volumes in that unit cubed.
#pragma once

#include <string>
#include <utility>

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/solid_submerge.h"
#include "kernel/waterplane_section.h"
#include "model/body/body.h"

namespace voxel {

// The standard-error note for a search that the step bound ended.
std::string water_plane_stall_note(double V, const WaterPlane& w);

// The model of a Format2 file: its body (each solid a group of weight 1,
// summed per solid in the order tetrahedra, cylinders, hexahedra, prisms),
// the displacement volume V and the centre of gravity G.
class VoxelGroup {
  public:
    double V = 0.0;  // displacement volume
    Point3 G;        // centre of gravity

    // Which crossing test every cut of this body's queries uses; the program
    // that builds the body chooses it.
    const CrossingTolerance crossing;

    explicit VoxelGroup(CrossingTolerance crossing_test)
        : crossing(crossing_test), body_(crossing_test, Summation::PerSolid) {}
    VoxelGroup(const VoxelGroup&) = delete;
    VoxelGroup& operator=(const VoxelGroup&) = delete;

    // The body, as the reader (or a test) made it; an empty one until then.
    const Body& body() const { return body_; }
    // Replaces the body as a whole; its crossing test must be this group's.
    void set_body(Body body) { body_ = std::move(body); }

    Point3 centre_of_gravity() const { return G; }

    // The body's queries (see Body), keeping nothing and changing nothing.
    const Box3& box() const { return body_.box(); }
    double submerged_volume(const Plane& p) const { return body_.volume_below(p); }
    SubmergedPart submerged_volume_and_centre(const Plane& p) const { return body_.part_below(p); }
    double total_volume() const { return body_.total_volume(); }
    WaterPlane find_water_plane(double V_, Point3 N) const { return body_.find_water_plane(V_, N); }
    WaterPlane find_water_plane_in_full(double V_, Point3 N) const {
        return body_.find_water_plane_in_full(V_, N);
    }
    WaterplaneProps waterplane(const Plane& p, const Point3& axis) const {
        return body_.section(p, axis);
    }

  private:
    Body body_;
};

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
