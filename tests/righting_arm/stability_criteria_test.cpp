// Intact-stability criteria: Simpson areas against exact integrals of closed
// form arm curves (a cubic, the box barge's wall-sided formula, a sine),
// within the rule's error bound; PASS and FAIL at the limits; the text.
#include "apps/righting_arm/stability_criteria.h"

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

TEST(StabilityCriteriaText, CommentsThenAlignedTableOfSixColumns) {
    voxel::StabilityInput in;
    in.model_path = "examples/box_barge/model.txt";
    in.V = 8000;
    in.G = {50, 0, 6};
    const double GM = 13.0 / 3.0;
    in.starboard = {sampled([&](double p) { return GM * std::sin(p); }), GM, {}};
    in.port = {sampled([&](double p) { return 0.01 * std::sin(p); }), 0.1, {}};
    const auto lines = testing_support::split_lines(voxel::stability_criteria_text(in));

    std::size_t first_row = 0;
    while (first_row < lines.size() && lines[first_row].rfind("#", 0) == 0) ++first_row;
    std::string comments;
    for (std::size_t i = 0; i < first_row; ++i) comments += lines[i] + "\n";
    for (const char* said : {"examples/box_barge/model.txt", "V = 8000", "G = (50, 0, 6)", "metres",
                             "downflooding", "Simpson", "radians", "GM0 = z_B + I_T/V - z_G"})
        EXPECT_NE(comments.find(said), std::string::npos) << said;

    ASSERT_EQ(lines.size(), first_row + 7);
    const auto r = evaluate_stability_criteria(in.starboard, in.port);
    std::vector<std::vector<std::string>> table;
    for (std::size_t i = first_row; i < lines.size(); ++i) {
        std::istringstream fields(lines[i]);
        std::vector<std::string> f;
        std::string w;
        while (fields >> w) f.push_back(w);
        ASSERT_EQ(f.size(), 6u) << lines[i];
        table.push_back(f);
        // Aligned: every field starts where the header's does.
        std::size_t at = 0;
        for (std::size_t c = 0; c < 6; ++c) {
            at = lines[i].find(f[c], at);
            EXPECT_EQ(at, lines[first_row].find(table[0][c])) << lines[i];
            at += f[c].size();
        }
    }
    EXPECT_EQ(table[0], (std::vector<std::string>{"key", "limit", "starboard", "starboard_result",
                                                  "port", "port_result"}));
    for (std::size_t k = 0; k < 6; ++k) {
        const auto& row = table[k + 1];
        EXPECT_EQ(row[0], r[k].key);
        // Six significant digits: the printed value is within 5e-6 relative.
        EXPECT_NEAR(std::stod(row[2]), r[k].starboard, 5e-6 * std::fabs(r[k].starboard));
        EXPECT_EQ(row[3], "PASS");
        EXPECT_EQ(row[5], r[k].port_pass ? "PASS" : "FAIL");
    }
    EXPECT_EQ(table[1][5], "FAIL");  // 0.01 sin phi: far too little area
    EXPECT_EQ(table[5][5], "PASS");  // but its largest arm is at 90 degrees
    EXPECT_EQ(table[6][5], "FAIL");  // GM0 0.1 < 0.15
}

}  // namespace

namespace {

// A point whose trim was not balanced makes NOT_BALANCED of every verdict
// whose value uses it (the areas the points between their limits, the largest
// arm from 30 degrees the points 30..90, its angle the whole curve, GM0 the
// upright point) and of no other; the value is still given, and one comment
// line names the angles.
TEST(StabilityCriteriaText, NotBalancedPointsTurnTheVerdictsThatUseThem) {
    const double GM = 13.0 / 3.0;
    voxel::StabilityInput in;
    in.model_path = "model.txt";
    in.starboard = {sampled([&](double p) { return GM * std::sin(p); }), GM,
                    std::vector<bool>(19, true)};
    in.port = in.starboard;
    in.starboard.balanced[0] = false;  // upright
    in.port.balanced[7] = false;       // 35 degrees
    in.port.balanced[18] = false;      // 90 degrees

    const auto r = evaluate_stability_criteria(in.starboard, in.port);
    // area 0-30, 0-40, 30-40, gz_max_30_plus, angle_gz_max, gm0
    const bool starboard_uses[] = {true, true, false, false, true, true};
    const bool port_uses[] = {false, true, true, true, true, false};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(r[k].starboard_balanced, !starboard_uses[k]) << r[k].key;
        EXPECT_EQ(r[k].port_balanced, !port_uses[k]) << r[k].key;
        EXPECT_TRUE(r[k].starboard_pass && r[k].port_pass) << r[k].key;
    }

    const auto lines = testing_support::split_lines(voxel::stability_criteria_text(in));
    std::size_t first_row = 0;
    int naming = 0;
    for (; first_row < lines.size() && lines[first_row].rfind("#", 0) == 0; ++first_row)
        if (lines[first_row].find("NOT_BALANCED") != std::string::npos) {
            ++naming;
            EXPECT_NE(lines[first_row].find("starboard 0; port 35 90"), std::string::npos)
                << lines[first_row];
        }
    EXPECT_EQ(naming, 1);
    ASSERT_EQ(lines.size(), first_row + 7);
    for (int k = 0; k < 6; ++k) {
        std::istringstream fields(lines[first_row + 1 + k]);
        std::vector<std::string> f;
        std::string w;
        while (fields >> w) f.push_back(w);
        ASSERT_EQ(f.size(), 6u);
        EXPECT_EQ(f[3], starboard_uses[k] ? "NOT_BALANCED" : "PASS") << f[0];
        EXPECT_EQ(f[5], port_uses[k] ? "NOT_BALANCED" : "PASS") << f[0];
        EXPECT_NEAR(std::stod(f[2]), r[k].starboard, 5e-6 * std::fabs(r[k].starboard));
        // The result columns still start under their headers.
        EXPECT_EQ(lines[first_row + 1 + k].find(f[3], f[0].size()),
                  lines[first_row].find("starboard_result"));
    }

    // All balanced, or nothing said: the text of a sweep that needed no bound.
    voxel::StabilityInput plain = in;
    plain.starboard.balanced.assign(19, true);
    plain.port.balanced.clear();
    const std::string text = voxel::stability_criteria_text(plain);
    EXPECT_EQ(text.find("NOT_BALANCED"), std::string::npos);
    plain.starboard.balanced.clear();
    EXPECT_EQ(voxel::stability_criteria_text(plain), text);
}

}  // namespace
