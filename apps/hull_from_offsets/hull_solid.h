// One solid of a hull as the model files write it: a keyword and its
// vertices, in the vertex order of the kernel's cutting tables.
#pragma once

#include <array>

#include "kernel/point3.h"

namespace voxel {

enum class SolidKind { Tetrahedron, Hexahedron, TrianglePrism };

// 4, 8 or 6.
int vertex_count(SolidKind kind);

// The block's keyword line: "Tetrahedron", "Hexahedron" or "TrianglePrism".
const char* keyword(SolidKind kind);

struct HullSolid {
    SolidKind kind = SolidKind::Tetrahedron;
    std::array<Point3, 8> v;  // the first vertex_count(kind) are used; m
};

}  // namespace voxel
