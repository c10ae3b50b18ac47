// The reads of ScannedTextFile against the C library's own stdio on the same
// text: plain number lines take a path of their own, which must give the
// same doubles, the same position and the same end-of-file indicator as
// fscanf, whatever the text.
#include "model/io/scanned_text_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// One text read both ways, point after point, or radius after radius; stdio
// reads the text as the reader sees it (a CR before an LF dropped). As long
// as every read converts whole, both give the same doubles, the same
// position and the same end-of-file indicator; the first read that does not
// is an error of the reader's, which then says what it found and moves on in
// its own way, and the comparison ends there.
void expect_same_reads(const std::string& text, bool points) {
    voxel::ScannedTextFile ours;
    ASSERT_TRUE(ours.open_bytes("t", text));
    std::string seen = ours.text();
    std::FILE* ref = fmemopen(seen.empty() ? const_cast<char*>("") : &seen[0], seen.size(), "r");
    ASSERT_NE(ref, nullptr);
    for (int step = 0; step < 12; ++step) {
        double want[3] = {7, 7, 7};
        const int wanted = points ? 3 : 1;
        const int r = points ? std::fscanf(ref, "%lf,%lf,%lf", &want[0], &want[1], &want[2])
                             : std::fscanf(ref, "%lf", &want[0]);
        if (r == wanted) std::fscanf(ref, "\n");
        voxel::Point3 got{7, 7, 7};
        double radius = 7;
        const voxel::ScanResult result =
            points ? ours.read_point(got, "p") : ours.read_number("", radius, "r");
        const double have[3] = {points ? got.x : radius, got.y, got.z};
        for (int i = 0; i < (r > 0 ? r : 0); ++i)
            EXPECT_EQ(std::memcmp(&have[i], &want[i], sizeof(double)), 0)
                << "value " << i << " of step " << step << " in \"" << text << "\"";
        if (result != voxel::ScanResult::Complete || !ours.diagnostics().empty()) {
            // Our error, or the end: stdio converted no more than we did.
            EXPECT_TRUE(r < wanted || !ours.diagnostics().empty())
                << "step " << step << " in \"" << text << "\"";
            break;
        }
        EXPECT_EQ(r, wanted) << "step " << step << " in \"" << text << "\"";
        EXPECT_EQ(ours.position(), std::ftell(ref)) << "step " << step << " in \"" << text << "\"";
        EXPECT_EQ(ours.at_end(), std::feof(ref) != 0)
            << "step " << step << " in \"" << text << "\"";
        if (std::feof(ref)) break;
    }
    std::fclose(ref);
}

const char* const kNumbers[] = {
    "0",
    "-0",
    "1.5",
    ".5",
    "5.",
    "-.5",
    "1e5",
    "1E-5",
    "1e+05",
    "007",
    "0.1",
    "123456789012345678901234567890.5e-10",
    "2.2250738585072014e-308",
    "4.9e-324",
    "1e-400",
    "1e400",
    "+1",
    "0x1p3",
    "inf",
    "-nan",
    "1e",
    "1e+",
    "-",
    ".",
    "1.5.3",
    "12345678901234567890",
    "-7.25e-3",
    "9007199254740993",
};
const char* const kGaps[] = {",", ", ", ",\n", " ,", ",,", "", "\t,", ",\t "};
const char* const kEnds[] = {"\n", "", "  \n\n", "x\n", " ,", "\r\n", "\n  ", "e\n"};

TEST(ScannedTextFile, PlainNumberLinesReadAsScanfReadsThem) {
    for (const char* a : kNumbers) {
        for (const char* end : kEnds) {
            expect_same_reads(std::string(a) + ",2," + a + end + "3,4,5", true);
            expect_same_reads(std::string(" ") + a + end + "6" + end, false);
        }
    }
}

TEST(ScannedTextFile, MixedTextsReadAsScanfReadsThem) {
    // Lines put together at random from numbers, separators and line ends.
    std::mt19937 random(20261207);
    auto pick = [&random](const auto& list) {
        return list[random() % (sizeof list / sizeof list[0])];
    };
    for (int text = 0; text < 3000; ++text) {
        std::string s;
        const int lines = 1 + static_cast<int>(random() % 4);
        for (int l = 0; l < lines; ++l)
            s += std::string(pick(kNumbers)) + pick(kGaps) + pick(kNumbers) + pick(kGaps) +
                 pick(kNumbers) + pick(kEnds);
        expect_same_reads(s, text % 4 != 0);
    }
}

TEST(ScannedTextFile, PiecesAndLineSkipsActAsFgetsAndFgetc) {
    const std::string text = std::string(150, 'x') + "\nab\n\ncd";
    std::FILE* ref = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    voxel::ScannedTextFile ours;
    ASSERT_TRUE(ours.open_bytes("t", text));
    char a[100], b[100];
    for (int i = 0; i < 6; ++i) {
        const bool want = std::fgets(a, sizeof a, ref) != nullptr;
        EXPECT_EQ(ours.read_piece(b, sizeof b), want) << i;
        if (want) {
            EXPECT_STREQ(a, b) << i;
        }
        EXPECT_EQ(ours.position(), std::ftell(ref)) << i;
        EXPECT_EQ(ours.at_end(), std::feof(ref) != 0) << i;
    }
    std::fclose(ref);
}

}  // namespace
