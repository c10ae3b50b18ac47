// Small hulls with closed-form hydrostatics, for the hydrostatic program's
// tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "kernel/hexahedron.h"
#include "kernel/point3.h"
#include "kernel/tetrahedron.h"
#include "model/body/level_sweep.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/hydrostatics/ship_model.h"
#include "support/reference_body.h"

namespace hydro_test {

// The five tetrahedra of the box [x0, x1] x [y0, y1] x [z0, z1], decomposed
// as a hexahedron.
inline std::vector<voxel::TetraVertices> box_tetrahedra(double x0, double x1, double y0, double y1,
                                                        double z0, double z1) {
    const voxel::Point3 v[8] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                                {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
    voxel::Hexahedron hex;
    hex.set_vertices(v);
    const std::array<voxel::TetraVertices, 5> tets = hex.decompose();
    return {tets.begin(), tets.end()};
}

// A ship of principal data L (= Lpp), B, D holding the given tetrahedra.
inline voxel::ShipModel ship_with(const std::vector<voxel::TetraVertices>& tets, double L, double B,
                                  double D) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    ship.Loa = L;
    ship.Lpp = L;
    ship.B = B;
    ship.D = D;
    ship.W_Den = 1.0;
    ship.C1 = 1.0;
    voxel::BodyBuilder hull(ship.crossing, voxel::Summation::Flat);
    for (const voxel::TetraVertices& t : tets) hull.add(t);
    ship.hull = hull.build();
    return ship;
}

// The waterplane of the level plane p in the ship's (x, y), from the full
// pass over the hull's tetrahedra; a hull holding a surface mesh (whose
// facets are no tetrahedra) takes the body's own section.
inline voxel::WaterplaneProps waterplane_properties(const voxel::ShipModel& ship,
                                                    const voxel::Plane& p) {
    for (int i = 0; i < ship.hull.group_count(); ++i)
        if (ship.hull.group(i).mesh >= 0)
            return ship.hull.section(
                p, [](const voxel::Point3& q) { return voxel::Point2{q.x, q.y}; });
    return testing_support::level_waterplane(ship.hull, p);
}

// The midship section at the draft T as the hydrostatic sweep takes it (a
// surface mesh's breadth from its contour).
inline voxel::MidshipSection midship_section(const voxel::ShipModel& ship, double T) {
    return voxel::LevelSweep(ship.hull, voxel::midship_station(ship)).at(T).midship;
}

// Box barge: x from 0 to L, y from -B/2 to B/2, z from 0 to D.
inline voxel::ShipModel box_ship(double L, double B, double D) {
    return ship_with(box_tetrahedra(0.0, L, -0.5 * B, 0.5 * B, 0.0, D), L, B, D);
}

// The ten key lines of a ship file.
inline std::string key_lines(double L, double B, double D, const std::string& zg = "1.5") {
    auto num = [](double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (!s.empty() && s.back() == '.') s.pop_back();
        return s;
    };
    return "Loa=" + num(L) + "\nLpp=" + num(L) + "\nB=" + num(B) + "\nD=" + num(D) +
           "\nVD=0\nGra_Pt.x=" + num(0.5 * L) + "\nGra_Pt.y=0\nGra_Pt.z=" + zg +
           "\nW_Den=1\nC1=1\n";
}

// The 10 x 4 x 3 box of the ship file example: its key lines and one
// Hexahedron block.
inline std::string box_example_file() {
    return key_lines(10, 4, 3) +
           "Hexahedron\n0,-2,0\n10,-2,0\n10,2,0\n0,2,0\n0,-2,3\n10,-2,3\n10,2,3\n0,2,3\n";
}

}  // namespace hydro_test
