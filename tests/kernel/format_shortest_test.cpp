// The shortest round-trip number text of the CSV files: strtod reads it back
// to the very same double, one significant digit fewer would not do, and the
// non-finite values are words a spreadsheet or Python's float() reads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "kernel/platform/number_format.h"

namespace {

using voxel::format_shortest;

double from_bits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Significant digits of a decimal text (mantissa digits without the leading
// and trailing zeros).
int significant_digits(const std::string& text) {
    std::string digits;
    for (char c : text.substr(0, text.find('e')))
        if (c >= '0' && c <= '9') digits += c;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    digits = digits.substr(first);
    digits.erase(digits.find_last_not_of('0') + 1);
    return static_cast<int>(digits.size());
}

TEST(FormatShortest, ReadsBackExactlyAndNoShorterTextWould) {
    // Doubles of every exponent: random bit patterns from a fixed generator.
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double v = from_bits(state);
        if (!std::isfinite(v)) continue;
        const std::string text = format_shortest(v);
        const double back = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(back, v) << text;
        ASSERT_EQ(std::signbit(back), std::signbit(v)) << text;
        // Below 1e15 every digit printed is significant (beyond 2^53 a fixed
        // form may print the integer's own digits, longer than its shortest
        // significand but still the shorter text).
        const int d = significant_digits(text);
        if (d > 1 && std::fabs(v) < 1e15) {
            char shorter[400];
            std::snprintf(shorter, sizeof shorter, "%.*g", d - 1, v);
            EXPECT_NE(std::strtod(shorter, nullptr), v) << text << " vs " << shorter;
        }
        ++checked;
    }
    EXPECT_GT(checked, 19000);
}

TEST(FormatShortest, DecimalsThatAreNotQuiteTheirSum) {
    EXPECT_EQ(format_shortest(0.1), "0.1");
    EXPECT_EQ(format_shortest(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(format_shortest(1e-300), "1e-300");
    EXPECT_EQ(format_shortest(2.84217e-16), "2.84217e-16");
    EXPECT_EQ(format_shortest(-0.0), "-0");
    EXPECT_EQ(format_shortest(90.0), "90");
}

TEST(FormatShortest, NonFiniteValuesAreWordsReadersTake) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(format_shortest(inf), "inf");
    EXPECT_EQ(format_shortest(-inf), "-inf");
    EXPECT_EQ(format_shortest(nan), "nan");
    EXPECT_EQ(format_shortest(-nan), "nan");
    EXPECT_EQ(std::strtod(format_shortest(-inf).c_str(), nullptr), -inf);
}

}  // namespace
