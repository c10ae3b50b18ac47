#include "report/table_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "kernel/platform/console.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::read_file_bytes;
using testing_support::ScratchDir;

// The file's lines, split at CR LF (each line must end so).
std::vector<std::string> crlf_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF at byte " << at;
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

voxel::HydroTable table_of(int n) {
    voxel::HydroTable t;
    t.set_waterlines(n, 0.5, 0.1);
    for (int i = 0; i < n; ++i) {
        t.V[i] = 20.0 * (i + 1);
        t.CB[i] = 0.75;
        t.Cp[i] = 3.14159265;
    }
    return t;
}

TEST(TableCell, PadsToFifteenBytesOfGbk) {
    // Seven Chinese characters are 14 GBK bytes: one blank.
    for (const char* h : {"横稳心垂向坐标", "每厘米吃水吨数", "每厘米纵倾力矩", "纵稳心垂向坐标"}) {
        EXPECT_EQ(voxel::table_cell(h), std::string(h) + " ");
    }
    EXPECT_EQ(voxel::table_cell("项目"), "项目" + std::string(11, ' '));
    EXPECT_EQ(voxel::table_cell("0.5"), "0.5" + std::string(12, ' '));
    EXPECT_EQ(voxel::table_cell(" "), std::string(15, ' '));
}

TEST(TableCell, LongerCellIsWrittenWhole) {
    const std::string sixteen = "1234567890abcdef";
    EXPECT_EQ(voxel::table_cell(sixteen), sixteen);
    EXPECT_EQ(voxel::table_cell("123456789012345"), "123456789012345");
}

TEST(HydrostaticTableLines, NoRowsGiveNineHeaderLines) {
    const std::vector<std::string> lines = hydrostatic_table_lines(table_of(0));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0].rfind("项目", 0), 0u);
    EXPECT_EQ(lines[1].rfind("符号", 0), 0u);
    EXPECT_EQ(lines[2].rfind("单位", 0), 0u);
    EXPECT_EQ(lines[3].rfind("项目", 0), 0u);
    EXPECT_EQ(lines[8].rfind("单位", 0), 0u);
}

TEST(HydrostaticTableLines, HeaderTextsAndOrder) {
    const std::vector<std::string> lines = hydrostatic_table_lines(table_of(0));
    ASSERT_EQ(lines.size(), 9u);
    auto row = [](std::initializer_list<const char*> cells) {
        std::string s;
        for (const char* c : cells) s += voxel::table_cell(c);
        return s;
    };
    EXPECT_EQ(lines[1], row({"符号", "T", "V", "DIS", "DISk", "Zb", "Xb"}));
    EXPECT_EQ(lines[4], row({"符号", "T", "Aw", "Xf", "Zm", "TPC", "MTC"}));
    EXPECT_EQ(lines[5], row({"单位", "(m)", "(m^2)", "(m)", "(m)", "(t)", "(t*m)"}));
    EXPECT_EQ(lines[6], row({"项目", "吃水", "纵稳心垂向坐标", "方型系数", "水线面系数",
                             "舯横剖面系数", "纵向棱形系数"}));
    EXPECT_EQ(lines[7], row({"符号", "T", "ZmL ", "CB", "Cw", "Cm", "Cp"}));
    EXPECT_EQ(lines[8], row({"单位", "(m)", "(m)", " ", " ", " ", " "}));
}

TEST(HydrostaticTableLines, DataRowsStartWithABlankCellAndTheDraft) {
    const std::vector<std::string> lines = hydrostatic_table_lines(table_of(2));
    ASSERT_EQ(lines.size(), 15u);
    const std::string blank(15, ' ');
    EXPECT_EQ(lines[3].substr(0, 30), blank + "0.5" + std::string(12, ' '));
    EXPECT_EQ(lines[3].substr(30, 15), "20" + std::string(13, ' '));
    EXPECT_EQ(lines[4].substr(30, 15), "40" + std::string(13, ' '));
    // Table 3: ZmL, CB = 0.75, Cw, Cm, Cp rounded to six digits.
    EXPECT_EQ(lines[13].substr(45, 15), "0.75" + std::string(11, ' '));
    EXPECT_EQ(lines[13].substr(90, 15), "3.14159" + std::string(8, ' '));
}

TEST(WriteHydrostaticTable, GbkLinesOf105BytesWithCrLf) {
    ScratchDir dir;
    const std::string path = dir.file("Hydro_Static.txt");
    ASSERT_TRUE(voxel::write_hydrostatic_table(table_of(3), path.c_str()));
    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string> lines = crlf_lines(bytes);
    ASSERT_EQ(lines.size(), 18u);
    for (const std::string& l : lines) EXPECT_EQ(l.size(), 105u) << l;
    // "项目" in GBK, then eleven blanks.
    EXPECT_EQ(lines[0].substr(0, 15), voxel::utf8_to_gbk("项目") + std::string(11, ' '));
    EXPECT_EQ(lines[3].substr(15, 15), "0.5" + std::string(12, ' '));
}

TEST(WriteHydrostaticTable, NoRowsGiveAFileOfNineLines) {
    ScratchDir dir;
    const std::string path = dir.file("Hydro_Static.txt");
    ASSERT_TRUE(voxel::write_hydrostatic_table(table_of(0), path.c_str()));
    EXPECT_EQ(crlf_lines(read_file_bytes(path)).size(), 9u);
}

TEST(WriteHydrostaticTable, NonNumbersAreWrittenWithTheirSign) {
    voxel::HydroTable t = table_of(1);
    t.V[0] = std::numeric_limits<double>::quiet_NaN();
    t.DIS[0] = std::numeric_limits<double>::infinity();
    t.DISk[0] = -std::numeric_limits<double>::infinity();
    const std::vector<std::string> lines = hydrostatic_table_lines(t);
    EXPECT_EQ(lines[3].substr(30, 45),
              voxel::table_cell("nan") + voxel::table_cell("inf") + voxel::table_cell("-inf"));
}

TEST(WriteHydrostaticTable, UnwritableFileIsReportedAndLeftAlone) {
    ScratchDir dir;
    // A file in a folder that does not exist cannot be created.
    const std::string path = dir.file("Hydro_Static.txt/inner.txt");
    testing::internal::CaptureStdout();
    const bool written = voxel::write_hydrostatic_table(table_of(1), path.c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(written);
    EXPECT_NE(out.find("Hydro_Static Data write error! "), std::string::npos);
}

}  // namespace
