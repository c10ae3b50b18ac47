// A compartment that a damage opens to the sea: its space, read from its
// shape file, and its permeability. Lengths in m, volumes in m^3.
#pragma once

#include <memory>

#include "kernel/point3.h"
#include "model/body/voxel_group.h"
#include "model/loading/condition.h"

namespace voxel {

struct Compartment {
    CompartmentEntry entry;
    std::unique_ptr<VoxelGroup> shape;
    double volume = 0.0;  // of the whole space
    Point3 centre;        // its centroid
};

}  // namespace voxel
