#include "support/bodies.h"

#include "kernel/platform/number_format.h"
#include "support/body_solids.h"

namespace righting_arm_test {

using voxel::Point3;

voxel::Hexahedron box_solid(double x0, double x1, double y0, double y1, double z0, double z1) {
    const Point3 v[8] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                         {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
    voxel::Hexahedron h;
    h.set_vertices(v);
    return h;
}

void set_hexahedra(voxel::VoxelGroup& body, std::initializer_list<voxel::Hexahedron> hexahedra) {
    voxel::BodyBuilder b(body.crossing, voxel::Summation::PerSolid);
    for (const voxel::Hexahedron& h : hexahedra) b.add(h);
    body.set_body(b.build());
}

void make_box_barge(voxel::VoxelGroup& body) {
    voxel::BodyBuilder b(body.crossing, voxel::Summation::PerSolid);
    b.add(box_solid(-5, 5, -2, 2, 0, 3));
    body.set_body(b.build());
    body.V = 40.0;
    body.G = {0.0, 0.0, 0.8};
}

void make_trimmed_barge(voxel::VoxelGroup& body) {
    voxel::BodyBuilder b(body.crossing, voxel::Summation::PerSolid);
    b.add(box_solid(-5, 5, -2, 2, 0, 3));
    b.add(box_solid(2, 5, -1, 1, 3, 5));
    body.set_body(b.build());
    body.V = 40.0;
    body.G = {0.6, 0.0, 1.0};
}

void make_four_column_body(voxel::VoxelGroup& body) {
    // Summed as the reader sums: cylinders before hexahedra.
    voxel::BodyBuilder b(body.crossing, voxel::Summation::PerSolid);
    for (const double x : {-8.0, 8.0})
        for (const double y : {-8.0, 8.0}) b.add(voxel::Cylinder({x, y, 2.0}, {x, y, 12.0}, 1.5));
    b.add(box_solid(-10, 10, -10, -6, 0, 2));
    b.add(box_solid(-10, 10, 6, 10, 0, 2));
    body.set_body(b.build());
    body.V = 400.0;
    body.G = {0.0, 0.0, 5.0};
}

namespace {

std::string point_line(const Point3& p) {
    return voxel::format_number(p.x) + "," + voxel::format_number(p.y) + "," +
           voxel::format_number(p.z) + "\n";
}

}  // namespace

std::string format2_text(const voxel::VoxelGroup& body) {
    std::string s = "Volume of Displacement=" + voxel::format_number(body.V) + "\n";
    s += "Gra_Pt.x=" + voxel::format_number(body.G.x) + "\n";
    s += "Gra_Pt.y=" + voxel::format_number(body.G.y) + "\n";
    s += "Gra_Pt.z=" + voxel::format_number(body.G.z) + "\n";
    const testing_support::BodySolids solids = testing_support::solids_of(body.body());
    for (const voxel::Hexahedron& h : solids.hexahedra) {
        s += "Hexahedron\n";
        for (const Point3& p : h.V) s += point_line(p);
    }
    for (const voxel::Cylinder& c : solids.cylinders) {
        const std::string r = voxel::format_number(c.r) + "\n";
        s += "Cylinder\n" + point_line(c.P0) + r + point_line(c.P1) + r;
    }
    return s;
}

}  // namespace righting_arm_test
