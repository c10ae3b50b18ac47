#include "apps/hull_from_offsets/hull_solid.h"

namespace voxel {

int vertex_count(SolidKind kind) {
    switch (kind) {
        case SolidKind::Tetrahedron:
            return 4;
        case SolidKind::Hexahedron:
            return 8;
        case SolidKind::TrianglePrism:
            return 6;
        case SolidKind::Cylinder:
            return 2;
    }
    return 0;
}

}  // namespace voxel
