#include "model/io/pillars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_dir.h"

using testing_support::ScratchDir;
using voxel::PillarAxes;
using voxel::Plane;
using voxel::Point3;
using voxel::Segment;

namespace {

Plane level(double z) {
    Plane p;
    p.set(0, 0, 1, -z);
    return p;
}

PillarAxes vertical_axes() {
    PillarAxes p;
    const double xy[4][2] = {{1, 1}, {9, 1}, {1, 9}, {9, 9}};
    for (int i = 0; i < 4; ++i)
        p.axis[i] = Segment({xy[i][0], xy[i][1], 0}, {xy[i][0], xy[i][1], 6});
    return p;
}

// Reads the pillar file at `path`; true when it was opened.
bool opened(const std::string& path, PillarAxes& p) {
    return voxel::read_pillars(path, p).opened;
}

// The reader's messages, one a line, with the file named by its last part.
std::string messages(const voxel::ReadResult& r) {
    std::string all;
    for (const std::string& line : r.diagnostics.lines())
        all += line.substr(line.rfind('/') == std::string::npos ? 0 : line.rfind('/') + 1) + "\n";
    return all;
}

const std::string kFourRecords =
    "#1:\n1,1,0\n1,1,6\n#2:\n9,1,0\n9,1,6\n#3:\n1,9,0\n1,9,6\n#4:\n9,9,0\n9,9,6\n";

}  // namespace

TEST(PillarDrafts, FourVerticalAxesAtALevelPlane) {
    const std::vector<std::string> expected = {"1号立柱吃水=2.5", "2号立柱吃水=2.5",
                                               "3号立柱吃水=2.5", "4号立柱吃水=2.5"};
    EXPECT_EQ(voxel::draft_lines(level(2.5), vertical_axes()), expected);
}

TEST(PillarDrafts, AxisGivenTopToBottomGivesTheSameDraft) {
    PillarAxes up = vertical_axes(), down = vertical_axes();
    for (Segment& s : down.axis) s = Segment(s.P1, s.P0);
    Plane tilted;
    tilted.set(-0.0789786, -0.157957, 0.984282, -1.77216);
    EXPECT_EQ(voxel::draft_lines(tilted, up), voxel::draft_lines(tilted, down));
}

TEST(PillarDrafts, TiltedPlaneGivesTheBodyFrameZOfTheCrossing) {
    // Plane z = 2 + 0.1 x: the axis at x = 9 meets it at z = 2.9.
    Plane p;
    p.set(-0.1, 0, 1, -2);
    const std::vector<std::string> lines = voxel::draft_lines(p, vertical_axes());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "1号立柱吃水=2.1");
    EXPECT_EQ(lines[1], "2号立柱吃水=2.9");
}

TEST(PillarDrafts, AxisParallelToThePlaneGetsNoLineAndTheOthersKeepTheirNumbers) {
    PillarAxes p = vertical_axes();
    p.axis[2] = Segment({0, 9, 1}, {10, 9, 1});  // horizontal, off the plane
    const std::vector<std::string> expected = {"1号立柱吃水=2.5", "2号立柱吃水=2.5",
                                               "4号立柱吃水=2.5"};
    EXPECT_EQ(voxel::draft_lines(level(2.5), p), expected);
}

TEST(PillarDrafts, AxisLyingInThePlaneGetsNoLine) {
    PillarAxes p = vertical_axes();
    p.axis[0] = Segment({0, 1, 2.5}, {10, 1, 2.5});
    EXPECT_EQ(voxel::draft_lines(level(2.5), p).size(), 3u);
    EXPECT_EQ(voxel::draft_lines(level(2.5), p)[0], "2号立柱吃水=2.5");
}

TEST(PillarDrafts, CrossingBeyondTheSegmentEndsCounts) {
    PillarAxes p = vertical_axes();
    EXPECT_EQ(voxel::draft_lines(level(8), p)[3], "4号立柱吃水=8");
}

TEST(PillarDrafts, WarningsNameEachAxisThatGivesNoDraftOrOneBeyondItsEnds) {
    // Axes from z = 0 to z = 6; the level planes at their two ends and at
    // mid height cross every axis on the segment.
    PillarAxes p = vertical_axes();
    p.file = "FourPillars.txt";
    for (int i = 0; i < 4; ++i) p.header_line[i] = 1 + 3 * i;
    for (double z : {0.0, 3.0, 6.0}) EXPECT_TRUE(voxel::draft_warnings(level(z), p).empty()) << z;

    p.axis[0] = Segment({0, 1, 2.5}, {10, 1, 2.5});  // in the plane z = 2.5
    p.axis[1] = Segment({0, 5, 1}, {10, 5, 1});      // level, below it
    p.axis[2] = Segment({1, 9, 0}, {1, 9, 2});       // ends short of it
    p.axis[3] = Segment({9, 9, 0}, {9, 9, 0});       // no axis: the reader's
    const std::vector<std::string> lines = voxel::draft_warnings(level(2.5), p).lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("FourPillars.txt:1: 警告: 第 1 根立柱的轴线位于最终水面之内", 0), 0u)
        << lines[0];
    EXPECT_EQ(lines[1].rfind("FourPillars.txt:4: 警告: 第 2 根立柱的轴线与最终水面平行", 0), 0u)
        << lines[1];
    EXPECT_EQ(lines[2].rfind("FourPillars.txt:7: 警告: 第 3 根立柱的轴线与水面交于 P0 和 P1 "
                             "之间的线段之外 (z=2.5)",
                             0),
              0u)
        << lines[2];
    // The drafts themselves are as without the warnings.
    EXPECT_EQ(voxel::draft_lines(level(2.5), p), std::vector<std::string>{"3号立柱吃水=2.5"});
}

TEST(PillarFile, ReadsFourRecordsInFileOrder) {
    ScratchDir dir;
    PillarAxes p;
    ASSERT_TRUE(opened(dir.write("FourPillars.txt", kFourRecords), p));
    EXPECT_EQ(p.axis[1].P0.x, 9.0);
    EXPECT_EQ(p.axis[3].P1.y, 9.0);
    EXPECT_EQ(p.axis[3].P1.z, 6.0);
    EXPECT_EQ(p.axis[3].P0.z, 0.0);
    EXPECT_EQ(p.header_line[3], 10);
}

TEST(PillarFile, HeaderNumbersAreNotUsed) {
    ScratchDir dir;
    const std::string text =
        "#0:\n1,1,0\n1,1,6\n#0:\n9,1,0\n9,1,6\n\n#0:\n1,9,0\n1,9,6\n#7:\n9,9,0\n9,9,6";
    PillarAxes p;
    ASSERT_TRUE(opened(dir.write("FourPillars.txt", text), p));
    EXPECT_EQ(voxel::draft_lines(level(2.5), p).size(), 4u);
    EXPECT_EQ(voxel::draft_lines(level(2.5), p)[3], "4号立柱吃水=2.5");
}

TEST(PillarFile, CrLfReadsLikeLf) {
    ScratchDir dir;
    std::string crlf;
    for (char c : kFourRecords) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    PillarAxes a, b;
    ASSERT_TRUE(opened(dir.write("lf.txt", kFourRecords), a));
    ASSERT_TRUE(opened(dir.write("crlf.txt", crlf), b));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.axis[i].P0.x, b.axis[i].P0.x);
        EXPECT_EQ(a.axis[i].P1.z, b.axis[i].P1.z);
    }
}

TEST(PillarFile, UnparsedValueIsAnErrorWithItsLine) {
    ScratchDir dir;
    const std::string text =
        "#1:\n1,1,0\n1,1,6\n#2:\n9,1,0\n9,1,6\n#3:\n1,9,-1\n1,9,six\n#4:\n9,9,0\n9,9,6\n";
    PillarAxes p;
    const voxel::ReadResult r = voxel::read_pillars(dir.write("FourPillars.txt", text), p);
    const std::string errors = messages(r);
    EXPECT_TRUE(r.diagnostics.has_errors());
    EXPECT_NE(errors.find("FourPillars.txt:9: 错误: 应为 第 3 根立柱的点 P1"), std::string::npos)
        << errors;
    // The fourth record is still read from its own lines.
    EXPECT_EQ(p.axis[3].P1.z, 6.0);
    EXPECT_EQ(r.diagnostics.items().size(), 1u) << errors;
}

TEST(PillarFile, RecordCutShortByTheEndOfTheFileIsAnError) {
    ScratchDir dir;
    PillarAxes p;
    const voxel::ReadResult r = voxel::read_pillars(
        dir.write("FourPillars.txt", "#1:\n1,1,0\n1,1,6\n#2:\n9,1,0\n9,1,6\n#3:\n1,9,0\n"), p);
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.diagnostics.has_errors());
    EXPECT_NE(messages(r).find("FourPillars.txt:7: 错误: 文件在第 3 根立柱的记录读完之前结束"),
              std::string::npos)
        << messages(r);
}

TEST(PillarFile, MissingFileIsReported) {
    ScratchDir dir;
    PillarAxes p;
    EXPECT_FALSE(opened(dir.file("FourPillars.txt"), p));
    EXPECT_FALSE(opened(dir.path(), p));
}

TEST(PillarFile, NonFiniteCoordinateIsAnError) {
    ScratchDir dir;
    PillarAxes p;
    const voxel::ReadResult r = voxel::read_pillars(
        dir.write("FourPillars.txt", "#1:\n1,1,0\n1,1,6\n#2:\n9,1,0\n9,inf,6\n#3:\n1,9,0\n1,9,6\n"),
        p);
    EXPECT_TRUE(r.diagnostics.has_errors());
    EXPECT_NE(messages(r).find("FourPillars.txt:6: 错误: 第 2 根立柱的点 P1 \"x,y,z\" 不是有限数"),
              std::string::npos)
        << messages(r);
}
