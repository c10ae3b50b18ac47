#include "model/format2_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "model/model_text.h"
#include "support/scratch_dir.h"

using testing_support::ScratchDir;
using voxel::Point3;
using voxel::VoxelGroup;

namespace {

const std::string kHeader = model_text::header(1.5, {0.5, 0.25, 0.9});

std::string unit_tetrahedron(double shift) {
    return model_text::tetrahedron({shift, 0, 0}, {shift + 1, 0, 0}, {shift, 1, 0}, {shift, 0, 1});
}

// Reads `text` as a model file of its own. Returns the reader's messages,
// one a line, with the file named "model.txt".
struct Read {
    bool opened = false;
    bool has_errors = false;
    std::string messages;
};

Read read_file(VoxelGroup& group, const std::string& path, const std::string& dir) {
    const voxel::ReadResult r = voxel::read_format2_model(group, path);
    Read out{r.opened, r.diagnostics.has_errors(), ""};
    for (const std::string& line : r.diagnostics.lines())
        out.messages += line.substr(dir.size() + 1) + "\n";
    return out;
}

Read read_text(VoxelGroup& group, const std::string& text) {
    ScratchDir dir;
    return read_file(group, dir.write("model.txt", text), dir.path());
}

void expect_same_point(const Point3& a, const Point3& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

}  // namespace

TEST(Format2Reader, HeaderOnlyGivesNoSolidsAndTheStartBox) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader);
    EXPECT_EQ(g.V, 1.5);
    expect_same_point(g.centre_of_gravity(), {0.5, 0.25, 0.9});
    EXPECT_EQ(g.tetrahedron_count(), 0);
    EXPECT_EQ(g.hexahedron_count(), 0);
    EXPECT_EQ(g.prism_count(), 0);
    EXPECT_EQ(g.cylinder_count(), 0);
    EXPECT_EQ(g.box.minx, 1e20);
    EXPECT_EQ(g.box.miny, 1e20);
    EXPECT_EQ(g.box.minz, 1e20);
    EXPECT_EQ(g.box.maxx, -1e20);
    EXPECT_EQ(g.box.maxy, -1e20);
    EXPECT_EQ(g.box.maxz, -1e20);
}

TEST(Format2Reader, HeaderPassesOverBlankLinesAndLeadingBlanks) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, "Volume of Displacement=  2\n\n\nGra_Pt.x=1\n  Gra_Pt.y=2\nGra_Pt.z=3\n");
    EXPECT_EQ(g.V, 2.0);
    expect_same_point(g.G, {1, 2, 3});
}

TEST(Format2Reader, InterleavedKindsKeepFileOrder) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + unit_tetrahedron(0) + model_text::box({0, 0, 0}, {1, 1, 2}) +
                     unit_tetrahedron(5));
    ASSERT_EQ(g.tetrahedron_count(), 2);
    ASSERT_EQ(g.hexahedron_count(), 1);
    EXPECT_EQ(g.tetrahedra[0].V0.x, 0.0);
    EXPECT_EQ(g.tetrahedra[1].V0.x, 5.0);
    expect_same_point(g.hexahedra[0].V[6], {1, 1, 2});
}

TEST(Format2Reader, AllFourKindsInAnyOrderInExactlySizedArrays) {
    const std::string prism = "TrianglePrism\n0,0,0\n1,0,0\n0,1,0\n0,0,3\n1,0,3\n0,1,3\n";
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + prism + model_text::cylinder({3, 0, 0}, 0.5, {3, 0, 2}) +
                     model_text::box({0, 0, 0}, {1, 1, 2}) + unit_tetrahedron(-1) + prism);
    EXPECT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.hexahedron_count(), 1);
    EXPECT_EQ(g.prism_count(), 2);
    EXPECT_EQ(g.cylinder_count(), 1);
    EXPECT_EQ(g.prisms.capacity(), g.prisms.size());
    EXPECT_EQ(g.cylinders.capacity(), g.cylinders.size());
    EXPECT_EQ(g.cylinders[0].n, 30);
    expect_same_point(g.prisms[1].V[5], {0, 1, 3});
    // The box folds every kind: the tetrahedron reaches x = -1, the prism
    // z = 3 and the cylinder's polygon x = 3.5.
    EXPECT_EQ(g.box.minx, -1.0);
    EXPECT_EQ(g.box.maxz, 3.0);
    EXPECT_NEAR(g.box.maxx, 3.5, 1e-12);
}

TEST(Format2Reader, KeywordWithTrailingBlankIsSkippedWithItsBlock) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Tetrahedron \n0,0,0\n1,0,0\n0,1,0\n0,0,1\n" + unit_tetrahedron(7));
    ASSERT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.tetrahedra[0].V0.x, 7.0);
}

TEST(Format2Reader, MisspeltAndUnknownBlocksAreSkipped) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n# comment\n\nSphere\n1\n" +
                     unit_tetrahedron(2));
    ASSERT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.tetrahedra[0].V0.x, 2.0);
}

TEST(Format2Reader, IndentedKeywordRightAfterABlockIsRecognised) {
    // The closing newline of the block's last pattern takes the blank lines
    // and the indentation with it.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "\n  " + unit_tetrahedron(0) + "\n\n   " +
                     model_text::box({0, 0, 0}, {1, 1, 1}));
    EXPECT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.hexahedron_count(), 1);
}

TEST(Format2Reader, IndentedKeywordAfterASkippedLineIsNotRecognised) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "note\n  " + unit_tetrahedron(0));
    EXPECT_EQ(g.tetrahedron_count(), 0);
}

TEST(Format2Reader, CrLfReadsLikeLf) {
    const std::string lf = kHeader + unit_tetrahedron(0) + model_text::box({0, 0, 0}, {1, 1, 2}) +
                           model_text::cylinder({3, 0, 0}, 0.5, {3, 0, 2});
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    VoxelGroup a(voxel::CrossingTolerance::Strict), b(voxel::CrossingTolerance::Strict);
    read_text(a, lf);
    read_text(b, crlf);
    EXPECT_EQ(a.V, b.V);
    expect_same_point(a.G, b.G);
    ASSERT_EQ(b.tetrahedron_count(), 1);
    ASSERT_EQ(b.hexahedron_count(), 1);
    ASSERT_EQ(b.cylinder_count(), 1);
    expect_same_point(a.tetrahedra[0].V3, b.tetrahedra[0].V3);
    for (int i = 0; i < 8; ++i) expect_same_point(a.hexahedra[0].V[i], b.hexahedra[0].V[i]);
    expect_same_point(a.cylinders[0].P1, b.cylinders[0].P1);
    EXPECT_EQ(a.cylinders[0].r, b.cylinders[0].r);
}

TEST(Format2Reader, CylinderTakesTheFirstRadius) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Cylinder\n3,0,0\n0.5\n3,0,2\n0.75\n");
    ASSERT_EQ(g.cylinder_count(), 1);
    EXPECT_EQ(g.cylinders[0].r, 0.5);
    expect_same_point(g.cylinders[0].P0, {3, 0, 0});
    expect_same_point(g.cylinders[0].P1, {3, 0, 2});
}

TEST(Format2Reader, LastLineWithoutLineEndCompletesTheBlock) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1");
    EXPECT_EQ(g.tetrahedron_count(), 1);
}

TEST(Format2Reader, UnparsedValueIsWarnedWithItsLineAndStartsAtZero) {
    // Lines 1-4 header, 5-9 the first block, 10 the second keyword; line 14
    // lacks its z. The second block must not inherit the first one's values.
    const std::string text = kHeader +
                             model_text::tetrahedron({9, 9, 9}, {8, 8, 8}, {7, 7, 7}, {6, 6, 6}) +
                             "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n5,6,zzz\n";
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const Read r = read_text(g, text);
    ASSERT_EQ(g.tetrahedron_count(), 2);
    expect_same_point(g.tetrahedra[1].V3, {5, 6, 0});
    EXPECT_FALSE(r.has_errors);
    EXPECT_NE(r.messages.find("model.txt:14: 警告: "), std::string::npos) << r.messages;
    EXPECT_NE(r.messages.find("Tetrahedron 块 (始于第 10 行) 的顶点 V3 \"x,y,z\""),
              std::string::npos)
        << r.messages;
}

TEST(Format2Reader, UnparsedHeaderValueIsWarnedAndStaysZero) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    g.V = 7.0;  // the reader starts V at 0 whatever the group held
    const Read r = read_text(g, "Volume of Displacement=\nGra_Pt.x=abc\nGra_Pt.y=1\nGra_Pt.z=2\n");
    EXPECT_EQ(g.V, 0.0);
    EXPECT_EQ(g.G.x, 0.0);
    EXPECT_NE(r.messages.find("model.txt:2: 警告: 应为 \"Gra_Pt.x=<数>\""), std::string::npos)
        << r.messages;
}

TEST(Format2Reader, BlockCutShortByTheEndOfTheFileIsDropped) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const Read r =
        read_text(g, kHeader + unit_tetrahedron(0) + "Hexahedron\n0,0,0\n1,0,0\n1,1,0\n0,1");
    EXPECT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.hexahedron_count(), 0);
    EXPECT_FALSE(r.has_errors);
    EXPECT_NE(r.messages.find("Hexahedron 块 (始于第 10 行) 读完之前结束, 该块被舍弃"),
              std::string::npos)
        << r.messages;
}

TEST(Format2Reader, KeywordAsTheLastLineGivesNoBlock) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const Read r = read_text(g, kHeader + "Cylinder\n");
    EXPECT_NE(r.messages.find("该块被舍弃"), std::string::npos) << r.messages;
    EXPECT_EQ(g.cylinder_count(), 0);
}

TEST(Format2Reader, OverlongLineIsComparedInPieces) {
    // 99 bytes and then "Tetrahedron\n" on the same line: the second piece
    // equals the keyword line.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + std::string(99, 'x') + unit_tetrahedron(3));
    ASSERT_EQ(g.tetrahedron_count(), 1);
    EXPECT_EQ(g.tetrahedra[0].V0.x, 3.0);
}

// An unusable file: `opened` false, or an error, and its message.
struct Refusal {
    const char* name;
    std::string text;
    std::string message;  // expected within the messages
};

TEST(Format2Reader, MissingFileOrDirectoryIsNotOpened) {
    ScratchDir dir;
    VoxelGroup a(voxel::CrossingTolerance::Strict), b(voxel::CrossingTolerance::Strict);
    EXPECT_FALSE(read_file(a, dir.file("absent.txt"), dir.path()).opened);
    EXPECT_FALSE(read_file(b, dir.path(), "").opened);
}

TEST(Format2Reader, UnusableValuesAreErrorsWithTheirLine) {
    const Refusal cases[] = {
        {"displacement", "Volume of Displacement=inf\nGra_Pt.x=0\nGra_Pt.y=0\nGra_Pt.z=0\n",
         "model.txt:1: 错误: \"Volume of Displacement=<数>\" 不是有限数"},
        {"centre of gravity", "Volume of Displacement=1\nGra_Pt.x=0\nGra_Pt.y=nan\nGra_Pt.z=0\n",
         "model.txt:3: 错误: \"Gra_Pt.y=<数>\" 不是有限数"},
        {"vertex", kHeader + "Tetrahedron\n0,0,0\n1,0,0\n0,1e999,0\n0,0,1\n",
         "model.txt:8: 错误: Tetrahedron 块 (始于第 5 行) 的顶点 V2 \"x,y,z\" 不是有限数"},
        {"vertex converted in part", kHeader + "Tetrahedron\n0,0,0\nnan,-10\n0,1,0\n0,0,1\n",
         "model.txt:7: 错误: Tetrahedron 块 (始于第 5 行) 的顶点 V1 \"x,y,z\" 不是有限数"},
        {"radius", kHeader + "Cylinder\n0,0,0\nnan\n0,0,1\n1\n",
         "model.txt:7: 错误: Cylinder 块 (始于第 5 行) 的半径 r (一个数) 不是有限数"},
        {"zero-length axis", kHeader + model_text::cylinder({1, 2, 3}, 0.5, {1, 2, 3}),
         "model.txt:5: 错误: Cylinder 块 (始于第 5 行) 的轴长为零或过短"},
        {"axis too short for a direction",
         kHeader + model_text::cylinder({0, 0, 0}, 0.5, {0, 0, 1e-170}),
         "model.txt:5: 错误: Cylinder 块 (始于第 5 行) 的轴长为零或过短"},
        {"zero radius", kHeader + model_text::cylinder({0, 0, 0}, 0.0, {0, 0, 1}),
         "model.txt:7: 错误: Cylinder 块 (始于第 5 行) 的半径须为正的有限数, 读到 0."},
        {"negative radius", kHeader + model_text::cylinder({0, 0, 0}, -0.5, {0, 0, 1}),
         "model.txt:7: 错误: Cylinder 块 (始于第 5 行) 的半径须为正的有限数, 读到 -0.5."},
    };
    for (const Refusal& c : cases) {
        VoxelGroup g(voxel::CrossingTolerance::Strict);
        const Read r = read_text(g, c.text);
        EXPECT_TRUE(r.opened) << c.name;
        EXPECT_TRUE(r.has_errors) << c.name;
        EXPECT_NE(r.messages.find(c.message), std::string::npos) << c.name << "\n" << r.messages;
    }
}
