#include "model/hydrostatics/hydrostatic_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/hull_fixtures.h"

namespace {

using hydro_test::box_ship;
using hydro_test::box_tetrahedra;
using hydro_test::ship_with;

std::vector<std::string> run(voxel::ShipModel& ship, std::vector<double>* no_hull = nullptr) {
    std::vector<std::string> lines;
    const std::vector<double> missed =
        voxel::compute_hydrostatics(ship, [&lines](const std::string& l) { lines.push_back(l); });
    if (no_hull) *no_hull = missed;
    return lines;
}

TEST(WaterlineCount, FollowsTheTruncatedQuotient) {
    EXPECT_EQ(voxel::waterline_count(2.0), 15);
    EXPECT_EQ(voxel::waterline_count(10.0), 95);
    EXPECT_EQ(voxel::waterline_count(3.0), 25);
    // 0.7 / -0.1 = -6.999999999999999 truncates to -6.
    EXPECT_EQ(voxel::waterline_count(0.7), 1);
    EXPECT_EQ(voxel::waterline_count(0.65), 1);
    // 0.6 / -0.1 = -5.999999999999999 truncates to -5.
    EXPECT_EQ(voxel::waterline_count(0.6), 0);
    EXPECT_EQ(voxel::waterline_count(0.0), 0);
    EXPECT_EQ(voxel::waterline_count(-4.0), 0);
}

TEST(ProgressLine, CountsFromZeroWithTheDraftInGeneralFormat) {
    EXPECT_EQ(voxel::progress_line(0), "正在计算第 0 水线相关信息, 水线高度=0.5 m");
    EXPECT_EQ(voxel::progress_line(5), "正在计算第 5 水线相关信息, 水线高度=1 m");
    EXPECT_EQ(voxel::progress_line(8), "正在计算第 8 水线相关信息, 水线高度=1.3 m");
    EXPECT_EQ(voxel::progress_line(94), "正在计算第 94 水线相关信息, 水线高度=9.9 m");
}

TEST(HydrostaticSweep, RowCountsFollowTheDepth) {
    const struct {
        double D;
        int rows;
    } cases[] = {{2.0, 15}, {0.7, 1}, {0.65, 1}, {0.6, 0}, {10.0, 95}};
    for (const auto& c : cases) {
        voxel::ShipModel ship = box_ship(10, 4, 12);
        ship.D = c.D;
        const std::vector<std::string> lines = run(ship);
        EXPECT_EQ(ship.table.count, c.rows) << "D = " << c.D;
        EXPECT_EQ(static_cast<int>(lines.size()), c.rows) << "D = " << c.D;
    }
}

TEST(HydrostaticSweep, DepthTwoGivesDraftsHalfToOnePointNine) {
    voxel::ShipModel ship = box_ship(10, 4, 2.0);
    const std::vector<std::string> lines = run(ship);
    ASSERT_EQ(ship.table.count, 15);
    EXPECT_EQ(ship.table.T[0], 0.5);
    EXPECT_NEAR(ship.table.T[14], 1.9, 1e-12);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "正在计算第 0 水线相关信息, 水线高度=0.5 m");
    EXPECT_EQ(lines[14], "正在计算第 14 水线相关信息, 水线高度=1.9 m");
}

TEST(HydrostaticSweep, ProgressLineComesBeforeTheWaterlinesWork) {
    voxel::ShipModel ship = box_ship(10, 4, 1.5);
    int calls = 0;
    voxel::compute_hydrostatics(ship, [&](const std::string&) {
        // Row `calls` is still unwritten; the rows before it are done.
        EXPECT_EQ(ship.table.V[calls], 0.0);
        if (calls > 0) {
            EXPECT_GT(ship.table.V[calls - 1], 0.0);
        }
        ++calls;
    });
    EXPECT_EQ(calls, 10);
}

// The box barge against its closed forms at every draft of the sweep.
void expect_box_closed_forms(double L, double B, double D, double rho, double C1, double zg) {
    voxel::ShipModel ship = box_ship(L, B, D);
    ship.W_Den = rho;
    ship.C1 = C1;
    ship.Gra_Pt = {0.5 * L, 0.0, zg};
    std::vector<double> no_hull;
    run(ship, &no_hull);
    EXPECT_TRUE(no_hull.empty());
    const voxel::HydroTable& t = ship.table;
    ASSERT_EQ(t.count, voxel::waterline_count(D));
    const double rel = 1e-11;  // relative tolerance on every quantity
    for (int i = 0; i < t.count; ++i) {
        const double T = t.T[i];
        SCOPED_TRACE("T = " + std::to_string(T));
        const double V = L * B * T;
        const double DIS = rho * V;
        const double ZmL = T / 2 + L * L / (12 * T);
        EXPECT_NEAR(t.V[i], V, rel * V);
        EXPECT_NEAR(t.DIS[i], DIS, rel * DIS);
        EXPECT_NEAR(t.DISk[i], C1 * DIS, rel * DIS);
        EXPECT_NEAR(t.Zb[i], T / 2, rel * D);
        EXPECT_NEAR(t.Xb[i], 0.0, rel * L);
        EXPECT_NEAR(t.Aw[i], L * B, rel * L * B);
        EXPECT_NEAR(t.Xf[i], 0.0, rel * L);
        EXPECT_NEAR(t.Zm[i], T / 2 + B * B / (12 * T), rel * t.Zm[i]);
        EXPECT_NEAR(t.ZmL[i], ZmL, rel * ZmL);
        EXPECT_NEAR(t.TPC[i], rho * L * B / 100, rel * L * B);
        EXPECT_NEAR(t.MTC[i], (ZmL - zg) * DIS / 100 / L, rel * ZmL * DIS / L);
        EXPECT_NEAR(t.CB[i], 1.0, rel);
        EXPECT_NEAR(t.Cw[i], 1.0, rel);
        EXPECT_NEAR(t.Cm[i], 1.0, rel);
        EXPECT_NEAR(t.Cp[i], 1.0, rel);
    }
}

TEST(HydrostaticSweep, BoxBargeMatchesClosedForms) {
    expect_box_closed_forms(10, 4, 3, 1.0, 1.0, 1.5);
}

TEST(HydrostaticSweep, LongerBoxInSeaWaterMatchesClosedForms) {
    // 40 m long, so the midship clips at 10 m and 30 m cut the hull.
    expect_box_closed_forms(40, 7, 2.0, 1.025, 1.006, 2.4);
}

TEST(HydrostaticSweep, WaterlinesBelowTheHullAreReportedAndGiveNonNumbers) {
    // Bottom at z = 0.85: the drafts 0.5 to 0.8 meet no hull.
    voxel::ShipModel ship = ship_with(box_tetrahedra(0, 10, -2, 2, 0.85, 3), 10, 4, 3);
    std::vector<double> no_hull;
    run(ship, &no_hull);
    const voxel::HydroTable& t = ship.table;
    ASSERT_EQ(no_hull.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(no_hull[i], t.T[i]);
        EXPECT_EQ(t.V[i], 0.0);
        EXPECT_TRUE(std::isnan(t.Zb[i]));
        EXPECT_TRUE(std::isnan(t.Cm[i]));
    }
    EXPECT_GT(t.V[4], 0.0);
    EXPECT_TRUE(std::isfinite(t.Zm[4]));
}

}  // namespace
