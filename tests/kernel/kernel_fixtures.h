// Planes and solids shared by the kernel suites.
#pragma once

#include <cmath>
#include <vector>

#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "kernel/triangle_prism.h"

namespace kernel_test {

// The cylinder's rim angles use this value, not pi.
constexpr double kRimPi = 3.1415926;

// Volume of the inscribed n-gon prism that stands for a cylinder of radius r
// and length L: n triangles of area r^2 sin(2 pi' / n) / 2, with pi' the rim's.
inline double polygon_prism_volume(int n, double r, double L) {
    return n * std::sin(2 * kRimPi / n) / 2 * r * r * L;
}

inline voxel::Plane make_plane(double a, double b, double c, double d) {
    voxel::Plane p;
    p.set(a, b, c, d);
    return p;
}

// The same plane with the sides exchanged: what was dry is submerged.
inline voxel::Plane flipped(const voxel::Plane& p) {
    return make_plane(-p.A, -p.B, -p.C, -p.D);
}

inline voxel::TrianglePrism make_prism(const std::vector<voxel::Point3>& v) {
    voxel::TrianglePrism p;
    p.set_vertices(v.data());
    return p;
}

inline voxel::Hexahedron make_hexahedron(const std::vector<voxel::Point3>& v) {
    voxel::Hexahedron h;
    h.set_vertices(v.data());
    return h;
}

// The axis-aligned box lo..hi: bottom face counter-clockwise from lo seen
// from above, then the top face.
inline voxel::Hexahedron make_box(const voxel::Point3& lo, const voxel::Point3& hi) {
    return make_hexahedron({{lo.x, lo.y, lo.z},
                            {hi.x, lo.y, lo.z},
                            {hi.x, hi.y, lo.z},
                            {lo.x, hi.y, lo.z},
                            {lo.x, lo.y, hi.z},
                            {hi.x, lo.y, hi.z},
                            {hi.x, hi.y, hi.z},
                            {lo.x, hi.y, hi.z}});
}

inline voxel::Hexahedron unit_cube() {
    return make_box({0, 0, 0}, {1, 1, 1});
}

// End triangle (0,0,0), (1,0,0), (0,1,0), height 1.
inline voxel::TrianglePrism right_prism() {
    return make_prism({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}});
}

}  // namespace kernel_test
