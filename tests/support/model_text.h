// Small Format2 model texts for the tests: header, box hexahedra, cylinders.
// Numbers are written with 17 significant digits so they read back exactly.
#pragma once

#include <cstdio>
#include <string>

#include "kernel/point3.h"

namespace model_text {

inline std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

inline std::string point(const voxel::Point3& p) {
    return number(p.x) + "," + number(p.y) + "," + number(p.z) + "\n";
}

inline std::string header(double V, const voxel::Point3& G) {
    return "Volume of Displacement=" + number(V) + "\nGra_Pt.x=" + number(G.x) +
           "\nGra_Pt.y=" + number(G.y) + "\nGra_Pt.z=" + number(G.z) + "\n";
}

// The axis-aligned box lo..hi: bottom face V0..V3 counter-clockwise seen
// from above, top face V4..V7 above them.
inline std::string box(const voxel::Point3& lo, const voxel::Point3& hi) {
    return "Hexahedron\n" + point({lo.x, lo.y, lo.z}) + point({hi.x, lo.y, lo.z}) +
           point({hi.x, hi.y, lo.z}) + point({lo.x, hi.y, lo.z}) + point({lo.x, lo.y, hi.z}) +
           point({hi.x, lo.y, hi.z}) + point({hi.x, hi.y, hi.z}) + point({lo.x, hi.y, hi.z});
}

inline std::string cylinder(const voxel::Point3& p0, double r, const voxel::Point3& p1) {
    return "Cylinder\n" + point(p0) + number(r) + "\n" + point(p1) + number(r) + "\n";
}

inline std::string tetrahedron(const voxel::Point3& a, const voxel::Point3& b,
                               const voxel::Point3& c, const voxel::Point3& d) {
    return "Tetrahedron\n" + point(a) + point(b) + point(c) + point(d);
}

// A semi-submersible: two pontoons 10 x 2 x 1 along x, four columns of radius
// 1 from z = 1 to z = 6 standing on them at (1, 1), (9, 1), (1, 9), (9, 9).
inline std::string four_column_solids() {
    std::string s = box({0, 0, 0}, {10, 2, 1}) + box({0, 8, 0}, {10, 10, 1});
    const double xy[4][2] = {{1, 1}, {9, 1}, {1, 9}, {9, 9}};
    for (const auto& c : xy) s += cylinder({c[0], c[1], 1}, 1.0, {c[0], c[1], 6});
    return s;
}

}  // namespace model_text
