// The hydrostatic table of the example box barge, run end to end, against the
// closed forms of a rectangular box at every waterline; and of the same ship
// file with the box as one closed mesh.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "box_mesh.h"
#include "hydro_table_file.h"
#include "model/io/ship_reader.h"
#include "printed_digits.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

const std::string kShip = VOXEL_SOURCE_DIR "/examples/box_barge/ship.txt";

// A box L x B x D with its bottom on z = 0, centred on y = 0, from x = 0 to
// L = Lpp, floating level at draft T:
//   V = L B T, centre of buoyancy at half the draft, on the middle station;
//   the waterplane is the rectangle L x B: Aw = L B, centre of flotation on
//   the middle station, I_T = L B^3 / 12, I_L = B L^3 / 12, hence
//   Zm = T/2 + I_T / V = T/2 + B^2 / (12 T), ZmL = T/2 + L^2 / (12 T);
//   the box fills its block, waterplane rectangle and midship rectangle:
//   CB = Cw = Cm = Cp = 1;
//   TPC = W_Den Aw / 100 (tonnes per cm), DIS = W_Den V, DISk = C1 DIS,
//   MTC = GML DIS / (100 L) with GML = ZmL - Zg (t m per cm of trim).
struct BoxRow {
    double V, DIS, DISk, Zb, Xb, Aw, Xf, Zm, TPC, MTC, ZmL, CB, Cw, Cm, Cp;
};

struct Box {
    double L, B, D, zG, W_Den, C1;

    BoxRow at(double T) const {
        BoxRow r;
        r.V = L * B * T;
        r.DIS = W_Den * r.V;
        r.DISk = C1 * r.DIS;
        r.Zb = 0.5 * T;
        r.Xb = 0.0;
        r.Aw = L * B;
        r.Xf = 0.0;
        r.Zm = 0.5 * T + B * B / (12.0 * T);
        r.TPC = W_Den * L * B / 100.0;
        r.ZmL = 0.5 * T + L * L / (12.0 * T);
        r.MTC = (r.ZmL - zG) * r.DIS / 100.0 / L;
        r.CB = r.Cw = r.Cm = r.Cp = 1.0;
        return r;
    }
};

// The barge's data from its ship file, checked to be such a box.
Box read_box(const std::string& path) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information(ship, path);
    EXPECT_TRUE(read.opened);
    EXPECT_TRUE(read.diagnostics.empty());
    const voxel::Box3 b = ship.hull.box();
    const Box box = {b.maxx - b.minx, b.maxy - b.miny, b.maxz - b.minz,
                     ship.Gra_Pt.z,   ship.W_Den,      ship.C1};
    const double tolerance = 1e-12 * box.L;
    EXPECT_NEAR(b.minx, 0.0, tolerance);
    EXPECT_NEAR(b.maxx, ship.Lpp, tolerance);
    EXPECT_NEAR(b.miny, -b.maxy, tolerance);
    EXPECT_NEAR(b.minz, 0.0, tolerance);
    EXPECT_NEAR(ship.B, box.B, tolerance);
    EXPECT_NEAR(ship.D, box.D, tolerance);
    EXPECT_NEAR(ship.hull.total_volume(), box.L * box.B * box.D, 1e-12 * box.L * box.B * box.D);
    return box;
}

void expect_closed_forms(const std::string& ship) {
    SCOPED_TRACE(ship);
    const Box box = read_box(ship);
    testing_support::ScratchDir dir;
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    const testing_support::ProcessResult r =
        testing_support::run_program(HYDROSTATIC_CURVES_EXE, {ship}, options);
    ASSERT_FALSE(r.timed_out);
    ASSERT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const acceptance::HydroTableFile file = acceptance::parse_hydro_table_file(
        testing_support::read_file_bytes(dir.file("Hydro_Static.txt")));
    for (const std::string& problem : file.problems) ADD_FAILURE() << problem;
    ASSERT_TRUE(file.problems.empty());
    // Drafts 0.5, 0.6, ... up to one step below the depth.
    ASSERT_EQ(file.rows, static_cast<int>(std::lround((box.D - 0.5) / 0.1)));

    // Lengths (m) that are 0 in closed form print as rounding noise; volumes
    // and moments are sums of many cut tetrahedra, exact to about 1e-12.
    const double length_noise = 1e-9 * box.L;
    const char* const symbols[15] = {"V",   "DIS", "DISk", "Zb", "Xb", "Aw", "Xf", "Zm",
                                     "TPC", "MTC", "ZmL",  "CB", "Cw", "Cm", "Cp"};
    const bool is_length[15] = {false, false, false, true,  true,  false, true, true,
                                false, false, true,  false, false, false, false};
    for (int i = 0; i < file.rows; ++i) {
        const double T = file.columns.at("T")[i];
        EXPECT_NEAR(T, 0.5 + 0.1 * i, 1e-9);
        const BoxRow e = box.at(T);
        const double exact[15] = {e.V,   e.DIS, e.DISk, e.Zb, e.Xb, e.Aw, e.Xf, e.Zm,
                                  e.TPC, e.MTC, e.ZmL,  e.CB, e.Cw, e.Cm, e.Cp};
        for (int q = 0; q < 15; ++q) {
            const double printed = file.columns.at(symbols[q])[i];
            const double absolute = is_length[q] ? length_noise : 1e-9 * std::fabs(exact[q]);
            EXPECT_NEAR(printed, exact[q],
                        acceptance::printed_tolerance(exact[q], printed, absolute))
                << symbols[q] << " at T = " << file.texts.at("T")[i] << ": printed "
                << file.texts.at(symbols[q])[i];
        }
    }
}

TEST(BoxBargeHydrostatics, WholeTableMatchesTheClosedForms) {
    expect_closed_forms(kShip);
}

// Twelve facets instead of ten hexahedra: the mesh's signed fan and its
// contour give every column alike.
TEST(BoxBargeHydrostatics, BoxAsAMeshMatchesTheClosedFormsToo) {
    testing_support::ScratchDir dir;
    expect_closed_forms(acceptance::box_barge_as_mesh(dir, kShip, 10, "ship.txt"));
}

}  // namespace
