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
    }
    return 0;
}

const char* keyword(SolidKind kind) {
    switch (kind) {
        case SolidKind::Tetrahedron:
            return "Tetrahedron";
        case SolidKind::Hexahedron:
            return "Hexahedron";
        case SolidKind::TrianglePrism:
            return "TrianglePrism";
    }
    return "";
}

}  // namespace voxel
