#include "model/io/format2_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/body_solids.h"
#include "support/model_text.h"
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

testing_support::BodySolids solids(const VoxelGroup& g) {
    return testing_support::solids_of(g.body());
}

int tetrahedron_count(const VoxelGroup& g) {
    return static_cast<int>(solids(g).tetrahedra.size());
}
int hexahedron_count(const VoxelGroup& g) {
    return static_cast<int>(solids(g).hexahedra.size());
}
int prism_count(const VoxelGroup& g) {
    return static_cast<int>(solids(g).prisms.size());
}
int cylinder_count(const VoxelGroup& g) {
    return static_cast<int>(solids(g).cylinders.size());
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
    EXPECT_EQ(tetrahedron_count(g), 0);
    EXPECT_EQ(hexahedron_count(g), 0);
    EXPECT_EQ(prism_count(g), 0);
    EXPECT_EQ(cylinder_count(g), 0);
    EXPECT_EQ(g.box().minx, 1e20);
    EXPECT_EQ(g.box().miny, 1e20);
    EXPECT_EQ(g.box().minz, 1e20);
    EXPECT_EQ(g.box().maxx, -1e20);
    EXPECT_EQ(g.box().maxy, -1e20);
    EXPECT_EQ(g.box().maxz, -1e20);
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
    ASSERT_EQ(tetrahedron_count(g), 2);
    ASSERT_EQ(hexahedron_count(g), 1);
    EXPECT_EQ(solids(g).tetrahedra[0].V0.x, 0.0);
    EXPECT_EQ(solids(g).tetrahedra[1].V0.x, 5.0);
    expect_same_point(solids(g).hexahedra[0].V[6], {1, 1, 2});
}

TEST(Format2Reader, AllFourKindsInAnyOrderInExactlySizedArrays) {
    const std::string prism = "TrianglePrism\n0,0,0\n1,0,0\n0,1,0\n0,0,3\n1,0,3\n0,1,3\n";
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + prism + model_text::cylinder({3, 0, 0}, 0.5, {3, 0, 2}) +
                     model_text::box({0, 0, 0}, {1, 1, 2}) + unit_tetrahedron(-1) + prism);
    EXPECT_EQ(tetrahedron_count(g), 1);
    EXPECT_EQ(hexahedron_count(g), 1);
    EXPECT_EQ(prism_count(g), 2);
    EXPECT_EQ(cylinder_count(g), 1);
    // Exactly the tetrahedra of the solids: 1 + 5 + 2 * 3 + 3 * 30.
    EXPECT_EQ(g.body().tetrahedron_count(), 1u + 5 + 2 * 3 + 3 * 30);
    EXPECT_EQ(solids(g).cylinders[0].n, 30);
    expect_same_point(solids(g).prisms[1].V[5], {0, 1, 3});
    // The box folds every kind: the tetrahedron reaches x = -1, the prism
    // z = 3 and the cylinder's polygon x = 3.5.
    EXPECT_EQ(g.box().minx, -1.0);
    EXPECT_EQ(g.box().maxz, 3.0);
    EXPECT_NEAR(g.box().maxx, 3.5, 1e-12);
}

TEST(Format2Reader, KeywordWithTrailingBlankIsSkippedWithItsBlock) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Tetrahedron \n0,0,0\n1,0,0\n0,1,0\n0,0,1\n" + unit_tetrahedron(7));
    ASSERT_EQ(tetrahedron_count(g), 1);
    EXPECT_EQ(solids(g).tetrahedra[0].V0.x, 7.0);
}

TEST(Format2Reader, MisspeltAndUnknownBlocksAreSkipped) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n# comment\n\nSphere\n1\n" +
                     unit_tetrahedron(2));
    ASSERT_EQ(tetrahedron_count(g), 1);
    EXPECT_EQ(solids(g).tetrahedra[0].V0.x, 2.0);
}

TEST(Format2Reader, IndentedKeywordRightAfterABlockIsRecognised) {
    // The closing newline of the block's last pattern takes the blank lines
    // and the indentation with it.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "\n  " + unit_tetrahedron(0) + "\n\n   " +
                     model_text::box({0, 0, 0}, {1, 1, 1}));
    EXPECT_EQ(tetrahedron_count(g), 1);
    EXPECT_EQ(hexahedron_count(g), 1);
}

TEST(Format2Reader, IndentedKeywordAfterASkippedLineIsNotRecognised) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "note\n  " + unit_tetrahedron(0));
    EXPECT_EQ(tetrahedron_count(g), 0);
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
    ASSERT_EQ(tetrahedron_count(b), 1);
    ASSERT_EQ(hexahedron_count(b), 1);
    ASSERT_EQ(cylinder_count(b), 1);
    expect_same_point(solids(a).tetrahedra[0].V3, solids(b).tetrahedra[0].V3);
    for (int i = 0; i < 8; ++i)
        expect_same_point(solids(a).hexahedra[0].V[i], solids(b).hexahedra[0].V[i]);
    expect_same_point(solids(a).cylinders[0].P1, solids(b).cylinders[0].P1);
    EXPECT_EQ(solids(a).cylinders[0].r, solids(b).cylinders[0].r);
}

TEST(Format2Reader, CylinderTakesTheFirstRadius) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Cylinder\n3,0,0\n0.5\n3,0,2\n0.75\n");
    ASSERT_EQ(cylinder_count(g), 1);
    EXPECT_EQ(solids(g).cylinders[0].r, 0.5);
    expect_same_point(solids(g).cylinders[0].P0, {3, 0, 0});
    expect_same_point(solids(g).cylinders[0].P1, {3, 0, 2});
}

TEST(Format2Reader, LastLineWithoutLineEndCompletesTheBlock) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1");
    EXPECT_EQ(tetrahedron_count(g), 1);
}

// Each fault of a file is one error naming what was expected at its line;
// reading goes on past it, so that a file with two faults gives two.
TEST(Format2Reader, ValuesThatDoNotReadAreErrorsOneEach) {
    const std::string tet = unit_tetrahedron(0);  // lines 5-9 after the header
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> messages;  // every message, in order
    } cases[] = {
        {"vertex without its z",
         kHeader + tet + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n5,6,zzz\n",
         {"model.txt:14: 错误: 应为 Tetrahedron 块 (始于第 10 行) 的顶点 V3 \"x,y,z\", 读到 "
          "\"5,6,zzz\"."}},
        {"text glued to a number",
         kHeader + "Tetrahedron\n0,0,0\n1,0,0abc\n0,1,0\n0,0,1\n",
         {"model.txt:7: 错误: 应为 Tetrahedron 块 (始于第 5 行) 的顶点 V1 \"x,y,z\", 读到 "
          "\"1,0,0abc\"."}},
        {"text after the numbers of a vertex line",
         kHeader + "Tetrahedron\n0,0,0 corner\n1,0,0\n0,1,0\n0,0,1\n",
         {"model.txt:6: 错误: 数值之后有多余的文字 \"corner\""}},
        {"no number after a key, a key with blanks around its '='",
         "Volume of Displacement=\nGra_Pt.x=0\nGra_Pt.y = 1\nGra_Pt.z=2\n" + tet,
         {"model.txt:1: 错误: 应为 \"Volume of Displacement=<数>\", 读到 \"Volume of "
          "Displacement=\": 键后没有可读的数.",
          "model.txt:3: 错误: 应为 \"Gra_Pt.y=<数>\", 读到 \"Gra_Pt.y = 1\": 键须逐字写出"}},
        {"a key left out",
         "Volume of Displacement=1\nGra_Pt.x=0\nGra_Pt.z=2\n" + tet,
         {"model.txt:3: 错误: 应为 \"Gra_Pt.y=<数>\", 读到键 \"Gra_Pt.z=\": 缺少"}},
        {"keys out of order",
         "Volume of Displacement=1\nGra_Pt.y=0\nGra_Pt.x=0\nGra_Pt.z=2\n" + tet,
         {"model.txt:2: 错误: 应为 \"Gra_Pt.x=<数>\", 读到键 \"Gra_Pt.y=\": 缺少",
          "model.txt:3: 错误: 应为 \"Gra_Pt.z=<数>\", 读到键 \"Gra_Pt.x=\": 该键重复, "
          "或键的次序不对"}},
        {"header cut short by the first block",
         "Volume of Displacement=1\nGra_Pt.x=0\n" + tet,
         {"model.txt:3: 错误: 应为 \"Gra_Pt.y=<数>\", 读到实体块的关键字行 \"Tetrahedron\": "
          "缺少键行 \"Gra_Pt.y=<数>\", \"Gra_Pt.z=<数>\"."}},
        {"block cut short by the end of the file",
         kHeader + tet + "Hexahedron\n0,0,0\n1,0,0\n1,1,0\n0,1",
         {"model.txt:14: 错误: 文件在 Hexahedron 块 (始于第 10 行) 读完之前结束"}},
        {"keyword as the last line",
         kHeader + "Cylinder\n",
         {"model.txt:6: 错误: 文件在 Cylinder 块 (始于第 5 行) 读完之前结束"}},
        {"a block that lost its last line, and the next block",
         kHeader + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n" + tet,
         {"model.txt:9: 错误: 应为 Tetrahedron 块 (始于第 5 行) 的顶点 V3 \"x,y,z\", 读到 "
          "\"Tetrahedron\"."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VoxelGroup g(voxel::CrossingTolerance::Strict);
        const Read r = read_text(g, c.text);
        EXPECT_TRUE(r.has_errors);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = r.messages.find('\n', at)) != std::string::npos;
             at = end + 1)
            lines.push_back(r.messages.substr(at, end - at));
        ASSERT_EQ(lines.size(), c.messages.size()) << r.messages;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind(c.messages[i], 0), 0u) << r.messages;
    }
}

TEST(Format2Reader, OverlongLineIsComparedInPieces) {
    // 99 bytes and then "Tetrahedron\n" on the same line: the second piece
    // equals the keyword line.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, kHeader + std::string(99, 'x') + unit_tetrahedron(3));
    ASSERT_EQ(tetrahedron_count(g), 1);
    EXPECT_EQ(solids(g).tetrahedra[0].V0.x, 3.0);
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
