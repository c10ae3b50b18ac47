// A tank's liquid: the part of the tank's inner space below a plane level
// with the sea. For a water-plane normal N (unit, out of the water, body
// coordinates) the liquid surface is the plane of normal N under which the
// shape holds volume / permeability of its own volume: the same search as
// the sea's water plane, on the tank's body. Lengths in m, volumes in m^3,
// masses in t.
#pragma once

#include <memory>

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/voxel_group.h"
#include "model/loading/condition.h"

namespace voxel {

struct Tank {
    TankEntry entry;
    std::unique_ptr<VoxelGroup> shape;
    double shape_volume = 0.0;  // of the inner space
    double capacity = 0.0;      // permeability x shape_volume
    double volume = 0.0;        // of liquid, 0 .. capacity
    double mass = 0.0;          // density x volume
    Point3 shape_centre;        // centroid of the whole inner space

    // The liquid's surface can move: the tank is neither empty nor full.
    bool free_surface() const { return volume > 0.0 && volume < capacity; }
    // The volume of the shape that the liquid fills: volume / permeability.
    double filled_shape_volume() const { return volume / entry.permeability; }
};

struct LiquidAt {
    Point3 centre;  // of the liquid (the shape's centroid when empty or full)
    Plane plane;    // the liquid surface; meaningful only with a free surface
    bool converged = true;
};

// The liquid of `tank` at the water-plane normal N.
LiquidAt liquid_at(const Tank& tank, const Point3& N);

// The free-surface moment (t*m) at N: density x permeability x the second
// moment of the liquid surface (the shape's section by the liquid plane)
// about the axis through its centroid parallel to `axis` (a unit direction
// in that plane, the heel axis as the trim carries it). 0 without a free
// surface.
double free_surface_moment(const Tank& tank, const Point3& N, const Point3& axis);

}  // namespace voxel
