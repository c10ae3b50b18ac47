// A solid block as a solid of a body under construction.
#pragma once

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/tetrahedron.h"
#include "kernel/triangle_prism.h"
#include "model/body/body.h"
#include "model/io/solid_blocks.h"

namespace voxel {

// Adds the block's solid to `body` (weight 1), decomposed in the order of the
// kernel's decompositions: the tetrahedron itself, five of a hexahedron,
// three of a prism, 3 n of a cylinder of its default n.
inline void add_solid_block(BodyBuilder& body, const SolidBlock& b) {
    switch (b.kind) {
        case SolidKind::Tetrahedron:
            body.add(TetraVertices{b.vertex[0], b.vertex[1], b.vertex[2], b.vertex[3]});
            break;
        case SolidKind::Hexahedron: {
            Hexahedron hex;
            hex.set_vertices(b.vertex);
            body.add(hex);
            break;
        }
        case SolidKind::TrianglePrism: {
            TrianglePrism prism;
            prism.set_vertices(b.vertex);
            body.add(prism);
            break;
        }
        case SolidKind::Cylinder:
            body.add(Cylinder(b.vertex[0], b.vertex[1], b.radius));
            break;
        case SolidKind::SurfaceMesh:
            // Its mesh file is read by the model's reader (model/io/mesh_block.h),
            // which knows the model file's folder.
            break;
    }
}

}  // namespace voxel
