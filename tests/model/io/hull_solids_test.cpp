// A whole hull from a table of offsets: neighbouring solids cover their
// shared faces exactly, so the group has neither gaps nor overlaps.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/hydrostatics/level_displacement.h"
#include "model/io/hull_cells.h"
#include "model/io/offset_table.h"

namespace {

// The tetrahedra of one solid, as the hull's body holds them.
std::vector<voxel::TetraVertices> tetrahedra_of(const voxel::SolidBlock& s) {
    const voxel::Body body = voxel::hull_body({s});
    std::vector<voxel::TetraVertices> tets;
    for (std::size_t i = 0; i < body.tetrahedron_count(); ++i) tets.push_back(body.tetrahedron(i));
    return tets;
}

using voxel::Point3;

// A small hull with most of what a real table holds: a transom (half-breadths
// at the first station above z = 1), a keel closing at z = 0 towards the ends
// and a flat of bottom amidships, a forefoot closing below z = 2.5 at the
// stem, a flared stem head, and unevenly spaced stations.
voxel::OffsetTable test_hull() {
    voxel::OffsetTable t;
    t.z = {0.0, 1.0, 2.5, 4.0, 6.0};
    t.x = {0.0, 4.0, 10.0, 20.0, 30.0, 36.0, 40.0};
    t.half_breadths = {
        0.0, 0.0, 1.5, 2.5, 3.0,  // transom
        0.0, 1.2, 2.6, 3.4, 3.8,  //
        1.0, 2.8, 3.6, 4.0, 4.2,  // flat of bottom
        1.5, 3.2, 4.0, 4.2, 4.4,  //
        0.5, 2.2, 3.3, 3.9, 4.1,  //
        0.0, 0.6, 1.8, 2.9, 3.5,  //
        0.0, 0.0, 0.0, 0.8, 1.6,  // stem, closed below z = 2.5
    };
    return t;
}

// Outward area vector (m^2) and its first moment about the origin (m^3,
// area vector times each coordinate of the centroid) of the faces lying in
// one plane.
struct PlaneFaces {
    int axis = 0;  // 0: x = value, 1: y = value, 2: z = value
    double value = 0.0;
    double area = 0.0;  // sum of the outward normal components of the areas
    double moment[3] = {0.0, 0.0, 0.0};
    int faces = 0;
};

double coordinate(const Point3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

Point3 sub(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Each face of every tetrahedron, turned outward by the tetrahedron's sense,
// is added to the plane it lies in (all three corners on it).
void add_faces(const std::vector<voxel::SolidBlock>& solids, std::vector<PlaneFaces>& planes) {
    for (const voxel::SolidBlock& s : solids) {
        for (const voxel::TetraVertices& t : tetrahedra_of(s)) {
            const Point3 v[4] = {t.V0, t.V1, t.V2, t.V3};
            const double sense =
                voxel::dot(sub(v[1], v[0]), voxel::cross(sub(v[2], v[0]), sub(v[3], v[0])));
            ASSERT_NE(sense, 0.0) << "a tetrahedron of no volume";
            // Faces opposite each vertex, counter-clockwise seen from outside
            // for a positive sense.
            const int face[4][3] = {{1, 2, 3}, {0, 3, 2}, {0, 1, 3}, {0, 2, 1}};
            for (const auto& f : face) {
                const Point3 a = v[f[0]], b = v[f[1]], c = v[f[2]];
                Point3 n = voxel::cross(sub(b, a), sub(c, a));
                const double scale = (sense > 0 ? 0.5 : -0.5);
                n = {scale * n.x, scale * n.y, scale * n.z};
                for (PlaneFaces& p : planes) {
                    if (coordinate(a, p.axis) != p.value || coordinate(b, p.axis) != p.value ||
                        coordinate(c, p.axis) != p.value)
                        continue;
                    const double An = coordinate(n, p.axis);
                    p.area += An;
                    for (int k = 0; k < 3; ++k)
                        p.moment[k] +=
                            An * (coordinate(a, k) + coordinate(b, k) + coordinate(c, k)) / 3.0;
                    ++p.faces;
                }
            }
        }
    }
}

// Where two solids meet, one sees the face with its outward normal one way
// and the other the other way; only if both cover the same region do their
// areas and first moments cancel. The transom, a face of the hull's surface,
// keeps the area of its section, 2 * sum over the waterline intervals of the
// trapezoids (y_j + y_j+1) / 2 (z_j+1 - z_j), facing aft.
TEST(SolidBlocks, NeighboursCoverTheirSharedFacesExactly) {
    const voxel::OffsetTable table = test_hull();
    const std::vector<voxel::SolidBlock> solids = voxel::hull_solids(table);
    std::vector<PlaneFaces> planes;
    for (std::size_t i = 0; i < table.x.size(); ++i) planes.push_back({0, table.x[i]});
    for (std::size_t j = 0; j < table.z.size(); ++j) planes.push_back({2, table.z[j]});
    planes.push_back({1, 0.0});
    add_faces(solids, planes);

    const double L = 40.0, D = 6.0;
    const double area_tolerance = 1e-12 * L * D, moment_tolerance = 1e-12 * L * L * D;
    for (const PlaneFaces& p : planes) {
        const std::string name =
            std::string("plane ") + "xyz"[p.axis] + " = " + std::to_string(p.value);
        const bool transom = p.axis == 0 && p.value == table.x.front();
        const bool stem = p.axis == 0 && p.value == table.x.back();
        const bool bottom_or_top =
            p.axis == 2 && (p.value == table.z.front() || p.value == table.z.back());
        if (stem || bottom_or_top) continue;  // faces of the hull's surface
        EXPECT_GT(p.faces, 0) << name;
        if (transom) {
            double section = 0.0;
            for (std::size_t j = 0; j + 1 < table.z.size(); ++j)
                section += (table.half_breadth(0, j) + table.half_breadth(0, j + 1)) *
                           (table.z[j + 1] - table.z[j]);
            EXPECT_NEAR(p.area, -section, area_tolerance) << name;
            continue;
        }
        EXPECT_NEAR(p.area, 0.0, area_tolerance) << name;
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(p.moment[k], 0.0, moment_tolerance) << name << ", moment " << k;
    }
}

}  // namespace
