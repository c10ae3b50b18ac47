// The text of the criteria file: its comment lines, the aligned table, and
// the verdicts that points of unbalanced trim turn.
#include "report/criteria_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "kernel/angles.h"
#include "model/stability/stability_criteria.h"
#include "support/process.h"

namespace {

using voxel::ArmSeries;
using voxel::evaluate_stability_criteria;

const double kStep = 5.0 * voxel::kPi / 180.0;  // 5 degrees in rad

// The arm at 0, 5, ..., 90 degrees of a curve given in radians.
std::vector<double> sampled(const std::function<double(double)>& gz) {
    std::vector<double> v;
    for (int i = 0; i <= 18; ++i) v.push_back(gz(i * kStep));
    return v;
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
