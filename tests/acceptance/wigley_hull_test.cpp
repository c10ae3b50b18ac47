// The Wigley hull at its design draft against the closed forms of its
// defining surface, for the fine and the coarse model, each built of cells
// and as a closed triangle mesh (two triangles a cell face) on the same grid.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kernel/platform/number_format.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/ship_reader.h"
#include "support/hull_fixtures.h"

namespace {

struct Models {
    const char* kind;
    std::string fine, coarse;
};
const Models kModels[2] = {
    {"cells", VOXEL_SOURCE_DIR "/examples/wigley/ship_fine.txt",
     VOXEL_SOURCE_DIR "/examples/wigley/ship_coarse.txt"},
    {"mesh", VOXEL_SOURCE_DIR "/examples/wigley_mesh/ship_fine.txt",
     VOXEL_SOURCE_DIR "/examples/wigley_mesh/ship_coarse.txt"}};

// The hull: half-breadth y = (B/2) (1 - u^2) (1 - v^2) with u = 2 xi / L (xi
// from midship) and v = zeta / T (zeta the depth below the design waterline
// z = T), L = 100, B = 10, T = 6.25 m. With
//   int_{-1}^{1} (1 - u^2) du = 4/3,  int_0^1 (1 - v^2) dv = 2/3,
//   int_{-1}^{1} (1 - u^2)^3 du = 32/35,  int_{-1}^{1} u^2 (1 - u^2) du = 4/15,
//   int_0^1 v (1 - v^2) dv = 1/4:
// - waterplane (v = 0): Aw = int 2y dxi = B (L/2) (4/3) = (2/3) L B, Cw = 2/3;
// - midship section (u = 0): Am = int 2y dzeta = B T (2/3), Cm = Am / (B T) = 2/3;
// - V = int int 2y dxi dzeta = B (L/2)(4/3) T (2/3) = (4/9) L B T, CB = 4/9,
//   Cp = V / (Am L) = 2/3;
// - depth of the centre of buoyancy below the waterline:
//   int zeta dV / V = T (1/4) / (2/3) = 3T/8, so KB = T - 3T/8 = 5T/8;
// - I_T = int (2/3) y^3 dxi = (2/3) (B/2)^3 (L/2) (32/35) = (4/105) B^3 L, so
//   BM = I_T / V = 3 B^2 / (35 T);
// - I_L = int xi^2 2y dxi = B (L/2)^3 (4/15) = B L^3 / 30, so BML = 3 L^2 / (40 T).
constexpr double kL = 100.0, kB = 10.0, kT = 6.25;

struct Hydrostatics {
    double CB, Cw, Cm, Cp, V, KB, BM, BML;
    double xb, xf;  // centres of buoyancy and flotation, m from the stern
};

const Hydrostatics kExact = {4.0 / 9.0,
                             2.0 / 3.0,
                             2.0 / 3.0,
                             2.0 / 3.0,
                             4.0 / 9.0 * kL* kB* kT,
                             5.0 * kT / 8.0,
                             3.0 * kB* kB / (35.0 * kT),
                             3.0 * kL* kL / (40.0 * kT),
                             0.5 * kL,
                             0.5 * kL};

const char* const kNames[8] = {"CB", "Cw", "Cm", "Cp", "V", "KB", "BM", "BML"};

double quantity(const Hydrostatics& h, int q) {
    const double v[8] = {h.CB, h.Cw, h.Cm, h.Cp, h.V, h.KB, h.BM, h.BML};
    return v[q];
}

// The model's quantities at z = T, as the hydrostatic program forms them:
// CB and Cw over the waterplane's own length and breadth, Cm over the midship
// section's breadth, Cp over Lpp.
Hydrostatics at_design_draft(const std::string& path) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information(ship, path);
    EXPECT_TRUE(read.opened && read.diagnostics.empty()) << path;
    EXPECT_EQ(ship.Lpp, kL);
    EXPECT_EQ(ship.B, kB);
    // VD is the exact displacement volume at T in m^3 (4/9 L B T), not a mass.
    EXPECT_NEAR(ship.VD, 4.0 / 9.0 * kL * kB * kT, 1e-9 * kL * kB * kT);
    voxel::Plane plane;
    plane.set(0.0, 0.0, 1.0, -kT);
    const voxel::WaterplaneProps w = hydro_test::waterplane_properties(ship, plane);
    const voxel::SubmergedPart s = ship.hull.part_below(plane);
    const voxel::MidshipSection m = hydro_test::midship_section(ship, kT);
    Hydrostatics h;
    h.V = s.volume;
    h.KB = s.centroid.z;
    h.xb = s.centroid.x;
    h.xf = w.xf;
    h.CB = s.volume / (kT * (w.breadth * w.length));
    h.Cw = w.Aw / (w.breadth * w.length);
    h.Cm = (m.Am / m.Bm) / kT;
    h.Cp = s.volume / (m.Am * ship.Lpp);
    h.BM = w.IT / s.volume;
    h.BML = w.IL / s.volume;
    return h;
}

double relative_error(const Hydrostatics& h, int q) {
    return (quantity(h, q) - quantity(kExact, q)) / quantity(kExact, q);
}

// Flat-faced cells between stations and levels: the fine grid (40 stations,
// 20 levels below T) comes within 1 % of every closed form.
TEST(WigleyHull, FineModelWithinOnePercentAtTheDesignDraft) {
    for (const Models& m : kModels) {
        const Hydrostatics fine = at_design_draft(m.fine);
        for (int q = 0; q < 8; ++q) {
            EXPECT_LT(std::fabs(relative_error(fine, q)), 0.01)
                << m.kind << ": " << kNames[q] << " = " << quantity(fine, q) << ", closed form "
                << quantity(kExact, q);
            RecordProperty(std::string(m.kind) + "_fine_" + kNames[q],
                           voxel::format_number(quantity(fine, q)));
        }
        // The model is built symmetric fore and aft.
        EXPECT_NEAR(fine.xb, kExact.xb, 1e-9 * kL) << m.kind;
        EXPECT_NEAR(fine.xf, kExact.xf, 1e-9 * kL) << m.kind;
    }
}

// Refining the grid brings every quantity closer to the smooth hull.
TEST(WigleyHull, CoarseModelFartherFromTheClosedFormsThanTheFine) {
    for (const Models& m : kModels) {
        const Hydrostatics fine = at_design_draft(m.fine);
        const Hydrostatics coarse = at_design_draft(m.coarse);
        for (int q = 0; q < 8; ++q) {
            EXPECT_GT(std::fabs(relative_error(coarse, q)), std::fabs(relative_error(fine, q)))
                << m.kind << ": " << kNames[q] << ": coarse " << quantity(coarse, q) << ", fine "
                << quantity(fine, q) << ", closed form " << quantity(kExact, q);
            RecordProperty(std::string(m.kind) + "_coarse_" + kNames[q],
                           voxel::format_number(quantity(coarse, q)));
        }
    }
}

// At the grid's levels the mesh is the cells' hull: the same waterplane and
// station polygons, so every quantity agrees but for the mesh file's single
// precision coordinates (a relative 6e-8 each; the cells' file has 10 digits).
TEST(WigleyHull, MeshAndCellsOfOneGridAgree) {
    for (const bool fine : {true, false}) {
        const Hydrostatics cells = at_design_draft(fine ? kModels[0].fine : kModels[0].coarse);
        const Hydrostatics mesh = at_design_draft(fine ? kModels[1].fine : kModels[1].coarse);
        for (int q = 0; q < 8; ++q)
            EXPECT_NEAR(quantity(mesh, q), quantity(cells, q), 1e-6 * std::fabs(quantity(cells, q)))
                << (fine ? "fine " : "coarse ") << kNames[q];
    }
}

}  // namespace
