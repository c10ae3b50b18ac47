// Triangle prism: end triangles (V0, V1, V2) and (V3, V4, V5) joined by the
// lateral edges V0-V3, V1-V4, V2-V5.
#pragma once

#include <array>

#include "kernel/box3.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"

namespace voxel {

struct TrianglePrism {
    Point3 V[6];

    // V0..V5 = points[0..5].
    void set_vertices(const Point3* points);
    // The three-tetrahedron split:
    //   [0] = (V0, V1, V2, V4)  end triangle with apex V4
    //   [1] = (V0, V2, V3, V4)  } the pyramid V0 V2 V5 V3 / V4,
    //   [2] = (V2, V3, V5, V4)  } split along V2-V3
    std::array<TetraVertices, 3> decompose() const;
    // The i-th (0 to 2) of those three tetrahedra.
    TetraVertices tetrahedron(int i) const;
    Box3 bounds() const;
};

}  // namespace voxel
