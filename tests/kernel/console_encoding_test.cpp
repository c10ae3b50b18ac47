// The console encoding chosen from the locale, and the UTF-8 to GBK step.
#include <gtest/gtest.h>

#include <string>

#include "kernel/platform/console.h"

namespace {

using voxel::ConsoleEncoding;
using voxel::encoding_for_locale;

struct LocaleCase {
    const char* name;
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    ConsoleEncoding expected;
};

class ConsoleEncodingChoice : public testing::TestWithParam<LocaleCase> {};

TEST_P(ConsoleEncodingChoice, FirstSetVariableDecides) {
    const LocaleCase& c = GetParam();
    EXPECT_EQ(encoding_for_locale(c.lc_all, c.lc_ctype, c.lang), c.expected);
}

constexpr ConsoleEncoding kUtf8 = ConsoleEncoding::Utf8;
constexpr ConsoleEncoding kGbk = ConsoleEncoding::Gbk;

INSTANTIATE_TEST_SUITE_P(
    ConsoleEncoding, ConsoleEncodingChoice,
    testing::Values(LocaleCase{"NothingSet", nullptr, nullptr, nullptr, kGbk},
                    LocaleCase{"AllEmpty", "", "", "", kGbk},
                    LocaleCase{"LcAllUtf8", "C.UTF-8", nullptr, nullptr, kUtf8},
                    LocaleCase{"LcAllWinsOverCtype", "C", "en_US.UTF-8", "en_US.UTF-8", kGbk},
                    LocaleCase{"LcAllUtf8WinsOverCtype", "zh_CN.UTF-8", "C", "C", kUtf8},
                    LocaleCase{"EmptyLcAllFallsToCtype", "", "en_US.utf8", "C", kUtf8},
                    LocaleCase{"CtypeWinsOverLang", nullptr, "C", "en_US.UTF-8", kGbk},
                    LocaleCase{"LangAlone", nullptr, nullptr, "zh_CN.UTF-8", kUtf8},
                    LocaleCase{"LangGbk", nullptr, nullptr, "zh_CN.GBK", kGbk},
                    LocaleCase{"Gb18030", "zh_CN.GB18030", nullptr, nullptr, kGbk},
                    LocaleCase{"Posix", "POSIX", nullptr, nullptr, kGbk},
                    LocaleCase{"LowerCaseCodeset", "en_US.utf-8", nullptr, nullptr, kUtf8},
                    LocaleCase{"CodesetWithModifier", "de_DE.UTF-8@euro", nullptr, nullptr, kUtf8},
                    LocaleCase{"Utf8InTheModifierOnly", "de_DE@utf8", nullptr, nullptr, kGbk},
                    LocaleCase{"Utf16IsNotUtf8", "xx_XX.UTF-16", nullptr, nullptr, kGbk}),
    [](const testing::TestParamInfo<LocaleCase>& i) { return std::string(i.param.name); });

TEST(Utf8ToGbk, KnownCharacters) {
    EXPECT_EQ(voxel::utf8_to_gbk("项目"), "\xCF\xEE\xC4\xBF");
    EXPECT_EQ(voxel::utf8_to_gbk("Warning! 文件打开失败!"),
              "Warning! \xCE\xC4\xBC\xFE\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC!");
    // The full-width comma of the righting-arm note.
    EXPECT_EQ(voxel::utf8_to_gbk("设计，"), "\xC9\xE8\xBC\xC6\xA3\xAC");
}

TEST(Utf8ToGbk, AsciiPassesUnchanged) {
    const std::string ascii = "Volume of Displacement= 1.5e+010\r\n\t~";
    EXPECT_EQ(voxel::utf8_to_gbk(ascii), ascii);
    EXPECT_EQ(voxel::utf8_to_gbk(""), "");
}

TEST(Utf8ToGbk, WhatGbkLacksBecomesAQuestionMark) {
    // U+1F600 (four bytes) has no GBK form: one '?' for the whole character.
    EXPECT_EQ(voxel::utf8_to_gbk("a\xF0\x9F\x98\x80项"), "a?\xCF\xEE");
}

TEST(Utf8ToGbk, BytesThatAreNoUtf8CostNoNeighbours) {
    // A stray 0xFF, a lone continuation byte, a lead byte cut short and GBK
    // bytes (a path typed at a GBK console): each bad byte becomes one '?'
    // and the characters after it survive.
    EXPECT_EQ(voxel::utf8_to_gbk("\xFFz目"), "?z\xC4\xBF");
    EXPECT_EQ(voxel::utf8_to_gbk("\x80z"), "?z");
    EXPECT_EQ(voxel::utf8_to_gbk("\xE7z目"), "?z\xC4\xBF");
    EXPECT_EQ(voxel::utf8_to_gbk("\xCF\xEE.txt"), "??.txt");
    EXPECT_EQ(voxel::utf8_to_gbk("ab\xE7\x9B"), "ab?");  // cut short at the end
}

}  // namespace
