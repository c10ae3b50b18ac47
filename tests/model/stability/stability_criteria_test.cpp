// Intact-stability criteria: Simpson areas against exact integrals of closed
// form arm curves (a cubic, the box barge's wall-sided formula, a sine),
// within the rule's error bound; PASS and FAIL at the limits.
#include "model/stability/stability_criteria.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

#include "kernel/angles.h"
#include "support/process.h"

namespace {

using voxel::ArmSeries;
using voxel::evaluate_stability_criteria;
using voxel::gz_curve_area;

using voxel::kPi;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kStep = 5.0 * kPi / 180.0;  // 5 degrees in rad

// The arm at 0, 5, ..., 90 degrees of a curve given in radians.
std::vector<double> sampled(const std::function<double(double)>& gz) {
    std::vector<double> v;
    for (int i = 0; i <= 18; ++i) v.push_back(gz(i * kStep));
    return v;
}

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// Simpson's error bound on [a, b] (rad) with step h: (b - a) h^4 max|f''''| / 180,
// the fourth derivative estimated by central differences on a fine grid
// (times 1.5 for the estimate's own error).
double simpson_bound(const std::function<double(double)>& f, double a, double b) {
    const double d = 1e-2;
    double m = 0.0;
    for (double x = a; x <= b + 1e-12; x += 0.001) {
        const double f4 =
            (f(x - 2 * d) - 4 * f(x - d) + 6 * f(x) - 4 * f(x + d) + f(x + 2 * d)) / std::pow(d, 4);
        m = std::max(m, std::fabs(f4));
    }
    return (b - a) * std::pow(kStep, 4) * 1.5 * m / 180.0;
}

TEST(GzCurveArea, SimpsonIsExactForACubicArm) {
    // GZ = 0.8 phi + 0.5 phi^2 - 0.9 phi^3, integral 0.4 a^2 + a^3 / 6 - 0.225 a^4.
    const auto gz = [](double p) { return 0.8 * p + 0.5 * p * p - 0.9 * p * p * p; };
    const auto integral = [](double a) {
        return 0.4 * a * a + a * a * a / 6.0 - 0.225 * a * a * a * a;
    };
    const auto arms = sampled(gz);
    EXPECT_NEAR(gz_curve_area(arms, 0, 30), integral(radians(30)), 1e-14);
    EXPECT_NEAR(gz_curve_area(arms, 0, 40), integral(radians(40)), 1e-14);
    EXPECT_NEAR(gz_curve_area(arms, 30, 40), integral(radians(40)) - integral(radians(30)), 1e-14);
    EXPECT_NEAR(gz_curve_area(arms, 10, 90), integral(radians(90)) - integral(radians(10)), 1e-13);
}

TEST(GzCurveArea, BoxBargeWallSidedArmWithinSimpsonBound) {
    // The example barge (B 20, draft 4, KG 6): KB = 2, BM = B^2 / (12 d) =
    // 25/3, GM = KB + BM - KG = 13/3. While the deck edge is dry and the
    // bilge wet (phi <= 21.8 deg) GZ = sin phi (GM + BM tan^2 phi / 2), and
    // with u = cos phi, integral sin phi tan^2 phi = 1/u + u, so
    //   A(a) = GM (1 - cos a) + BM/2 (1/cos a + cos a - 2).
    const double GM = 13.0 / 3.0, BM = 25.0 / 3.0;
    const auto gz = [&](double p) {
        return std::sin(p) * (GM + 0.5 * BM * std::tan(p) * std::tan(p));
    };
    const double a = radians(20);
    const double exact = GM * (1 - std::cos(a)) + 0.5 * BM * (1 / std::cos(a) + std::cos(a) - 2);
    const double bound = simpson_bound(gz, 0.0, a);
    const double area = gz_curve_area(sampled(gz), 0, 20);
    EXPECT_LE(std::fabs(area - exact), bound);
    // The bound is not so loose that a wrong weight would hide in it.
    EXPECT_LT(bound, 1e-4 * exact);
}

TEST(StabilityCriteria, WallSidedSineCurveOfTheBarge) {
    // GZ = GM sin phi with GM = 13/3: A(a, b) = GM (cos a - cos b); the
    // fourth derivative is GM sin phi, at most GM sin b on [a, b].
    const double GM = 13.0 / 3.0;
    const ArmSeries s{sampled([&](double p) { return GM * std::sin(p); }), GM, {}};
    const auto exact = [&](double a, double b) {
        return GM * (std::cos(radians(a)) - std::cos(radians(b)));
    };
    const auto bound = [&](double a, double b) {
        return (radians(b) - radians(a)) * std::pow(kStep, 4) * GM * std::sin(radians(b)) / 180.0;
    };
    const auto r = evaluate_stability_criteria(s, s);
    ASSERT_EQ(r.size(), 6u);
    const char* keys[] = {"area_0_30_m_rad",  "area_0_40_m_rad",  "area_30_40_m_rad",
                          "gz_max_30_plus_m", "angle_gz_max_deg", "gm0_m"};
    const double limits[] = {0.055, 0.090, 0.030, 0.20, 25.0, 0.15};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(r[i].key, keys[i]);
        EXPECT_EQ(r[i].limit, limits[i]);
        EXPECT_EQ(r[i].starboard, r[i].port);
    }
    EXPECT_NEAR(r[0].starboard, exact(0, 30), bound(0, 30));
    EXPECT_NEAR(r[1].starboard, exact(0, 40), bound(0, 40));
    EXPECT_NEAR(r[2].starboard, exact(30, 40), bound(30, 40));
    EXPECT_NEAR(r[3].starboard, GM, 1e-12);  // sin 90 deg
    EXPECT_EQ(r[4].starboard, 90.0);
    EXPECT_EQ(r[5].starboard, GM);  // GM0 is reported as given
    for (const auto& c : r) EXPECT_TRUE(c.starboard_pass && c.port_pass) << c.key;
}

TEST(StabilityCriteria, PassAtTheLimitFailJustBelowAndForNaN) {
    EXPECT_TRUE(voxel::criterion_passes(0.15, 0.15));
    EXPECT_FALSE(voxel::criterion_passes(std::nextafter(0.15, 0.0), 0.15));
    EXPECT_FALSE(voxel::criterion_passes(kNaN, 0.15));

    // A tent of arms peaking at 25 degrees (starboard) or 20 (port).
    auto tent = [](int peak_index) {
        std::vector<double> v;
        for (int i = 0; i <= 18; ++i) v.push_back(1.0 - 0.05 * std::abs(i - peak_index));
        return v;
    };
    const auto r =
        evaluate_stability_criteria({tent(5), 0.15, {}}, {tent(4), std::nextafter(0.15, 0.0), {}});
    EXPECT_EQ(r[4].starboard, 25.0);
    EXPECT_TRUE(r[4].starboard_pass);
    EXPECT_EQ(r[4].port, 20.0);
    EXPECT_FALSE(r[4].port_pass);
    EXPECT_TRUE(r[5].starboard_pass);
    EXPECT_FALSE(r[5].port_pass);
}

TEST(StabilityCriteria, AMissingOrNaNArmFailsWhatDependsOnIt) {
    std::vector<double> arms = sampled([](double p) { return std::sin(p); });
    arms[7] = kNaN;                                                    // 35 degrees
    std::vector<double> short_series(arms.begin(), arms.begin() + 7);  // up to 30 degrees
    const auto r = evaluate_stability_criteria({arms, 1.0, {}}, {short_series, kNaN, {}});
    EXPECT_TRUE(r[0].starboard_pass);  // 0-30 does not reach 35 degrees
    for (int i : {1, 2, 3, 4}) {
        EXPECT_TRUE(std::isnan(r[i].starboard)) << r[i].key;
        EXPECT_FALSE(r[i].starboard_pass) << r[i].key;
    }
    EXPECT_FALSE(r[1].port_pass);  // 0-40 needs points the port series lacks
    EXPECT_FALSE(r[5].port_pass);
}

}  // namespace
