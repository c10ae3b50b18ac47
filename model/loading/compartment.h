// A compartment that a damage opens to the sea: its space, read from its
// shape file, and its permeability. Lengths in m, volumes in m^3.
#pragma once

#include <memory>
#include <string>
#include <vector>

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

// The compartment of that name, or none.
inline const Compartment* find_compartment(const std::vector<Compartment>& all,
                                           const std::string& name) {
    for (const Compartment& k : all)
        if (k.entry.name == name) return &k;
    return nullptr;
}

}  // namespace voxel
