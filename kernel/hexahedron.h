// Hexahedron: faces (V0, V1, V2, V3) and (V4, V5, V6, V7), each in cyclic
// order, joined by the lateral edges V0-V4, V1-V5, V2-V6, V3-V7.
#pragma once

#include <array>

#include "kernel/box3.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

struct Hexahedron {
    Point3 V[8];

    // V0..V7 = points[0..7].
    void set_vertices(const Point3* points);
    // The five-tetrahedron split along the face diagonals V0-V2, V5-V7,
    // V0-V5, V2-V7, V0-V7 and V2-V5: four corners at V1, V6, V4, V3 and the
    // central tetrahedron (V0, V7, V2, V5).
    //   [0] = (V0, V1, V2, V5)  corner at V1
    //   [1] = (V7, V5, V2, V6)  corner at V6
    //   [2] = (V0, V5, V7, V4)  corner at V4
    //   [3] = (V0, V7, V2, V5)  central
    //   [4] = (V0, V7, V2, V3)  corner at V3
    std::array<TetraVertices, 5> decompose() const;
    // The i-th (0 to 4) of those five tetrahedra.
    TetraVertices tetrahedron(int i) const;
    Box3 bounds() const;
};

}  // namespace voxel
