// The one number format of console and file output, and its locale freedom.
#include "kernel/platform/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "support/scratch_dir.h"

namespace {

using voxel::format_fixed;
using voxel::format_number;

struct Formatted {
    double value;
    const char* text;
};

class FormatNumber : public testing::TestWithParam<Formatted> {};

TEST_P(FormatNumber, SixSignificantDigitsAndAThreeDigitExponent) {
    EXPECT_EQ(format_number(GetParam().value), GetParam().text);
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    NumberFormat, FormatNumber,
    testing::Values(Formatted{0.5, "0.5"}, Formatted{1e-5, "1e-005"}, Formatted{0.0001, "0.0001"},
                    Formatted{0.00012345678, "0.000123457"}, Formatted{123456, "123456"},
                    Formatted{1234567, "1.23457e+006"}, Formatted{999999.5, "1e+006"},
                    Formatted{100000, "100000"}, Formatted{-0.0, "-0"}, Formatted{0.0, "0"},
                    Formatted{1.5e10, "1.5e+010"}, Formatted{-2.5e-7, "-2.5e-007"},
                    Formatted{1e100, "1e+100"}, Formatted{1.25e-300, "1.25e-300"},
                    Formatted{3.14159265, "3.14159"}, Formatted{-12.5, "-12.5"},
                    Formatted{2.0, "2"}, Formatted{kInf, "inf"}, Formatted{-kInf, "-inf"},
                    Formatted{kNaN, "nan"}));

struct Fixed {
    double value;
    int decimals;
    const char* text;
};

class FormatFixed : public testing::TestWithParam<Fixed> {};

TEST_P(FormatFixed, DecimalsAsPrintf) {
    EXPECT_EQ(format_fixed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(NumberFormat, FormatFixed,
                         testing::Values(Fixed{3.14159, 3, "3.142"}, Fixed{0.0, 3, "0.000"},
                                         Fixed{-0.0005, 3, "-0.001"}, Fixed{2.5, 0, "2"},
                                         Fixed{3.5, 0, "4"}, Fixed{-1.0, 2, "-1.00"},
                                         Fixed{1e20, 1, "100000000000000000000.0"}));

TEST(NumberFormat, Padding) {
    EXPECT_EQ(voxel::pad_left_aligned("ab", 5), "ab   ");
    EXPECT_EQ(voxel::pad_right_aligned("ab", 5), "   ab");
    EXPECT_EQ(voxel::pad_left_aligned("abcdef", 3), "abcdef");
    EXPECT_EQ(voxel::pad_right_aligned("abcdef", 6), "abcdef");
}

// Sets a locale whose decimal point is a comma for the test's lifetime: an
// installed one if there is, otherwise one compiled with localedef into a
// scratch folder.
class CommaLocale {
  public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "ru_RU.UTF-8", "nl_NL.UTF-8"})
            if (try_set(name)) return;
        // None installed: compile de_DE (a small Latin-1 one) if the tools
        // and sources are there.
        const std::string dir = scratch_.path();
        const std::string command =
            "localedef -i de_DE -f ISO-8859-1 '" + dir + "/de_DE.ISO-8859-1' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) return;
        const char* old = std::getenv("LOCPATH");
        had_locpath_ = old != nullptr;
        if (old) old_locpath_ = old;
        setenv("LOCPATH", dir.c_str(), 1);
        try_set("de_DE.ISO-8859-1");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        if (had_locpath_)
            setenv("LOCPATH", old_locpath_.c_str(), 1);
        else
            unsetenv("LOCPATH");
    }
    bool active() const { return active_; }
    const std::string& name() const { return name_; }

  private:
    bool try_set(const char* name) {
        if (!std::setlocale(LC_ALL, name)) return false;
        if (std::string(std::localeconv()->decimal_point) != ",") {
            std::setlocale(LC_ALL, "C");
            return false;
        }
        active_ = true;
        name_ = name;
        return true;
    }

    testing_support::ScratchDir scratch_;
    bool active_ = false;
    std::string name_;
    bool had_locpath_ = false;
    std::string old_locpath_;
};

TEST(NumberFormat, CommaDecimalLocaleChangesNothing) {
    CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed and localedef could not "
                        "build one";
    // The C library itself now writes a comma...
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", 0.5);
    ASSERT_EQ(std::string(buf), "0,5") << comma.name();
    // ...the formatter does not.
    EXPECT_EQ(format_number(0.5), "0.5");
    EXPECT_EQ(format_number(1234567), "1.23457e+006");
    EXPECT_EQ(format_number(1e-5), "1e-005");
    EXPECT_EQ(format_number(-12.5), "-12.5");
    EXPECT_EQ(format_fixed(3.14159, 3), "3.142");
}

}  // namespace
