// A surface mesh cut with the fan's apex on the query plane: the volume,
// centre, bounds and section of meshed boxes against the same solids as
// hexahedra, under tilted planes, with the apex's projection outside the
// hull (two hulls side by side), for the mesh turned inside out (read and
// turned back) or its corners and facets in another order; and the level
// sweep giving the body's own doubles.
#include "model/body/facet_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model/body/body.h"
#include "model/body/level_sweep.h"
#include "model/io/triangle_mesh.h"

namespace {

using voxel::Body;
using voxel::BodyBuilder;
using voxel::CrossingTolerance;
using voxel::Plane;
using voxel::Point3;
using voxel::Summation;

struct Mesh {
    std::vector<Point3> vertices;
    std::vector<std::array<int, 3>> facets;
};

// The surface of the box [lo, hi], each face an n x n grid of quads cut
// into two triangles, counter-clockwise seen from outside, the grid points
// shared; appended to `mesh` (a second box makes a second shell).
void add_box(Mesh& mesh, const Point3& lo, const Point3& hi, int n) {
    std::map<std::array<int, 3>, int> index;
    auto vertex = [&](std::array<int, 3> g) {
        const auto found = index.find(g);
        if (found != index.end()) return found->second;
        const double t[3] = {double(g[0]) / n, double(g[1]) / n, double(g[2]) / n};
        mesh.vertices.push_back({lo.x + (hi.x - lo.x) * t[0], lo.y + (hi.y - lo.y) * t[1],
                                 lo.z + (hi.z - lo.z) * t[2]});
        const int i = static_cast<int>(mesh.vertices.size()) - 1;
        index[g] = i;
        return i;
    };
    // For each face: the fixed axis and side, and the axes u, v with
    // u x v the outward normal.
    const int faces[6][4] = {{0, 1, 1, 2}, {0, 0, 2, 1}, {1, 1, 2, 0},
                             {1, 0, 0, 2}, {2, 1, 0, 1}, {2, 0, 1, 0}};
    for (const auto& f : faces) {
        auto at = [&](int i, int j) {
            std::array<int, 3> g{};
            g[f[0]] = f[1] * n;
            g[f[2]] = i;
            g[f[3]] = j;
            return vertex(g);
        };
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int p00 = at(i, j), p10 = at(i + 1, j), p11 = at(i + 1, j + 1),
                          p01 = at(i, j + 1);
                mesh.facets.push_back({p00, p10, p11});
                mesh.facets.push_back({p00, p11, p01});
            }
    }
}

voxel::Hexahedron box_hexahedron(const Point3& lo, const Point3& hi) {
    const Point3 v[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z},
                         {lo.x, hi.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
                         {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    voxel::Hexahedron h;
    h.set_vertices(v);
    return h;
}

struct Boxes {
    std::vector<std::array<Point3, 2>> boxes;
    Mesh mesh(int n) const {
        Mesh m;
        for (const auto& b : boxes) add_box(m, b[0], b[1], n);
        return m;
    }
    Body hexahedra(Summation s) const {
        BodyBuilder b(CrossingTolerance::Strict, s);
        for (const auto& x : boxes) b.add(box_hexahedron(x[0], x[1]));
        return b.build();
    }
};

Body surface(const Mesh& m, Summation s) {
    BodyBuilder b(CrossingTolerance::Strict, s);
    b.add_surface(m.vertices, m.facets);
    return b.build();
}

Plane plane(double A, double B, double C, double D) {
    Plane p;
    p.set(A, B, C, D);
    return p;
}

// Volumes to 1e-12 of the body's, lengths to 1e-12 of its size, section
// moments to 1e-12 of their scale.
constexpr double kRelative = 1e-12;

void expect_same_queries(const Body& mesh, const Body& hexahedra, const Plane& p,
                         double volume_scale, double length_scale) {
    const voxel::SubmergedPart a = mesh.part_below(p), b = hexahedra.part_below(p);
    EXPECT_NEAR(a.volume, b.volume, kRelative * volume_scale);
    EXPECT_EQ(mesh.volume_below(p), a.volume);
    const voxel::VolumeBracket r = mesh.volume_bracket(p);
    EXPECT_EQ(r.lo, a.volume);
    EXPECT_EQ(r.hi, a.volume);
    if (b.volume > 1e-6 * volume_scale) {
        EXPECT_NEAR(a.centroid.x, b.centroid.x, kRelative * length_scale * 10);
        EXPECT_NEAR(a.centroid.y, b.centroid.y, kRelative * length_scale * 10);
        EXPECT_NEAR(a.centroid.z, b.centroid.z, kRelative * length_scale * 10);
    }
    const Point3 axis{p.B, -p.A, 0.0};  // level or heeled about a line in p
    const Point3 u = std::fabs(p.A) + std::fabs(p.B) > 0.0 ? axis : Point3{1, 0, 0};
    const voxel::WaterplaneProps w = mesh.section(p, u), h = hexahedra.section(p, u);
    const double area_scale = length_scale * length_scale;
    EXPECT_NEAR(w.Aw, h.Aw, kRelative * area_scale);
    if (h.Aw > 1e-6 * area_scale) {
        EXPECT_NEAR(w.xf, h.xf, kRelative * length_scale * 10);
        EXPECT_NEAR(w.yf, h.yf, kRelative * length_scale * 10);
        EXPECT_NEAR(w.IT, h.IT, kRelative * area_scale * area_scale * 10);
        EXPECT_NEAR(w.IL, h.IL, kRelative * area_scale * area_scale * 10);
    }
    EXPECT_NEAR(w.breadth, h.breadth, kRelative * length_scale);
    EXPECT_NEAR(w.length, h.length, kRelative * length_scale);
}

const Plane kPlanes[] = {
    plane(0, 0, 1, -0.37),       plane(0.05, -0.3, 0.95, -0.8),
    plane(0.2, 0.1, 0.97, -0.2), plane(-0.4, 0.25, 0.88, -1.3),
    plane(0, 0.6, 0.8, -0.5),    plane(0.7, 0.0, 0.71, -2.9),
    plane(0, 0, 1, -5),          plane(0, 0, 1, 1),  // above and below everything
};

TEST(FacetTree, MeshedBoxUnderTiltedPlanesAsTheHexahedron) {
    // 6 * 2 * 7^2 facets: a tree of several levels.
    const Boxes box{{{Point3{0.5, -1.1, 0.0}, Point3{4.5, 1.3, 1.5}}}};
    const Mesh m = box.mesh(7);
    for (Summation s : {Summation::PerSolid, Summation::Flat}) {
        const Body mesh = surface(m, s), hexahedra = box.hexahedra(s);
        EXPECT_NEAR(mesh.total_volume(), 4.0 * 2.4 * 1.5, kRelative * 14.4);
        for (const Plane& p : kPlanes) expect_same_queries(mesh, hexahedra, p, 14.4, 4.0);
        // The search goes through the same planes to its tolerance.
        const voxel::WaterPlane a = mesh.find_water_plane(5.0, Point3{0.1, -0.2, 1.0});
        const voxel::WaterPlane b = hexahedra.find_water_plane(5.0, Point3{0.1, -0.2, 1.0});
        EXPECT_NEAR(a.plane.D, b.plane.D, 1e-9);
        EXPECT_NEAR(a.volume_reached, 5.0, 1e-9 * 5.0);
    }
}

// Two hulls side by side, y in [-3, -1] and [1, 3]: the apex (the projection
// of the centre of the vertices' box, y = 0) lies in the gap, outside the
// solid, for every level and heeled plane.
const Boxes kCatamaran{
    {{Point3{0, -3, 0}, Point3{10, -1, 2}}, {Point3{0, 1, 0}, Point3{10, 3, 2}}}};

TEST(FacetTree, ApexOutsideTheHullTwoBoxesSideBySide) {
    const Mesh m = kCatamaran.mesh(5);
    for (Summation s : {Summation::PerSolid, Summation::Flat}) {
        const Body mesh = surface(m, s), hexahedra = kCatamaran.hexahedra(s);
        EXPECT_NEAR(mesh.total_volume(), 80.0, kRelative * 80);
        for (const Plane& p : kPlanes) expect_same_queries(mesh, hexahedra, p, 80.0, 10.0);
        // Level: the waterplane is two strips 10 x 2 whose centres are 4
        // apart: IL about the centre line = 2 (10 2^3 / 12 + 20 2^2).
        const Point3 along_x{1, 0, 0};
        const voxel::WaterplaneProps w = mesh.section(plane(0, 0, 1, -1), along_x);
        EXPECT_NEAR(w.Aw, 40.0, kRelative * 100);
        EXPECT_NEAR(w.IT, 2 * (10.0 * 8.0 / 12.0 + 20.0 * 4.0), kRelative * 1e4);
        EXPECT_NEAR(w.breadth, 6.0, kRelative * 10);
    }
    // The level sweep of the Flat body: the body's own doubles, and the
    // hexahedra's values to rounding, the midship section two 2 x T pieces.
    const Body mesh = surface(m, Summation::Flat),
               hexahedra = kCatamaran.hexahedra(Summation::Flat);
    const voxel::MidshipStation station{5.0, 3.5};
    const voxel::LevelSweep a(mesh, station), b(hexahedra, station);
    for (double T : {0.3, 1.0, 1.7}) {
        SCOPED_TRACE(T);
        const voxel::LevelSection x = a.at(T), y = b.at(T);
        const Plane level{0.0, 0.0, 1.0, -T};
        const voxel::SubmergedPart part = mesh.part_below(level);
        EXPECT_EQ(x.submerged.volume, part.volume);
        EXPECT_EQ(x.submerged.centroid.z, part.centroid.z);
        const voxel::WaterplaneProps w = mesh.section(level, [](const Point3& q) {
            return voxel::Point2{q.x, q.y};
        });
        EXPECT_EQ(x.waterplane.Aw, w.Aw);
        EXPECT_EQ(x.waterplane.IT, w.IT);
        EXPECT_NEAR(x.submerged.volume, y.submerged.volume, kRelative * 80);
        EXPECT_NEAR(x.submerged.centroid.z, T / 2, kRelative * 10);
        EXPECT_NEAR(x.waterplane.Aw, y.waterplane.Aw, kRelative * 100);
        EXPECT_NEAR(x.waterplane.IT, y.waterplane.IT, kRelative * 1e4);
        EXPECT_NEAR(x.waterplane.IL, y.waterplane.IL, kRelative * 1e5);
        EXPECT_NEAR(x.midship.Am, 4.0 * T, kRelative * 100);
        EXPECT_NEAR(x.midship.Am, y.midship.Am, kRelative * 100);
        EXPECT_NEAR(x.midship.Bm, 6.0, kRelative * 10);
        EXPECT_GT(x.midship.polygons, 0);
    }
}

TEST(FacetTree, InvertedAndReorderedMeshGivesTheSame) {
    const Mesh m = kCatamaran.mesh(4);
    // Every facet turned inward, written as an OBJ: the reader turns it back.
    std::string obj;
    for (const Point3& v : m.vertices)
        obj += "v " + std::to_string(v.x) + " " + std::to_string(v.y) + " " + std::to_string(v.z) +
               "\n";
    for (const auto& f : m.facets)
        obj += "f " + std::to_string(f[0] + 1) + " " + std::to_string(f[2] + 1) + " " +
               std::to_string(f[1] + 1) + "\n";
    const voxel::MeshReadResult read =
        voxel::read_triangle_mesh_bytes("inverted.obj", obj, 1.0, {});
    ASSERT_FALSE(read.diagnostics.has_errors());
    // The corners of each facet started one further on, the facets in
    // reverse order.
    Mesh turned = m;
    std::reverse(turned.facets.begin(), turned.facets.end());
    for (auto& f : turned.facets) f = {f[1], f[2], f[0]};
    const Body hexahedra = kCatamaran.hexahedra(Summation::PerSolid);
    const Mesh* const meshes[] = {&turned, nullptr};
    for (const Mesh* x : meshes) {
        BodyBuilder b(CrossingTolerance::Strict, Summation::PerSolid);
        if (x)
            b.add_surface(x->vertices, x->facets);
        else
            b.add_surface(read.mesh.vertices, read.mesh.facets);
        const Body mesh = b.build();
        EXPECT_NEAR(mesh.total_volume(), 80.0, kRelative * 80);
        for (const Plane& p : kPlanes) expect_same_queries(mesh, hexahedra, p, 80.0, 10.0);
    }
}

}  // namespace
