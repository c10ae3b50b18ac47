#include "support/body_solids.h"

namespace testing_support {

BodySolids solids_of(const voxel::Body& body) {
    BodySolids out;
    for (int i = 0; i < body.group_count(); ++i) {
        const voxel::BodyGroup& g = body.group(i);
        auto tet = [&](int j) { return body.tetrahedron(g.first + static_cast<std::size_t>(j)); };
        switch (g.source) {
            case voxel::SolidSource::Tetrahedron:
                out.tetrahedra.push_back(tet(0));
                break;
            case voxel::SolidSource::Hexahedron: {
                // (V0 V1 V2 V5), (V7 V5 V2 V6), (V0 V5 V7 V4), (V0 V7 V2 V5), (V0 V7 V2 V3)
                voxel::Hexahedron h;
                const voxel::Point3 v[8] = {tet(0).V0, tet(0).V1, tet(0).V2, tet(4).V3,
                                            tet(2).V3, tet(0).V3, tet(1).V3, tet(1).V0};
                h.set_vertices(v);
                out.hexahedra.push_back(h);
                break;
            }
            case voxel::SolidSource::Prism: {
                // (V0 V1 V2 V4), (V0 V2 V3 V4), (V2 V3 V5 V4)
                voxel::TrianglePrism p;
                const voxel::Point3 v[6] = {tet(0).V0, tet(0).V1, tet(0).V2,
                                            tet(1).V2, tet(0).V3, tet(2).V2};
                p.set_vertices(v);
                out.prisms.push_back(p);
                break;
            }
            case voxel::SolidSource::Cylinder: {
                // The first wedge (P0, c0, c1, P1, ...): its second tetrahedron
                // is (P0, c1, P1, c0 + a).
                voxel::Cylinder c(g.fallback, tet(1).V2,
                                  voxel::length(voxel::difference(g.fallback, tet(0).V1)));
                c.n = g.count / 3;
                out.cylinders.push_back(c);
                break;
            }
            case voxel::SolidSource::SurfaceMesh:
                ++out.surface_groups;
                break;
        }
    }
    return out;
}

}  // namespace testing_support
