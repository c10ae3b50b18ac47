// The righting-arm table for spreadsheets: its header, one row per 5 degrees,
// numbers that strtod reads back to exactly the arms, and the balanced flags.
#include "report/arm_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "support/process.h"

namespace {

std::vector<std::string> fields_of(const std::string& row) {
    std::vector<std::string> f;
    std::stringstream in(row);
    std::string cell;
    while (std::getline(in, cell, ',')) f.push_back(cell);
    return f;
}

TEST(ArmCsv, RowsReadBackToExactlyTheArms) {
    // Values whose shortest text is long, tiny, huge, negative zero or not a
    // number, among ordinary arms.
    std::vector<double> starboard, port;
    for (int i = 0; i < 19; ++i) {
        starboard.push_back(std::sin(i * 0.0872664626) * 2.0 / 3.0);
        port.push_back(-i / 7.0);
    }
    starboard[0] = 0.1 + 0.2;
    starboard[1] = 1e-300;
    starboard[2] = std::numeric_limits<double>::denorm_min();
    starboard[3] = std::numeric_limits<double>::max();
    starboard[4] = 2.84217e-16;
    port[0] = -0.0;
    port[1] = std::numeric_limits<double>::quiet_NaN();
    port[2] = -std::numeric_limits<double>::infinity();

    // The trim of starboard 10 and port 85, 90 degrees stopped at its bound.
    std::vector<bool> starboard_balanced(19, true), port_balanced(19, true);
    starboard_balanced[2] = false;
    port_balanced[17] = port_balanced[18] = false;
    const std::string text =
        voxel::righting_arm_csv({starboard, 1.0, starboard_balanced}, {port, 1.0, port_balanced});
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    const auto lines = testing_support::split_lines(text);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,balanced_port");
    for (int i = 0; i < 19; ++i) {
        const auto f = fields_of(lines[i + 1]);
        ASSERT_EQ(f.size(), 5u) << lines[i + 1];
        EXPECT_EQ(f[3], starboard_balanced[i] ? "1" : "0");
        EXPECT_EQ(f[4], port_balanced[i] ? "1" : "0");
        EXPECT_EQ(f[0], std::to_string(5 * i));
        const double s = std::strtod(f[1].c_str(), nullptr);
        const double p = std::strtod(f[2].c_str(), nullptr);
        EXPECT_EQ(s, starboard[i]) << f[1];
        if (std::isnan(port[i])) {
            EXPECT_TRUE(std::isnan(p)) << f[2];
        } else {
            EXPECT_EQ(p, port[i]) << f[2];
            EXPECT_EQ(std::signbit(p), std::signbit(port[i])) << f[2];
        }
    }
    EXPECT_EQ(fields_of(lines[1])[1], "0.30000000000000004");
    EXPECT_EQ(fields_of(lines[2])[2], "nan");
    EXPECT_EQ(fields_of(lines[3])[2], "-inf");
}

TEST(ArmCsv, MissingArmsOfAShortSeriesAreNaNAndCountAsBalanced) {
    const auto lines =
        testing_support::split_lines(voxel::righting_arm_csv({{0.5}, 1.0, {}}, {{}, 1.0, {}}));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[1], "0,0.5,nan,1,1");
    EXPECT_EQ(lines[19], "90,nan,nan,1,1");
}

}  // namespace
