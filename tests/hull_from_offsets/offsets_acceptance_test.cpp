// Hulls given as tables of offsets, run through hull_from_offsets and then
// through the three programs, against closed forms: a box, exact to the
// printed digits, and the Wigley hull at three resolutions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "arm_file.h"
#include "heeled_rectangle.h"
#include "hydro_table_file.h"
#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "model/io/ship_reader.h"
#include "printed_digits.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;
using testing_support::split_lines;

using voxel::kPi;

std::string text_of(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

ProcessResult run_in(const std::string& dir, const std::string& program,
                     const std::vector<std::string>& args) {
    ProcessOptions options;
    options.working_dir = dir;
    const ProcessResult r = run_program(program, args, options);
    EXPECT_FALSE(r.timed_out) << program;
    return r;
}

// Table -> hull_from_offsets -> the three model files in `out`.
void make_model(const ScratchDir& dir, const std::string& table, const std::string& out,
                const std::vector<std::string>& options) {
    const std::string csv = dir.write(out + ".csv", table);
    std::vector<std::string> args = {csv, "--out", dir.file(out)};
    args.insert(args.end(), options.begin(), options.end());
    const ProcessResult r = run_in(dir.path(), HULL_FROM_OFFSETS_EXE, args);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

acceptance::HydroTableFile hydrostatic_table(const std::string& folder) {
    const ProcessResult r = run_in(folder, HYDROSTATIC_CURVES_EXE, {"ship.txt"});
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "") << "the ship file must read without a warning";
    const acceptance::HydroTableFile file =
        acceptance::parse_hydro_table_file(read_file_bytes(folder + "/Hydro_Static.txt"));
    for (const std::string& problem : file.problems) ADD_FAILURE() << problem;
    return file;
}

struct Attitude {
    int steps = 0;               // step lines after step 0
    bool step_zero = false;      // the "Step  0" line is there
    std::vector<double> drafts;  // pillars 1 to 4 as printed
};

// floating_attitude in the model's folder, which holds FourPillars.txt.
Attitude floating_attitude(const std::string& folder) {
    const ProcessResult r = run_in(folder, FLOATING_ATTITUDE_EXE, {"model.txt"});
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "") << "model and pillar file must read without a warning";
    Attitude a;
    for (const std::string& line : split_lines(r.out)) {
        if (line.rfind("Step  0:", 0) == 0)
            a.step_zero = true;
        else if (line.rfind("Step", 0) == 0)
            ++a.steps;
        for (int i = 1; i <= 4; ++i) {
            const std::string key = std::to_string(i) + "号立柱吃水=";
            if (line.rfind(key, 0) == 0) a.drafts.push_back(std::stod(line.substr(key.size())));
        }
    }
    return a;
}

acceptance::ArmFile righting_arms(const std::string& folder) {
    const ProcessResult r = run_in(folder, RIGHTING_ARM_EXE, {"model.txt"});
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const acceptance::ArmFile file =
        acceptance::parse_arm_file(read_file_bytes(folder + "/RightingArm_Around_X_Axis.txt"));
    EXPECT_TRUE(file.well_formed);
    return file;
}

// ---------------------------------------------------------------------------
// Box L x B x D from x = 0, y = -B/2 .. B/2, z = 0, floating level at T:
//   V = L B T, KB = T/2, LCB = LCF = L/2 (reported from midship: 0),
//   Aw = L B, I_T = L B^3 / 12, I_L = B L^3 / 12, so
//   KM = T/2 + B^2 / (12 T), KML = T/2 + L^2 / (12 T);
//   CB = Cw = Cm = Cp = 1, TPC = W_Den L B / 100, DIS = W_Den V,
//   DISk = C1 DIS, MTC = (KML - KG) DIS / (100 L).
// Its table: half-breadth B/2 at every station and waterline, the stations
// and waterlines unevenly spaced and midship not a station.
constexpr double kBoxL = 100.0, kBoxB = 20.0, kBoxD = 10.0, kBoxT = 4.0, kBoxKG = 6.0;
constexpr double kDensity = 1.025, kC1 = 1.006;  // the program's defaults

std::string box_table() {
    std::string t = "# box 100 x 20 x 10\nx\\z,0,2.5,4,10\n";
    for (const char* x : {"0", "30", "45", "100"}) t += std::string(x) + ",10,10,10,10\n";
    return t;
}

TEST(HullFromOffsetsAcceptance, BoxTableGivesTheBoxClosedFormsInAllThreePrograms) {
    ScratchDir dir;
    make_model(dir, box_table(), "box", {"--draft", "4", "--kg", "6", "--lcg", "50"});
    const std::string folder = dir.file("box");

    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information(ship, folder + "/ship.txt");
    EXPECT_TRUE(read.opened && read.diagnostics.empty());
    EXPECT_EQ(ship.Lpp, kBoxL);
    EXPECT_EQ(ship.B, kBoxB);
    EXPECT_EQ(ship.D, kBoxD);
    EXPECT_NEAR(ship.VD, kBoxL * kBoxB * kBoxT, 1e-12 * kBoxL * kBoxB * kBoxT);
    // VD is the hydrostatic program's own volume at the draft, to the bit.
    const voxel::Plane draft{0.0, 0.0, 1.0, -kBoxT};
    EXPECT_EQ(ship.VD, ship.hull.part_below(draft).volume);
    EXPECT_NEAR(ship.hull.total_volume(), kBoxL * kBoxB * kBoxD, 1e-12 * kBoxL * kBoxB * kBoxD);

    // The hydrostatic table, every waterline, to the printed digits.
    const acceptance::HydroTableFile file = hydrostatic_table(folder);
    ASSERT_EQ(file.rows, static_cast<int>(std::lround((kBoxD - 0.5) / 0.1)));
    const char* const symbols[15] = {"V",   "DIS", "DISk", "Zb", "Xb", "Aw", "Xf", "Zm",
                                     "TPC", "MTC", "ZmL",  "CB", "Cw", "Cm", "Cp"};
    const bool is_length[15] = {false, false, false, true,  true,  false, true, true,
                                false, false, true,  false, false, false, false};
    for (int i = 0; i < file.rows; ++i) {
        const double T = file.columns.at("T")[i];
        const double V = kBoxL * kBoxB * T, ZmL = 0.5 * T + kBoxL * kBoxL / (12.0 * T);
        const double exact[15] = {V,
                                  kDensity * V,
                                  kC1 * kDensity * V,
                                  0.5 * T,
                                  0.0,
                                  kBoxL * kBoxB,
                                  0.0,
                                  0.5 * T + kBoxB * kBoxB / (12.0 * T),
                                  kDensity * kBoxL * kBoxB / 100.0,
                                  (ZmL - kBoxKG) * kDensity * V / 100.0 / kBoxL,
                                  ZmL,
                                  1.0,
                                  1.0,
                                  1.0,
                                  1.0};
        for (int q = 0; q < 15; ++q) {
            const double printed = file.columns.at(symbols[q])[i];
            const double absolute = is_length[q] ? 1e-9 * kBoxL : 1e-9 * std::fabs(exact[q]);
            EXPECT_NEAR(printed, exact[q],
                        acceptance::printed_tolerance(exact[q], printed, absolute))
                << symbols[q] << " at T = " << file.texts.at("T")[i];
        }
    }

    // G above the centre of buoyancy: level at once, draft 4 at every mark.
    const Attitude a = floating_attitude(folder);
    EXPECT_TRUE(a.step_zero);
    EXPECT_EQ(a.steps, 0);
    ASSERT_EQ(a.drafts.size(), 4u);
    for (double d : a.drafts) EXPECT_NEAR(d, kBoxT, acceptance::printed_tolerance(kBoxT, d, 1e-9));

    // Heeled, the prismatic box needs no trim: its arms are those of the
    // heeled rectangle at every angle to both sides.
    const acceptance::ArmFile arms = righting_arms(folder);
    for (int k = 0; k < 2; ++k) {
        const double sigma = k == 0 ? -1.0 : 1.0;
        for (const acceptance::ArmLine& line : k == 0 ? arms.right : arms.left) {
            const double exact = acceptance::rectangle_righting_arm(
                kBoxB, kBoxD, kBoxT, kBoxKG, line.degrees / 180.0 * kPi, sigma);
            EXPECT_NEAR(line.arm, exact,
                        acceptance::printed_tolerance(exact, line.arm, 1e-9 * kBoxB))
                << "sigma " << sigma << ", " << line.degrees << " degrees, printed " << line.text;
        }
    }
}

// ---------------------------------------------------------------------------
// The Wigley hull y = (B/2) (1 - (2 xi / L)^2) (1 - (zeta / T)^2), xi from
// midship, zeta = T - z, L 100, B 10, T 6.25, wall-sided from T up to D = 10.
// With t = d / T <= 1 and g = 2t - t^2 (the waterplane's breadth over B), the
// closed forms at a level draft d (derived in examples/README.md):
//   CB = (2/3)(1 - t/3) / (2 - t),  Cw = 2/3,  Cm = (1 - t/3) / (2 - t),
//   V = (2/3) L B T (t^2 - t^3/3),  KB = T (2t^3/3 - t^4/4) / (t^2 - t^3/3),
//   BMt = I_T / V with I_T = (4/105) B^3 L g^3.
// The hydrostatic sweep's drafts are 0.5, 0.6, ... by a running sum, so T
// itself is no row; the row nearest, d = 6.2, is compared at its own d.
constexpr double kWigL = 100.0, kWigB = 10.0, kWigT = 6.25, kWigD = 10.0;

// Stations i L / N, waterlines j T / M and the deck D.
std::string wigley_table(int N, int M) {
    std::string t = "x\\z";
    for (int j = 0; j <= M; ++j) t += "," + text_of(kWigT * j / M);
    t += "," + text_of(kWigD) + "\n";
    for (int i = 0; i <= N; ++i) {
        const double x = kWigL * i / N, u = (2.0 * x - kWigL) / kWigL;
        t += text_of(x);
        for (int j = 0; j <= M + 1; ++j) {
            const double v = j <= M ? 1.0 - static_cast<double>(j) / M : 0.0;  // zeta / T
            t += "," + text_of(kWigB / 2 * (1.0 - u * u) * (1.0 - v * v));
        }
        t += "\n";
    }
    return t;
}

const char* const kQuantities[5] = {"CB", "Cw", "Cm", "KB", "BMt"};

struct Errors {
    double relative[5];  // CB, Cw, Cm, KB, BMt against the closed forms
};

// The hydrostatic row at d = 6.2 against the closed forms at its own draft.
Errors errors_at_6_2(const acceptance::HydroTableFile& file) {
    int row = -1;
    for (int i = 0; i < file.rows; ++i)
        if (std::fabs(file.columns.at("T")[i] - 6.2) < 1e-9) row = i;
    EXPECT_GE(row, 0);
    if (row < 0) return {};
    const auto at = [&](const char* symbol) { return file.columns.at(symbol)[row]; };
    const double d = at("T"), t = d / kWigT, g = 2 * t - t * t;
    const double V = 2.0 / 3.0 * kWigL * kWigB * kWigT * (t * t - t * t * t / 3);
    const double exact[5] = {
        2.0 / 3.0 * (1 - t / 3) / (2 - t), 2.0 / 3.0, (1 - t / 3) / (2 - t),
        kWigT * (2 * t * t * t / 3 - t * t * t * t / 4) / (t * t - t * t * t / 3),
        4.0 / 105.0 * kWigB * kWigB * kWigB * kWigL * g * g * g / V};
    const double model[5] = {at("CB"), at("Cw"), at("Cm"), at("Zb"), at("Zm") - at("Zb")};
    Errors e;
    for (int q = 0; q < 5; ++q) e.relative[q] = (model[q] - exact[q]) / exact[q];
    return e;
}

// 11 x 6, 21 x 11 and 41 x 21 waterlines up to T (each with the deck on top):
// the finest within 0.5 % of every closed form, and each refinement closer.
// The table is symmetric fore and aft, and so is the model (its fore-body
// cells mirror the aft-body ones): the centres of buoyancy and flotation lie
// at midship at every draft.
TEST(HullFromOffsetsAcceptance, WigleyTableConvergesToTheClosedForms) {
    ScratchDir dir;
    const int grids[3][2] = {{10, 5}, {20, 10}, {40, 20}};
    Errors e[3];
    for (int k = 0; k < 3; ++k) {
        const std::string name = "wigley" + std::to_string(grids[k][0] + 1);
        make_model(dir, wigley_table(grids[k][0], grids[k][1]), name,
                   {"--draft", "6.25", "--kg", "4.5"});
        const acceptance::HydroTableFile file = hydrostatic_table(dir.file(name));
        for (int i = 0; i < file.rows; ++i) {
            EXPECT_NEAR(file.columns.at("Xb")[i], 0.0, 1e-9 * kWigL) << name << " row " << i;
            EXPECT_NEAR(file.columns.at("Xf")[i], 0.0, 1e-9 * kWigL) << name << " row " << i;
        }
        e[k] = errors_at_6_2(file);
        for (int q = 0; q < 5; ++q)
            RecordProperty(name + "_" + kQuantities[q] + "_error",
                           voxel::format_number(e[k].relative[q]));
    }
    for (int q = 0; q < 5; ++q) {
        EXPECT_LT(std::fabs(e[2].relative[q]), 0.005) << kQuantities[q];
        EXPECT_GT(std::fabs(e[0].relative[q]), std::fabs(e[1].relative[q])) << kQuantities[q];
        EXPECT_GT(std::fabs(e[1].relative[q]), std::fabs(e[2].relative[q])) << kQuantities[q];
    }
}

// With G above the centre of buoyancy at the draft (the program's default
// LCG) the hull floats level at T at once; it is symmetric, so it rights
// itself alike to both sides, through the whole sweep.
TEST(HullFromOffsetsAcceptance, WigleyModelFloatsLevelAtItsDraftAndRightsAlikeToBothSides) {
    ScratchDir dir;
    make_model(dir, wigley_table(40, 20), "wigley", {"--draft", "6.25", "--kg", "4.5"});
    const std::string folder = dir.file("wigley");

    const Attitude a = floating_attitude(folder);
    EXPECT_TRUE(a.step_zero);
    EXPECT_EQ(a.steps, 0);
    ASSERT_EQ(a.drafts.size(), 4u);
    for (double d : a.drafts) EXPECT_NEAR(d, kWigT, acceptance::printed_tolerance(kWigT, d, 1e-8));

    const acceptance::ArmFile arms = righting_arms(folder);
    ASSERT_EQ(arms.right.size(), arms.left.size());
    for (std::size_t i = 1; i < arms.right.size(); ++i)
        EXPECT_NEAR(
            arms.right[i].arm, arms.left[i].arm,
            acceptance::printed_tolerance(arms.right[i].arm, arms.left[i].arm, 1e-9 * kWigB))
            << arms.right[i].degrees << " degrees";
}

}  // namespace
