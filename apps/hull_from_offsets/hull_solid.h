// One solid of a hull as the model files write it: a keyword and its
// vertices, in the vertex order of the kernel's cutting tables.
#pragma once

#include <array>

#include "kernel/point3.h"
#include "model/solid_blocks.h"

namespace voxel {

// The vertex lines of a block: 4, 8 or 6 (a hull has no cylinders; their
// two end centres count 2).
int vertex_count(SolidKind kind);

struct HullSolid {
    SolidKind kind = SolidKind::Tetrahedron;
    std::array<Point3, 8> v;  // the first vertex_count(kind) are used; m
};

}  // namespace voxel
