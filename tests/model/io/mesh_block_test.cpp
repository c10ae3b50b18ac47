// A SurfaceMesh block in a Format2 model: the mesh's signed fan of
// tetrahedra gives the same volumes, centres and waterplanes as the same body
// written as hexahedra, for a convex box and a non-convex L section, its
// waterplane's extents from the mesh's contour; an inverted copy gives the
// same; a mesh that cannot be used ends the reading with errors naming it.
#include "model/io/mesh_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/body/level_sweep.h"
#include "model/body/voxel_group.h"
#include "model/io/format2_reader.h"
#include "model/io/ship_reader.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;
using voxel::Plane;
using voxel::Point3;
using voxel::VoxelGroup;

const std::string kHeader = "Volume of Displacement=20\nGra_Pt.x=5\nGra_Pt.y=1\nGra_Pt.z=1\n";

// The L section (y, z): (0,0) (4,0) (4,1) (1,1) (1,3) (0,3), counter-clockwise
// seen from +x, extruded from x = 0 to x = 10; as an OBJ whose end caps are
// hexagons (fanned from their first corner, which the L allows) and whose
// sides are quads, every face counter-clockwise seen from outside.
std::string l_prism_obj(bool inverted) {
    const double section[6][2] = {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}};
    std::string obj;
    for (double x : {0.0, 10.0})
        for (const auto& p : section)
            obj += "v " + std::to_string(x) + " " + std::to_string(p[0]) + " " +
                   std::to_string(p[1]) + "\n";
    // Inverted: the same first corner, the others in the opposite order.
    auto face = [&obj, inverted](std::vector<int> corners) {
        if (inverted) std::reverse(corners.begin() + 1, corners.end());
        std::string f;
        for (int c : corners) f += " " + std::to_string(c);
        obj += "f" + f + "\n";
    };
    face({1, 6, 5, 4, 3, 2});     // x = 0, facing -x
    face({7, 8, 9, 10, 11, 12});  // x = 10, facing +x
    for (int i = 1; i <= 6; ++i) {
        const int j = i % 6 + 1;
        face({i, j, j + 6, i + 6});
    }
    return obj;
}

std::string box_block(double y0, double y1, double z0, double z1) {
    auto v = [](double x, double y, double z) {
        return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + "\n";
    };
    return "Hexahedron\n" + v(0, y0, z0) + v(10, y0, z0) + v(10, y1, z0) + v(0, y1, z0) +
           v(0, y0, z1) + v(10, y0, z1) + v(10, y1, z1) + v(0, y1, z1);
}

voxel::ReadResult read(VoxelGroup& group, const ScratchDir& dir, const std::string& model) {
    return voxel::read_format2_model(group, dir.write("model.txt", model));
}

Plane plane(double A, double B, double C, double D) {
    Plane p;
    p.set(A, B, C, D);
    return p;
}

TEST(MeshBlock, NonConvexMeshAsTheSameBodyOfHexahedra) {
    ScratchDir dir;
    dir.write("l.obj", l_prism_obj(false));
    dir.write("l_inverted.obj", l_prism_obj(true));
    VoxelGroup hexahedra(voxel::CrossingTolerance::Strict);
    ASSERT_FALSE(read(hexahedra, dir, kHeader + box_block(0, 4, 0, 1) + box_block(0, 1, 1, 3))
                     .diagnostics.has_errors());
    for (const char* mesh : {"l.obj", "l_inverted.obj"}) {
        SCOPED_TRACE(mesh);
        VoxelGroup surface(voxel::CrossingTolerance::Strict);
        const voxel::ReadResult r =
            read(surface, dir, kHeader + "SurfaceMesh\n" + mesh + "\n1\n0,0,0\n");
        ASSERT_FALSE(r.diagnostics.has_errors()) << r.diagnostics.lines()[0];
        EXPECT_EQ(r.diagnostics.empty(), std::string(mesh) == "l.obj");  // inverted: a warning
        EXPECT_NEAR(surface.total_volume(), 60.0, 1e-12);
        // Level, heeled and trimmed planes through the body, and one above it.
        const Plane planes[] = {plane(0, 0, 1, -0.5), plane(0, 0, 1, -2), plane(0, 0.6, 0.8, -1.9),
                                plane(0.1, -0.5, 0.86, -1.2), plane(0, 0, 1, -5)};
        for (const Plane& p : planes) {
            const voxel::SubmergedPart a = surface.submerged_volume_and_centre(p);
            const voxel::SubmergedPart b = hexahedra.submerged_volume_and_centre(p);
            EXPECT_NEAR(a.volume, b.volume, 1e-12 * 60);
            EXPECT_NEAR(a.centroid.x, b.centroid.x, 1e-12 * 10);
            EXPECT_NEAR(a.centroid.y, b.centroid.y, 1e-12 * 10);
            EXPECT_NEAR(a.centroid.z, b.centroid.z, 1e-12 * 10);
        }
        // At z = 2 the water cuts the upright bar only: 10 long, 1 wide, though
        // the fan's tetrahedra reach from the box centre (y = 2) across it.
        const voxel::WaterplaneProps w = surface.waterplane(plane(0, 0, 1, -2), Point3{1, 0, 0});
        const voxel::WaterplaneProps h = hexahedra.waterplane(plane(0, 0, 1, -2), Point3{1, 0, 0});
        EXPECT_NEAR(w.Aw, 10.0, 1e-12);
        EXPECT_NEAR(w.IT, h.IT, 1e-12);
        EXPECT_NEAR(w.IT, 10.0 / 12.0, 1e-12);  // L B^3 / 12
        EXPECT_DOUBLE_EQ(w.breadth, 1.0);
        EXPECT_DOUBLE_EQ(w.length, 10.0);
        // The search finds the same plane: V = 20 is the lower bar's 40 halved.
        const voxel::WaterPlane a = surface.find_water_plane(20.0, Point3{0, 0, 1});
        const voxel::WaterPlane b = hexahedra.find_water_plane(20.0, Point3{0, 0, 1});
        EXPECT_NEAR(a.plane.D, -0.5, 1e-9);
        EXPECT_NEAR(a.plane.D, b.plane.D, 1e-12);
    }
}

TEST(MeshBlock, AMeshThatCannotBeUsedIsAnErrorOfTheModelToo) {
    ScratchDir dir;
    std::string open_box = l_prism_obj(false);
    open_box.erase(open_box.rfind("f "));  // the last side left out
    dir.write("open.obj", open_box);
    const struct {
        std::string block;
        const char* message;
    } cases[] = {
        {"SurfaceMesh\nmissing.obj\n1\n0,0,0\n", "missing.obj"},
        {"SurfaceMesh\nopen.obj\n1\n0,0,0\n", "open.obj"},
        {"SurfaceMesh\nopen.obj\n0\n0,0,0\n", "比例因子须为正的有限数"},
        {"SurfaceMesh\n\n", "网格文件路径"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        VoxelGroup group(voxel::CrossingTolerance::Strict);
        const voxel::ReadResult r = read(group, dir, kHeader + c.block + box_block(0, 4, 0, 1));
        ASSERT_TRUE(r.diagnostics.has_errors());
        std::string all;
        for (const std::string& line : r.diagnostics.lines()) all += line + "\n";
        EXPECT_NE(all.find(c.message), std::string::npos) << all;
        EXPECT_NE(all.find("model.txt:"), std::string::npos) << all;
    }
}

// In a ship file the level sweep takes the mesh's volumes and areas from its
// fan and the breadths from its contour: the waterplane at z = 2 is the
// upright bar's (1 wide), the midship section below it the whole L (4 wide,
// area 4 + 1).
TEST(MeshBlock, ShipFileSweepOfANonConvexMesh) {
    ScratchDir dir;
    dir.write("l.obj", l_prism_obj(false));
    const std::string keys =
        "Loa=10\nLpp=10\nB=8\nD=3\nVD=20\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1\nW_Den=1.025\nC1=1\n";
    voxel::ShipModel mesh(voxel::CrossingTolerance::Strict),
        hexahedra(voxel::CrossingTolerance::Strict);
    ASSERT_FALSE(voxel::read_ship_information(
                     mesh, dir.write("mesh.txt", keys + "SurfaceMesh\nl.obj\n1\n0,0,0\n"))
                     .diagnostics.has_errors());
    ASSERT_FALSE(
        voxel::read_ship_information(
            hexahedra, dir.write("hex.txt", keys + box_block(0, 4, 0, 1) + box_block(0, 1, 1, 3)))
            .diagnostics.has_errors());
    const voxel::MidshipStation station{5.0, 4.0};
    const voxel::LevelSweep a(mesh.hull, station), b(hexahedra.hull, station);
    for (double T : {0.5, 1.0, 2.0, 2.9}) {
        SCOPED_TRACE(T);
        const voxel::LevelSection m = a.at(T), h = b.at(T);
        EXPECT_NEAR(m.submerged.volume, h.submerged.volume, 1e-12 * 60);
        EXPECT_NEAR(m.submerged.centroid.z, h.submerged.centroid.z, 1e-12);
        EXPECT_NEAR(m.waterplane.Aw, h.waterplane.Aw, 1e-12);
        EXPECT_NEAR(m.waterplane.IT, h.waterplane.IT, 1e-11);
        EXPECT_NEAR(m.waterplane.IL, h.waterplane.IL, 1e-9);
        EXPECT_NEAR(m.waterplane.breadth, h.waterplane.breadth, 1e-12);
        EXPECT_NEAR(m.waterplane.length, h.waterplane.length, 1e-12);
        EXPECT_NEAR(m.midship.Am, h.midship.Am, 1e-12);
        EXPECT_NEAR(m.midship.Bm, h.midship.Bm, 1e-12);
    }
    const voxel::LevelSection m = a.at(2.0);
    EXPECT_NEAR(m.waterplane.breadth, 1.0, 1e-12);
    EXPECT_NEAR(m.midship.Bm, 4.0, 1e-12);
    EXPECT_NEAR(m.midship.Am, 5.0, 1e-12);
}

}  // namespace
