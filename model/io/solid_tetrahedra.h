// A solid block cut into the kernel's tetrahedra, for a body kept as one
// flat array of them.
#pragma once

#include <cstddef>
#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "model/io/solid_blocks.h"

namespace voxel {

// Appends the block's tetrahedra to `tets` (any vector of TetraVertices), in
// the order of the kernel's decompositions: the tetrahedron itself, five of a
// hexahedron, three of a prism, 3 n of a cylinder of its default n.
template <class TetraArray>
void append_tetrahedra(const SolidBlock& b, TetraArray& tets) {
    switch (b.kind) {
        case SolidKind::Tetrahedron:
            tets.push_back({b.vertex[0], b.vertex[1], b.vertex[2], b.vertex[3]});
            break;
        case SolidKind::Hexahedron: {
            Hexahedron hex;
            hex.set_vertices(b.vertex, 8);
            for (int i = 0; i < 5; ++i) tets.push_back(hex.tetrahedron(i));
            break;
        }
        case SolidKind::TrianglePrism: {
            TrianglePrism prism;
            prism.set_vertices(b.vertex, 6);
            for (int i = 0; i < 3; ++i) tets.push_back(prism.tetrahedron(i));
            break;
        }
        case SolidKind::Cylinder: {
            Cylinder cylinder(b.vertex[0], b.vertex[1], b.radius);
            std::vector<Tetrahedron> parts(static_cast<std::size_t>(3 * cylinder.n));
            cylinder.decompose(parts.data(), static_cast<int>(parts.size()));
            tets.insert(tets.end(), parts.begin(), parts.end());
            break;
        }
    }
}

}  // namespace voxel
