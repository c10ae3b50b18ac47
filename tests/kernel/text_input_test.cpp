// Input files read as Windows text mode reads them: whole, and through the
// C stream of the positioned input.
#include "kernel/platform/text_input.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <random>
#include <string>

#include "kernel/platform/text_encoding.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;

// Everything the stream yields, byte by byte.
std::string drain(std::FILE* f) {
    std::string s;
    int c;
    while ((c = std::fgetc(f)) != EOF) s += static_cast<char>(c);
    return s;
}

struct Conversion {
    const char* name;
    std::string file;
    std::string read;
};

class TextInputConversion : public testing::TestWithParam<Conversion> {};

TEST_P(TextInputConversion, OnlyACrBeforeLfIsDropped) {
    ScratchDir dir;
    const std::string path = dir.write("in.txt", GetParam().file);
    // The whole file at once, as the offset tables are read.
    std::string text;
    ASSERT_TRUE(voxel::read_text_file(path.c_str(), text));
    EXPECT_EQ(text, GetParam().read);
    // The positioned input of the model readers, which takes a file with a
    // NUL byte for no text.
    voxel::TextInput in;
    ASSERT_TRUE(in.open(path.c_str()));
    if (GetParam().file.find('\0') != std::string::npos) {
        EXPECT_STREQ(in.refused_encoding(), voxel::kNotTextFile);
        return;
    }
    EXPECT_EQ(drain(in.stream()), GetParam().read);
    EXPECT_TRUE(std::feof(in.stream()));
}

INSTANTIATE_TEST_SUITE_P(
    TextInput, TextInputConversion,
    testing::Values(Conversion{"CrLf", "a\r\nb\r\n", "a\nb\n"},
                    Conversion{"Lf", "a\nb\n", "a\nb\n"},
                    Conversion{"LoneCrKept", "a\rb\n", "a\rb\n"},
                    Conversion{"CrCrLf", "a\r\r\nb", "a\r\nb"},
                    Conversion{"CrAtTheEnd", "a\r", "a\r"}, Conversion{"LfCr", "a\n\rb", "a\n\rb"},
                    // GBK bytes and a NUL pass through unchanged.
                    Conversion{"BinaryBytes", std::string("\xCF\xEE\0\xC4\xBF\r\n", 7),
                               std::string("\xCF\xEE\0\xC4\xBF\n", 6)},
                    Conversion{"Empty", "", ""}),
    [](const testing::TestParamInfo<Conversion>& i) { return std::string(i.param.name); });

TEST(TextInput, CrLfAndLfReadAlikeWithScanfAndFgets) {
    ScratchDir dir;
    for (const char* eol : {"\n", "\r\n"}) {
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        const std::string text = std::string("Loa= 1.5") + eol + "Lpp=2e1" + eol + "name" + eol;
        const std::string path = dir.write("keys.txt", text);
        voxel::TextInput in;
        ASSERT_TRUE(in.open(path.c_str()));
        std::FILE* f = in.stream();
        double loa = 0, lpp = 0;
        EXPECT_EQ(std::fscanf(f, " Loa=%lf", &loa), 1);
        EXPECT_EQ(std::fscanf(f, " Lpp=%lf", &lpp), 1);
        EXPECT_EQ(loa, 1.5);
        EXPECT_EQ(lpp, 20.0);
        char line[32];
        ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);  // the rest of "Lpp" line
        EXPECT_STREQ(line, "\n");
        ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
        EXPECT_STREQ(line, "name\n");
        EXPECT_EQ(std::fgets(line, sizeof line, f), nullptr);
    }
}

TEST(TextInput, ScanfMismatchAndEndOfFileAreTheCLibrarys) {
    ScratchDir dir;
    const std::string path = dir.write("m.txt", "Lox= 1\r\n");
    voxel::TextInput in;
    ASSERT_TRUE(in.open(path.c_str()));
    std::FILE* f = in.stream();
    double v = -1;
    EXPECT_EQ(std::fscanf(f, " Loa=%lf", &v), 0);  // literal mismatch: nothing assigned
    EXPECT_EQ(v, -1.0);
    EXPECT_EQ(std::fscanf(f, "x= %lf", &v), 1);  // the scan resumes at the mismatch
    EXPECT_EQ(v, 1.0);
    EXPECT_EQ(std::fscanf(f, " %lf", &v), EOF);
}

TEST(TextInput, LargeFileIsReadWhole) {
    // More than one read buffer of CR LF lines.
    std::string text;
    for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\r\n";
    ScratchDir dir;
    const std::string path = dir.write("big.txt", text);
    voxel::TextInput in;
    ASSERT_TRUE(in.open(path.c_str()));
    std::FILE* f = in.stream();
    int value = -1, count = 0, last = -1;
    while (std::fscanf(f, "%d", &value) == 1) {
        last = value;
        ++count;
    }
    EXPECT_EQ(count, 20000);
    EXPECT_EQ(last, 19999);
}

TEST(TextInput, EmptyFileGivesAStreamAtItsEnd) {
    ScratchDir dir;
    const std::string path = dir.write("empty.txt", "");
    voxel::TextInput in;
    ASSERT_TRUE(in.open(path.c_str()));
    std::FILE* f = in.stream();
    EXPECT_EQ(std::fgetc(f), EOF);
    EXPECT_TRUE(std::feof(f));
}

TEST(TextInput, WhatCannotBeOpenedOrReadIsRefused) {
    ScratchDir dir;
    const std::string missing = dir.file("missing.txt");
    const char* const paths[] = {dir.path().c_str(), missing.c_str(), "", nullptr};
    for (const char* path : paths) {
        SCOPED_TRACE(path ? path : "no name");
        voxel::TextInput in;
        EXPECT_FALSE(in.open(path));
        std::string text;
        EXPECT_FALSE(voxel::read_text_file(path, text));
    }
}

TEST(RegularFile, BytesAsTheyAreAndNoWaitForWhatIsNoRegularFile) {
    ScratchDir dir;
    const std::string bytes("a\r\nb\0\r", 6);
    const std::string path = dir.write("raw.bin", bytes);
    std::string read, reason;
    ASSERT_TRUE(voxel::read_regular_file(path.c_str(), read, reason));
    EXPECT_EQ(read, bytes);

    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string missing = dir.file("missing.txt");
    const char* const paths[] = {dir.path().c_str(), fifo.c_str(), missing.c_str(), "", nullptr};
    for (const char* p : paths) {
        SCOPED_TRACE(p ? p : "no name");
        EXPECT_FALSE(voxel::read_regular_file(p, read, reason));
        EXPECT_FALSE(reason.empty());
    }
}

TEST(TextInput, FromBytesInMemory) {
    voxel::TextInput in;
    ASSERT_TRUE(in.open_bytes("1 2\r\n3"));
    EXPECT_EQ(drain(in.stream()), "1 2\n3");
}

}  // namespace

namespace {

// The positioned input: the same text-mode conversion, and the line of every
// read position for a reader's messages.
TEST(PositionedTextInput, TellsTheLineOfEachReadPosition) {
    ScratchDir dir;
    const std::string path = dir.write("lines.txt", "a=1\r\n\r\nb=2\nc=x\n");
    voxel::TextInput in;
    ASSERT_TRUE(in.open(path.c_str()));
    EXPECT_EQ(in.text(), "a=1\n\nb=2\nc=x\n");
    double a = 0.0, b = 0.0, c = 0.0;
    ASSERT_EQ(std::fscanf(in.stream(), "a=%lf\n", &a), 1);
    EXPECT_EQ(in.line_at(in.position()), 3);  // the newline skipped the blank line
    ASSERT_EQ(std::fscanf(in.stream(), "b=%lf\n", &b), 1);
    EXPECT_EQ(std::fscanf(in.stream(), "c=%lf", &c), 0);
    EXPECT_EQ(in.line_at(in.position()), 4);  // stopped at the x of "c=x"
    EXPECT_EQ(in.line_at(0), 1);              // counting back starts again
    EXPECT_EQ(in.line_at(1000), 5);           // past the end: the line after the last
}

TEST(PositionedTextInput, EmptyFileAndWhatCannotBeRead) {
    ScratchDir dir;
    voxel::TextInput empty;
    ASSERT_TRUE(empty.open(dir.write("empty.txt", "").c_str()));
    EXPECT_EQ(std::fgetc(empty.stream()), EOF);
    EXPECT_TRUE(std::feof(empty.stream()));
    voxel::TextInput folder, missing;
    EXPECT_FALSE(folder.open(dir.path().c_str()));
    EXPECT_FALSE(missing.open(dir.file("no_such_file.txt").c_str()));
}

// The byte-order marks are fixed byte strings; UTF-32 LE's begins with
// UTF-16 LE's, so the order of the tests decides between them.
TEST(TextEncoding, MarksAndNulBytesNameTheEncoding) {
    const struct {
        std::string start;
        const char* refused;
    } cases[] = {{std::string("\xFF\xFE\0\0D\0\0\0", 8), "UTF-32 LE"},
                 {std::string("\0\0\xFE\xFF\0\0\0D", 8), "UTF-32 BE"},
                 {std::string("\xFF\xFE"
                              "D\0",
                              4),
                  "UTF-16 LE"},
                 {std::string("\xFE\xFF\0D", 4), "UTF-16 BE"},
                 {std::string("D\0=\0", 4), "UTF-16 LE"},
                 {std::string("\0D\0=", 4), "UTF-16 BE"},
                 {std::string("D\0\0\0=\0\0\0", 8), "UTF-32 LE"}};
    for (const auto& c : cases) {
        const voxel::TextEncodingCheck check = voxel::check_text_encoding(c.start + "=1\n");
        ASSERT_NE(check.refused, nullptr) << c.refused;
        EXPECT_STREQ(check.refused, c.refused);
    }
    // A NUL past the first kilobyte is not looked for.
    const std::string late_nul = std::string(voxel::kEncodingProbeBytes, 'x') + '\0';
    EXPECT_EQ(voxel::check_text_encoding(late_nul).refused, nullptr);
}

// `text` in UTF-16 LE or UTF-32 BE, without a byte-order mark (every code
// point here is in the basic plane).
std::string utf16_le(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}
std::string utf32_be(const std::u32string& text) {
    std::string out;
    for (char32_t c : text)
        out += {'\0', '\0', static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return out;
}

// Without a mark, a wide encoding is told by where the NUL bytes of its
// ASCII characters fall, also beside Chinese text (一, U+4E00, puts its NUL in
// the low byte); random bytes hold NUL bytes out of any such pattern, and
// even without a NUL one byte in ten is a control character: they are no
// text. A stray control byte in real text is not.
TEST(TextEncoding, UnmarkedWideTextIsToldFromBinaryData) {
    const std::u32string text = U"Loa=10\r\n# 一号船体\r\nLpp=10\r\nB=4\r\nD=3\r\n";
    EXPECT_STREQ(voxel::check_text_encoding(utf16_le(text)).refused, "UTF-16 LE");
    EXPECT_STREQ(voxel::check_text_encoding(utf16_le(text) + "L").refused, "UTF-16 LE");
    EXPECT_STREQ(voxel::check_text_encoding(utf32_be(text)).refused, "UTF-32 BE");

    std::mt19937 bits(7u);
    std::string random_bytes, without_nul;
    while (without_nul.size() < voxel::kEncodingProbeBytes) {
        const char c = static_cast<char>(bits() & 0xFFu);
        if (random_bytes.size() < voxel::kEncodingProbeBytes) random_bytes += c;
        if (c != '\0') without_nul += c;
    }
    ASSERT_NE(random_bytes.find('\0'), std::string::npos);
    EXPECT_STREQ(voxel::check_text_encoding(random_bytes).refused, voxel::kNotTextFile);
    EXPECT_STREQ(voxel::check_text_encoding(without_nul).refused, voxel::kNotTextFile);
    const std::string message = voxel::refused_encoding_message(voxel::kNotTextFile);
    EXPECT_EQ(message.rfind("不是文本文件", 0), 0u) << message;

    EXPECT_EQ(voxel::check_text_encoding("Loa=10\nLpp=10\nB=4\nD=3\n\x1A").refused, nullptr);
}

// A UTF-8 mark is dropped before anything is read, and line numbers count
// as without it.
TEST(TextEncoding, Utf8MarkIsSkipped) {
    voxel::TextInput marked;
    ASSERT_TRUE(marked.open_bytes("\xEF\xBB\xBFLoa=1\r\nLpp=2\n"));
    EXPECT_EQ(marked.refused_encoding(), nullptr);
    EXPECT_EQ(marked.text(), "Loa=1\nLpp=2\n");
    double a = 0.0, b = 0.0;
    ASSERT_EQ(std::fscanf(marked.stream(), "Loa=%lf\n", &a), 1);
    EXPECT_EQ(marked.line_at(marked.position()), 2);
    ASSERT_EQ(std::fscanf(marked.stream(), "Lpp=%lf", &b), 1);
    EXPECT_EQ(a, 1.0);
    EXPECT_EQ(b, 2.0);

    voxel::TextInput wide;
    ASSERT_TRUE(wide.open_bytes(std::string("\xFF\xFEL\0", 4)));
    EXPECT_STREQ(wide.refused_encoding(), "UTF-16 LE");
    EXPECT_EQ(wide.text(), "");  // nothing for a reader to take
}

}  // namespace
