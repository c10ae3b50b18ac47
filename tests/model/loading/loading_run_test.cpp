#include "model/loading/loading_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "kernel/angles.h"
#include "model/stability/equilibrium_iteration.h"
#include "support/bodies.h"

namespace {

using righting_arm_test::box_solid;
using righting_arm_test::set_hexahedra;
using voxel::Point3;

// A box tank (x0..x1, |y| <= b/2, z0..z1) with `fill` of its capacity of a
// liquid of density rho.
voxel::Tank box_tank(double x0, double x1, double b, double z0, double z1, double rho,
                     double fill) {
    voxel::Tank t;
    t.entry.name = "tank";
    t.entry.density = rho;
    t.shape = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*t.shape, {box_solid(x0, x1, -b / 2, b / 2, z0, z1)});
    t.shape_volume = (x1 - x0) * b * (z1 - z0);
    t.shape_centre = {(x0 + x1) / 2, 0.0, (z0 + z1) / 2};
    t.capacity = t.shape_volume;
    t.volume = fill * t.capacity;
    t.mass = rho * t.volume;
    return t;
}

// The box barge 100 x 20 x 10 (x 0..100, |y| <= 10) with the lightship at
// (50, 0, zg).
voxel::LoadedCondition barge(double light_mass, double zg) {
    voxel::LoadedCondition c;
    c.hull = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*c.hull, {box_solid(0, 100, -10, 10, 0, 10)});
    c.lpp = 100.0;
    c.breadth = 20.0;
    c.water_density = 1.025;
    c.condition.lightship = {"lightship", light_mass, {50.0, 0.0, zg}};
    return c;
}

// The liquid of a box tank heeled by phi with its surface on the walls: the
// section is a trapezoid of mean depth d and width b, whose centroid lies at
// y = -b^2 tan(phi) / (12 d) (towards the low side, -y for a heel to
// starboard) and z = d / 2 + b^2 tan^2(phi) / (24 d).
TEST(TankLiquid, BoxTankAtHeelIsTheHeeledRectangle) {
    const double b = 8.0, h = 6.0, fill = 0.4, d = fill * h;
    const voxel::Tank t = box_tank(10, 22, b, 1, 1 + h, 0.95, fill);
    for (double deg : {0.0, 3.0, 10.0, 25.0}) {
        const double phi = deg * voxel::kPi / 180.0;
        ASSERT_LT(std::tan(phi) * b / 2, d);
        const voxel::LiquidAt q = voxel::liquid_at(t, {0.0, std::sin(phi), std::cos(phi)});
        const double tn = std::tan(phi);
        EXPECT_NEAR(q.centre.x, 16.0, 1e-9) << deg;
        EXPECT_NEAR(q.centre.y, -b * b * tn / (12 * d), 1e-9) << deg;
        EXPECT_NEAR(q.centre.z, 1 + d / 2 + b * b * tn * tn / (24 * d), 1e-9) << deg;
    }
    // The free-surface moment about the tank's own centreline, upright.
    EXPECT_NEAR(voxel::free_surface_moment(t, {0, 0, 1}, {1, 0, 0}), 0.95 * 12 * b * b * b / 12,
                1e-8);
}

// A wall-sided box with a wall-sided tank: GZ = sin(phi) (GM_fluid + (BM - i
// rho_l / M) tan^2(phi) / 2) while neither the deck edge nor the bilge, nor
// the tank's top or bottom, meets a surface; upright, GM_fluid = KM - KG - rho_l
// l b^3 / (12 M).
TEST(LoadingRun, BoxBargeWithOnePartFilledTank) {
    voxel::LoadedCondition c = barge(6000.0, 5.0);
    const double l = 20.0, b = 12.0, rho = 1.0;
    c.tanks.push_back(box_tank(40, 60, b, 1, 5, rho, 0.5));  // G of the barge stays at x = 50
    c.condition.heel_step = 1.0;
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
    ASSERT_TRUE(o.ok);
    const voxel::LoadingResult& r = o.result;
    const double M = 6000.0 + rho * l * b * 2.0;
    const double V = M / 1.025, T = V / (100.0 * 20.0);
    const double KG = (6000.0 * 5.0 + rho * l * b * 2.0 * 2.0) / M;
    const double BM = 20.0 * 20.0 / (12.0 * T);
    const double fsc = rho * l * b * b * b / (12.0 * M);
    const double gm_fluid = T / 2 + BM - KG - fsc;
    EXPECT_NEAR(r.equilibrium.heel, 0.0, 1e-9);
    EXPECT_NEAR(r.equilibrium.draft_mid, T, 1e-9);
    EXPECT_NEAR(r.stability.kg, KG, 1e-9);
    EXPECT_NEAR(r.stability.free_surface_correction, fsc, 1e-9);
    EXPECT_NEAR(r.stability.gm_fluid, gm_fluid, 1e-9);
    for (int deg = 1; deg <= 10; ++deg) {
        const double phi = deg * voxel::kPi / 180.0, tn = std::tan(phi);
        const double expected = std::sin(phi) * (gm_fluid + (BM - fsc) * tn * tn / 2);
        EXPECT_NEAR(r.gz.starboard[static_cast<std::size_t>(deg)], expected, 1e-7) << deg;
        EXPECT_NEAR(r.gz.port[static_cast<std::size_t>(deg)], expected, 1e-7) << deg;
    }
    // Symmetric: both sides the same, no list.
    EXPECT_FALSE(r.listed_side.has_value());
}

// A tank that is empty or full weighs as a fixed weight at its liquid's
// centre: its arms and floating position are those of that weight.
TEST(LoadingRun, EmptyAndFullTanksAreFixedWeights) {
    for (double fill : {0.0, 1.0}) {
        voxel::LoadedCondition with_tank = barge(6000.0, 5.0);
        with_tank.tanks.push_back(box_tank(60, 80, 8, 1, 5, 1.0, fill));
        with_tank.condition.heel_step = 5.0;
        voxel::LoadedCondition fixed = barge(6000.0, 5.0);
        const voxel::Tank& t = with_tank.tanks[0];
        if (t.mass > 0) fixed.condition.items.push_back({"as fixed", t.mass, t.shape_centre});
        fixed.condition.heel_step = 5.0;
        const voxel::LoadingOutcome a = voxel::compute_loading(with_tank, 2);
        const voxel::LoadingOutcome f = voxel::compute_loading(fixed, 2);
        ASSERT_TRUE(a.ok && f.ok);
        EXPECT_EQ(a.result.stability.free_surface_correction, 0.0);
        EXPECT_EQ(a.result.equilibrium.trim_deg, f.result.equilibrium.trim_deg);
        EXPECT_EQ(a.result.gz.starboard, f.result.gz.starboard) << fill;
        EXPECT_EQ(a.result.gz.port, f.result.gz.port) << fill;
    }
}

// Without tanks the floating position is the free-floating equilibrium of
// the body with that G, and the arms are the righting arms of that G.
TEST(LoadingRun, WithoutTanksTheEquilibriumAndArmsOfAFixedG) {
    voxel::LoadedCondition c = barge(8200.0, 6.0);
    c.condition.lightship.centre = {47.0, -0.5, 6.0};  // lists and trims
    c.condition.heel_step = 5.0;
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 1);
    ASSERT_TRUE(o.ok);
    const double V = 8200.0 / 1.025;
    const Point3 G = c.condition.lightship.centre;
    voxel::IterationDialogue quiet{[](const std::string&) {}, [] { return EOF; },
                                   [](const std::string&) {}};
    const voxel::IterationOutcome eq = voxel::iterate_floating_attitude(*c.hull, V, G, quiet);
    ASSERT_TRUE(eq.converged());
    const double n = eq.plane.normal_length();
    EXPECT_NEAR(o.result.equilibrium.plane.B, eq.plane.B / n, 1e-15);
    EXPECT_GT(o.result.equilibrium.heel, 0.0);  // G to starboard: the -y side down
    EXPECT_GT(o.result.equilibrium.trim_deg, 0.0);  // G aft of midship: by the stern
    EXPECT_NEAR(o.result.equilibrium.trim_m,
                o.result.equilibrium.draft_ap - o.result.equilibrium.draft_fp, 0.0);
    EXPECT_EQ(o.result.listed_side.value_or(""), "starboard");
    for (std::size_t i = 0; i < o.result.gz.heel_deg.size(); ++i) {
        const double theta = (o.result.gz.heel_deg[i] / 180.0) * voxel::kPi;
        EXPECT_EQ(o.result.gz.starboard[i],
                  voxel::righting_arm_at(*c.hull, V, G, voxel::kHeelAboutX, theta, -1.0).GZ);
        EXPECT_EQ(o.result.gz.port[i],
                  voxel::righting_arm_at(*c.hull, V, G, voxel::kHeelAboutX, theta, 1.0).GZ);
    }
}

}  // namespace
