// The solids of a body read back from its groups, kind by kind in body
// order, for tests that check what a reader or a fixture put into it.
#pragma once

#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "model/body/body.h"

namespace testing_support {

struct BodySolids {
    std::vector<voxel::TetraVertices> tetrahedra;
    std::vector<voxel::Hexahedron> hexahedra;
    std::vector<voxel::TrianglePrism> prisms;
    std::vector<voxel::Cylinder> cylinders;  // n from the group's size, r from the first rim point
    int surface_groups = 0;                  // groups of a surface mesh's fan
};

// Each solid's vertices from the tetrahedra of its decomposition.
BodySolids solids_of(const voxel::Body& body);

}  // namespace testing_support
