// Damage by lost buoyancy on the box barge 100 x 20 x 10, whose wall-sided
// hull gives the damaged floating position in closed form: a flooded space
// takes its share of the waterplane and of the volume below it away.
#include "model/loading/damage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "support/bodies.h"

namespace {

using righting_arm_test::box_solid;
using righting_arm_test::set_hexahedra;

constexpr double kL = 100.0, kB = 20.0;

// The barge at draft 4 (V = 8000 m^3) with the lightship at (50, 0, 4).
voxel::LoadedCondition barge() {
    voxel::LoadedCondition c;
    c.hull = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*c.hull, {box_solid(0, kL, -kB / 2, kB / 2, 0, 10)});
    c.lpp = kL;
    c.breadth = kB;
    c.water_density = 1.025;
    c.condition.lightship = {"lightship", 8000.0 * 1.025, {50.0, 0.0, 4.0}};
    c.condition.heel_step = 5.0;
    return c;
}

// Adds the box compartment x0..x1, y0..y1, z0..z1 of permeability mu and the
// case that floods it alone; returns the case.
voxel::DamageEntry flood(voxel::LoadedCondition& c, double x0, double x1, double y0, double y1,
                         double z0, double z1, double mu) {
    voxel::Compartment k;
    k.entry.name = "room " + std::to_string(c.compartments.size() + 1);
    k.entry.permeability = mu;
    k.shape = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*k.shape, {box_solid(x0, x1, y0, y1, z0, z1)});
    k.volume = (x1 - x0) * (y1 - y0) * (z1 - z0);
    voxel::DamageEntry d;
    d.name = "case of " + k.entry.name;
    d.compartments = {k.entry.name};
    c.compartments.push_back(std::move(k));
    return d;
}

double draft_at(const voxel::Equilibrium& e, double x) {
    return e.draft_ap + (e.draft_fp - e.draft_ap) * x / kL;
}

// A full-breadth, full-depth space of length l amidships: parallel sinkage to
// T' = T L / (L - mu l), KB = T' / 2, BM = B^2 (L - mu l) / (12 L T); the lost
// volume is mu l B T'.
TEST(Damage, MidshipSpaceSinksTheBargeInParallel) {
    for (double mu : {1.0, 0.5}) {
        voxel::LoadedCondition c = barge();
        const voxel::DamageEntry d = flood(c, 40, 60, -kB / 2, kB / 2, 0, 10, mu);
        const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
        ASSERT_TRUE(o.ok);
        ASSERT_EQ(o.result.damage.size(), 0u);  // the case is not in the condition
        const voxel::DamageResult r = voxel::compute_damage(c, d, o.result, 2, {});
        ASSERT_EQ(r.status, "floats") << mu;
        const double T = 4.0, Tp = T * kL / (kL - mu * 20.0);
        EXPECT_NEAR(r.equilibrium.heel, 0.0, 1e-9);
        EXPECT_NEAR(r.equilibrium.trim_m, 0.0, 1e-9);
        EXPECT_NEAR(r.equilibrium.draft_mid, Tp, 1e-9) << mu;
        EXPECT_NEAR(r.sinkage, Tp - T, 1e-9);
        EXPECT_NEAR(r.equilibrium.B.z, Tp / 2, 1e-9);
        EXPECT_NEAR(r.lost_volume, mu * 20.0 * kB * Tp, 1e-7) << mu;
        const double BM = kB * kB * (kL - mu * 20.0) / (12.0 * kL * T);
        EXPECT_NEAR(r.stability.km, Tp / 2 + BM, 1e-9) << mu;
        EXPECT_NEAR(r.stability.gm_fluid, Tp / 2 + BM - 4.0, 1e-9);
        // Symmetric: the two residual curves are one, and both sides pass.
        for (std::size_t i = 0; i < r.gz.heel_deg.size(); ++i)
            EXPECT_NEAR(r.gz.starboard[i], r.gz.port[i], 1e-9) << r.gz.heel_deg[i];
        for (const voxel::CriterionOutcome& k : r.criteria) {
            EXPECT_EQ(k.starboard.result, "PASS") << k.id;
            EXPECT_EQ(k.port.result, "PASS") << k.id;
        }
    }
}

// A short space at the stern: the draft at the damaged waterplane's centre of
// flotation is V / A', and the trim that of the lost-buoyancy formula,
// t = v (x_F - x_v) L / (V GM_L) with GM_L = KB + I_L / V - KG of the
// damaged waterplane (exact to the second order of the trim angle).
TEST(Damage, EndSpaceTrimsTheBargeByTheLostBuoyancyFormula) {
    voxel::LoadedCondition c = barge();
    const double l = 4.0, T = 4.0, V = 8000.0;
    const voxel::DamageEntry d = flood(c, 0, l, -kB / 2, kB / 2, 0, 10, 1.0);
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
    ASSERT_TRUE(o.ok);
    const voxel::DamageResult r = voxel::compute_damage(c, d, o.result, 2, {});
    ASSERT_EQ(r.status, "floats");
    const double Lp = kL - l, Ap = Lp * kB, xF = l + Lp / 2;
    const double Tp = V / Ap;
    EXPECT_NEAR(draft_at(r.equilibrium, xF), Tp, 1e-6);
    const double v = l * kB * T, IL = kB * Lp * Lp * Lp / 12.0;
    const double GML = Tp / 2 + IL / V - 4.0;
    const double trim = v * (xF - l / 2) * kL / (V * GML);
    EXPECT_NEAR(r.equilibrium.trim_m, trim, 1e-3 * trim);
    EXPECT_GT(r.equilibrium.trim_deg, 0.0);  // by the stern
    EXPECT_NEAR(r.equilibrium.heel, 0.0, 1e-9);
}

// A wing space to starboard heels the barge to starboard; the residual
// curve is zero at the equilibrium, and the range to the side of the list is
// measured from there.
TEST(Damage, WingSpaceListsTheBargeToItsSide) {
    voxel::LoadedCondition c = barge();
    const voxel::DamageEntry d = flood(c, 40, 60, -kB / 2, -5, 0, 10, 1.0);
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
    ASSERT_TRUE(o.ok);
    const voxel::DamageResult r = voxel::compute_damage(c, d, o.result, 2, {});
    ASSERT_EQ(r.status, "floats");
    const double heel = r.equilibrium.heel;
    EXPECT_GT(heel, 1.0);  // starboard (-y) down
    EXPECT_LT(heel, 25.0);
    // Between the grid points around the equilibrium the starboard arm
    // changes sign.
    const std::size_t i = static_cast<std::size_t>(heel / 5.0);
    EXPECT_LT(r.gz.starboard[i], 0.0);
    EXPECT_GT(r.gz.starboard[i + 1], 0.0);
    for (const voxel::CriterionOutcome& k : r.criteria) {
        if (k.id == "final_heel") {
            EXPECT_NEAR(k.starboard.value, heel, 1e-12);
        }
        // Back through upright the range runs to the port side's vanishing
        // angle plus the list: longer than onwards to starboard.
        if (k.id == "residual_range") {
            EXPECT_GT(k.port.value, k.starboard.value);
        }
    }
}

// A space above the waterline changes nothing, to the bit, while it stays
// dry; a space that takes the whole hull sinks it, and its criteria fail without values.
TEST(Damage, SpaceOutOfTheWaterAndSpaceOfTheWholeHull) {
    voxel::LoadedCondition c = barge();
    const voxel::DamageEntry dry = flood(c, 30, 70, -kB / 2, kB / 2, 8, 10, 1.0);
    const voxel::DamageEntry all = flood(c, 0, kL, -kB / 2, kB / 2, 0, 10, 1.0);
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
    ASSERT_TRUE(o.ok);
    const voxel::DamageResult r = voxel::compute_damage(c, dry, o.result, 2, {});
    ASSERT_EQ(r.status, "floats");
    EXPECT_EQ(r.lost_volume, 0.0);
    EXPECT_EQ(r.equilibrium.draft_mid, o.result.equilibrium.draft_mid);
    EXPECT_EQ(r.stability.km, o.result.stability.km);
    // The space stays dry while the water line at the side, 4 + 10 tan(phi),
    // is below 8: up to 21.8 degrees.
    for (std::size_t i = 0; i < r.gz.heel_deg.size() && r.gz.heel_deg[i] <= 20.0; ++i) {
        EXPECT_EQ(r.gz.starboard[i], o.result.gz.starboard[i]) << r.gz.heel_deg[i];
        EXPECT_EQ(r.gz.port[i], o.result.gz.port[i]) << r.gz.heel_deg[i];
    }
    EXPECT_LT(r.gz.starboard[6], o.result.gz.starboard[6]);  // 30 degrees: flooded

    const voxel::DamageResult s = voxel::compute_damage(c, all, o.result, 2, {});
    EXPECT_EQ(s.status, "sinks");
    EXPECT_TRUE(std::isnan(s.lost_volume));
    ASSERT_EQ(s.criteria.size(), 5u);
    for (const voxel::CriterionOutcome& k : s.criteria) {
        EXPECT_EQ(k.starboard.result, "FAIL");
        EXPECT_TRUE(std::isnan(k.port.value));
    }
}

}  // namespace
