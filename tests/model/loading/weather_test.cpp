// The severe wind and rolling criterion: the centre-plane section of a box
// parted by the water line against its closed forms (as tetrahedra and as a
// surface mesh), and a wall-sided box barge whose heeling arm, angles and
// areas follow by hand from GZ = sin(phi) (GM + BM tan^2(phi) / 2).
#include "model/loading/weather.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "kernel/angles.h"
#include "model/loading/loading_run.h"
#include "support/bodies.h"

namespace {

using righting_arm_test::box_solid;
using righting_arm_test::set_hexahedra;
using voxel::Point3;

constexpr double L = 100.0, Bm = 20.0, D = 10.0;  // the barge: x 0..L, |y| <= Bm/2, z 0..D

voxel::Plane level(double z) {
    voxel::Plane p;
    p.set(0.0, 0.0, 1.0, -z);
    return p;
}

// A closed box surface (x0..x1, y0..y1, z0..z1), its facets turned to face out.
voxel::Body box_surface(double x0, double x1, double y0, double y1, double z0, double z1) {
    std::vector<Point3> v;
    for (int i = 0; i < 8; ++i)
        v.push_back({(i & 1) ? x1 : x0, (i & 2) ? y1 : y0, (i & 4) ? z1 : z0});
    const int quads[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    const Point3 c{(x0 + x1) / 2, (y0 + y1) / 2, (z0 + z1) / 2};
    std::vector<std::array<int, 3>> f;
    for (const auto& q : quads) {
        const Point3 a = v[q[0]], b = v[q[1]], d = v[q[2]];
        const Point3 n = voxel::cross(voxel::difference(a, b), voxel::difference(a, d));
        const Point3 out = voxel::difference(c, a);
        const bool outward = n.x * out.x + n.y * out.y + n.z * out.z > 0.0;
        if (outward) {
            f.push_back({q[0], q[1], q[2]});
            f.push_back({q[0], q[2], q[3]});
        } else {
            f.push_back({q[0], q[2], q[1]});
            f.push_back({q[0], q[3], q[2]});
        }
    }
    voxel::BodyBuilder b(voxel::CrossingTolerance::Loose, voxel::Summation::PerSolid);
    b.add_surface(v, f);
    return b.build();
}

// The box's section by y = 0 is the rectangle L x D; the level water line at
// z = T parts it into L (D - T) above, centred at z = (D + T) / 2, and L T
// below, centred at T / 2.
TEST(CentrePlaneSection, BoxAboveAndBelowTheWaterLine) {
    voxel::VoxelGroup hull(voxel::CrossingTolerance::Loose);
    set_hexahedra(hull, {box_solid(0, L, -Bm / 2, Bm / 2, 0, D)});
    const voxel::Body mesh = box_surface(0, L, -Bm / 2, Bm / 2, 0, D);
    for (const voxel::Body* body : {&hull.body(), &mesh}) {
        for (double T : {2.0, 5.0, 7.5}) {
            const voxel::CentrePlaneSection s = voxel::centre_plane_section(*body, level(T));
            EXPECT_NEAR(s.above_area, L * (D - T), 1e-9 * L * D) << T;
            EXPECT_NEAR(s.above_z, (D + T) / 2, 1e-9 * D) << T;
            EXPECT_NEAR(s.above_x, L / 2, 1e-9 * L) << T;
            EXPECT_NEAR(s.below_area, L * T, 1e-9 * L * D) << T;
            EXPECT_NEAR(s.below_z, T / 2, 1e-9 * D) << T;
        }
        // A water line inclined in x: z = 5 + 0.02 (x - 50) takes as much
        // above as the level one, and leaves the whole to its two parts.
        voxel::Plane p;
        p.set(-0.02, 0.0, 1.0, -(5.0 - 0.02 * 50.0));
        const voxel::CentrePlaneSection s = voxel::centre_plane_section(*body, p);
        EXPECT_NEAR(s.above_area, L * (D - 5.0), 1e-9 * L * D);
        EXPECT_NEAR(s.above_area + s.below_area, L * D, 1e-9 * L * D);
        // The two parts' moments about x = 0 add to the whole's.
        EXPECT_NEAR(s.above_area * s.above_x + s.below_area * s.below_x, L * D * L / 2,
                    1e-9 * L * L * D);
    }
}

// The barge of draft T = 5 with G at z = 5 and the centre plane as its
// windage (hull_profile, lever "lateral"):
//   A = L (D - T) = 500 m^2 at z = (D + T) / 2 = 7.5, the lateral area's
//   centre at T / 2 = 2.5, Z = 5 m; lw1 = 504 A Z / (1000 g Delta).
// Wall-sided while neither the deck edge nor the bilge meets the water,
// |tan(phi)| < min(D - T, T) / (Bm / 2) = 0.5, the arm is
//   GZ(phi) = sin(phi) (GM + BM tan^2(phi) / 2),  BM = Bm^2 / (12 T),
// odd in phi: the windward side's arm with its sign changed. Openings at
// z = 9.5 on both sides flood at tan(theta_f) = 4.5 / 10, within that range,
// and so bound theta2 (theta_c lies beyond 50 degrees).
TEST(Weather, WallSidedBoxBarge) {
    const double T = 5.0, KG = 5.0, rho = 1.025;
    voxel::LoadedCondition c;
    c.hull = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*c.hull, {box_solid(0, L, -Bm / 2, Bm / 2, 0, D)});
    c.lpp = L;
    c.breadth = Bm;
    c.water_density = rho;
    const double Delta = L * Bm * T * rho;
    c.condition.lightship = {"lightship", Delta, {L / 2, 0.0, KG}};
    c.condition.openings = {{"vent s", {50.0, -10.0, 9.5}, 0}, {"vent p", {50.0, 10.0, 9.5}, 0}};
    voxel::WeatherEntry w;
    w.deck_edge = Point3{50.0, -10.0, 10.0};
    c.condition.weather = w;
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 2);
    ASSERT_TRUE(o.ok);
    const voxel::LoadingResult& r = o.result;
    ASSERT_TRUE(r.weather);

    const double BM = Bm * Bm / (12 * T), GM = T / 2 + BM - KG;
    auto gz = [&](double deg) {
        const double p = deg * voxel::kPi / 180.0, t = std::tan(p);
        return std::sin(p) * (GM + BM * t * t / 2);
    };
    const double A = L * (D - T), Z = (D + T) / 2 - T / 2;
    const double lw1 = 504.0 * A * Z / (1000.0 * 9.81 * Delta), lw2 = 1.5 * lw1;
    // theta0 and the first intercept: gz rises through lw1 and lw2 near 0.
    auto solve = [&](double arm) {
        double lo = 0.0, hi = 20.0;
        for (int i = 0; i < 200; ++i) {
            const double m = 0.5 * (lo + hi);
            (gz(m) < arm ? lo : hi) = m;
        }
        return lo;
    };
    const double theta0 = solve(lw1), theta_i = solve(lw2);
    // theta1 by hand: B/d = 4 > 3.5 gives X1 = 0.80, CB = 1 gives X2 = 1,
    // no bilge keel k = 1, OG = 0 gives r = 0.73; T = 2 C B / sqrt(GM) with
    // C = 0.373 + 0.023 * 4 - 0.043 = 0.422 lies between 8 and 12 s.
    const double Tr = 2 * 0.422 * Bm / std::sqrt(GM);
    ASSERT_GT(Tr, 8.0);
    ASSERT_LT(Tr, 12.0);
    const double s = 0.093 + (0.065 - 0.093) * (Tr - 8.0) / 4.0;
    const double theta1 = 109.0 * 0.80 * std::sqrt(0.73 * s);
    const double theta_f = std::atan(0.45) * 180.0 / voxel::kPi;
    const double deck = std::atan(0.5) * 180.0 / voxel::kPi;

    for (const voxel::WeatherSide* side : {&r.weather->starboard, &r.weather->port}) {
        EXPECT_NEAR(side->windage_area, A, 1e-6);
        EXPECT_NEAR(side->windage_centre_z, (D + T) / 2, 1e-6);
        EXPECT_NEAR(side->lateral_centre_z, T / 2, 1e-6);
        EXPECT_NEAR(side->lever, Z, 1e-6);
        EXPECT_NEAR(side->lw1, lw1, 1e-9);
        EXPECT_NEAR(side->theta0, theta0, 0.01);
        EXPECT_NEAR(side->roll_period, Tr, 1e-4);
        EXPECT_NEAR(side->x1, 0.80, 1e-12);
        EXPECT_NEAR(side->x2, 1.0, 1e-6);
        EXPECT_EQ(side->k, 1.0);
        EXPECT_NEAR(side->r, 0.73, 1e-6);
        EXPECT_NEAR(side->s, s, 1e-6);
        EXPECT_NEAR(side->theta1, theta1, 1e-3);
        EXPECT_NEAR(side->theta2, theta_f, 0.01);
        ASSERT_TRUE(side->deck_edge);
        EXPECT_NEAR(*side->deck_edge, deck, 0.01);
        ASSERT_GT(side->theta0 - side->theta1, -deck);  // the roll stays wall-sided

        // The areas by a fine Simpson sum of the formula over the result's
        // own limits (each checked above).
        auto simpson = [&](double a, double b, double sign) {
            const int n = 20000;
            const double h = (b - a) / n;
            double sum = 0.0;
            for (int i = 0; i <= n; ++i) {
                const double wgt = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
                sum += wgt * sign * (gz(a + i * h) - lw2);
            }
            return sum * (h * voxel::kPi / 180.0) / 3.0;
        };
        EXPECT_NEAR(simpson(side->theta0 - side->theta1, theta_i, -1.0), side->area_a, 1e-5);
        EXPECT_NEAR(simpson(theta_i, side->theta2, 1.0), side->area_b, 1e-5);
        EXPECT_GT(side->area_a, 0.0);
    }
    ASSERT_EQ(r.criteria.size(), 8u);
    EXPECT_EQ(r.criteria[6].id, "weather_area_ratio");
    EXPECT_EQ(r.criteria[6].starboard.result, "PASS");
    EXPECT_EQ(r.criteria[7].id, "weather_heel");
    EXPECT_EQ(r.criteria[7].limit, 16.0);  // 0.8 x 26.57 exceeds 16
    EXPECT_EQ(r.criteria[7].port.result, "PASS");
    EXPECT_NEAR(r.criteria[7].port.value, theta0, 0.01);
}

TEST(Weather, NotCheckedWithoutTheTable) {
    voxel::LoadedCondition c;
    c.hull = std::make_unique<voxel::VoxelGroup>(voxel::CrossingTolerance::Loose);
    set_hexahedra(*c.hull, {box_solid(0, L, -Bm / 2, Bm / 2, 0, D)});
    c.lpp = L;
    c.breadth = Bm;
    c.condition.lightship = {"lightship", 6000.0, {L / 2, 0.0, 5.0}};
    const voxel::LoadingOutcome o = voxel::compute_loading(c, 1);
    ASSERT_TRUE(o.ok);
    EXPECT_FALSE(o.result.weather);
    ASSERT_EQ(o.result.criteria.size(), 6u);
    for (const voxel::CriterionOutcome& k : o.result.criteria)
        EXPECT_NE(k.id.rfind("weather", 0), 0u) << k.id;
}

// The tables of theta1 between their points and held at their ends.
TEST(Weather, TablesInterpolateAndHold) {
    EXPECT_EQ(voxel::weather_x1(2.0), 1.00);
    EXPECT_NEAR(voxel::weather_x1(2.45), 0.99, 1e-12);
    EXPECT_EQ(voxel::weather_x1(4.0), 0.80);
    EXPECT_EQ(voxel::weather_x2(0.3), 0.75);
    EXPECT_NEAR(voxel::weather_x2(0.675), 0.985, 1e-12);
    EXPECT_NEAR(voxel::weather_k(1.25), 0.965, 1e-12);
    EXPECT_EQ(voxel::weather_k(9.0), 0.70);
    EXPECT_NEAR(voxel::weather_s(10.0), 0.079, 1e-12);
    EXPECT_EQ(voxel::weather_s(30.0), 0.035);
    EXPECT_EQ(voxel::weather_s(3.0), 0.100);
}

}  // namespace
