// Round ticks: they enclose the range, step by 1, 2, 2.5 or 5 times a power
// of ten, and print as the short decimals they stand for.
#include "report/charts/nice_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "kernel/platform/number_format.h"

namespace {

using voxel::nice_ticks;
using voxel::Ticks;

// The step as mantissa * 10^e with the mantissa in [1, 10).
double mantissa_of(double step) {
    const double e = std::floor(std::log10(step));
    return step / std::pow(10.0, e);
}

bool round_mantissa(double m, bool with_two_and_a_half) {
    for (double r : {1.0, 2.0, 2.5, 5.0, 10.0})
        if ((with_two_and_a_half || r != 2.5) && std::fabs(m - r) < 1e-9) return true;
    return false;
}

struct Range {
    double lo, hi;
    int n;
};

class NiceTicksOnRanges : public testing::TestWithParam<Range> {};

TEST_P(NiceTicksOnRanges, EncloseTheRangeWithRoundEvenSteps) {
    const Range r = GetParam();
    for (bool with_25 : {true, false}) {
        const Ticks t = nice_ticks(r.lo, r.hi, r.n, with_25);
        ASSERT_GE(t.values.size(), 2u);
        EXPECT_LE(static_cast<int>(t.values.size()) - 1, r.n);
        EXPECT_LE(t.first(), r.lo);
        EXPECT_GE(t.last(), r.hi);
        // No whole step of slack at either end.
        EXPECT_GT(t.first() + t.step, r.lo);
        EXPECT_LT(t.last() - t.step, r.hi);
        EXPECT_TRUE(round_mantissa(mantissa_of(t.step), with_25)) << t.step;
        for (std::size_t i = 0; i < t.values.size(); ++i) {
            // Each tick is the multiple of the step, as short as it reads:
            // printed with the tick's decimals it parses back to itself.
            const double k = t.values[i] / t.step;
            EXPECT_NEAR(k, std::round(k), 1e-9);
            const std::string label = voxel::tick_label(t.values[i], t.decimals);
            EXPECT_EQ(std::strtod(label.c_str(), nullptr), t.values[i]) << label;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NiceTicks, NiceTicksOnRanges,
                         testing::Values(Range{0.0, 90.0, 9}, Range{0.0, 1.0, 10},
                                         Range{-1.0, 2.61787, 10}, Range{0.5, 9.9, 20},
                                         Range{26.0, 5337.61, 6}, Range{0.0, 0.3, 3},
                                         Range{-2.6e-13, 2.6e-13, 5}, Range{1e6, 1e6 + 7, 7},
                                         Range{0.069, 0.071, 4}, Range{-350.0, -20.0, 5}));

TEST(NiceTicks, StepOfTwoAndAHalfOnlyWhenAllowed) {
    // 0 to 10 in at most 4 steps: 2.5 fits exactly; the 1-2-5 series needs 5.
    EXPECT_DOUBLE_EQ(nice_ticks(0.0, 10.0, 4, true).step, 2.5);
    EXPECT_DOUBLE_EQ(nice_ticks(0.0, 10.0, 4, false).step, 5.0);
}

TEST(NiceTicks, TenthsAreTheDecimalsTheyPrintAs) {
    // Summed or multiplied tenths drift (0.1 * 3 = 0.30000000000000004); the
    // ticks must be the doubles nearest the decimals 0.3, 0.6 ...
    const Ticks t = nice_ticks(0.0, 0.7, 7);
    ASSERT_EQ(t.values.size(), 8u);
    EXPECT_EQ(voxel::format_shortest(t.values[3]), "0.3");
    EXPECT_EQ(voxel::format_shortest(t.values[6]), "0.6");
    EXPECT_EQ(voxel::format_shortest(t.values[7]), "0.7");
    EXPECT_EQ(t.decimals, 1);
    EXPECT_EQ(voxel::tick_label(t.values[0], t.decimals), "0.0");
}

TEST(NiceTicks, EmptyAndNonFiniteRangesStillGiveAnAxis) {
    const Ticks same = nice_ticks(4.0, 4.0, 5);
    EXPECT_LT(same.first(), 4.0);
    EXPECT_GT(same.last(), 4.0);
    const Ticks zero = nice_ticks(0.0, 0.0, 5);
    EXPECT_LT(zero.first(), zero.last());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Ticks none = nice_ticks(nan, 1.0, 5);
    EXPECT_EQ(none.first(), 0.0);
    EXPECT_EQ(none.last(), 1.0);
}

}  // namespace
