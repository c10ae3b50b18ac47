#include "model/io/ship_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/hydrostatics/ship_checks.h"
#include "support/hull_fixtures.h"
#include "support/scratch_dir.h"

namespace {

using hydro_test::box_example_file;
using hydro_test::key_lines;
using testing_support::ScratchDir;

// The model read, and the reader's messages with the file named "ship.txt".
struct Read {
    voxel::ShipModel ship{voxel::CrossingTolerance::Strict};
    bool opened = false;
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

Read read_text(const std::string& text) {
    ScratchDir dir;
    const std::string path = dir.write("ship.txt", text);
    Read r;
    const voxel::ReadResult result = voxel::read_ship_information(r.ship, path);
    r.opened = result.opened;
    for (const voxel::Diagnostic& d : result.diagnostics.items()) {
        voxel::Diagnostic named = d;
        named.file = "ship.txt";
        (d.severity == voxel::Severity::Error ? r.errors : r.warnings)
            .push_back(voxel::format_diagnostic(named));
    }
    return r;
}

int count(const voxel::ShipModel& ship) {
    return static_cast<int>(ship.hull.tetrahedron_count());
}

bool any_contains(const std::vector<std::string>& messages, const std::string& part) {
    for (const std::string& m : messages)
        if (m.find(part) != std::string::npos) return true;
    return false;
}

std::string replace_all(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

const std::string kCylinder = "Cylinder\n0,0,0\n1.5\n10,0,0\n1.5\n";
const std::string kPrism = "TrianglePrism\n0,0,0\n1,0,0\n0,1,0\n0,0,2\n1,0,2\n0,1,2\n";
const std::string kTetra = "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n";

TEST(ReadShipInformation, BoxExample) {
    const Read r = read_text(box_example_file());
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(r.ship.Loa, 10.0);
    EXPECT_EQ(r.ship.Lpp, 10.0);
    EXPECT_EQ(r.ship.B, 4.0);
    EXPECT_EQ(r.ship.D, 3.0);
    EXPECT_EQ(r.ship.VD, 0.0);
    EXPECT_EQ(r.ship.Gra_Pt.x, 5.0);
    EXPECT_EQ(r.ship.Gra_Pt.y, 0.0);
    EXPECT_EQ(r.ship.Gra_Pt.z, 1.5);
    EXPECT_EQ(r.ship.W_Den, 1.0);
    EXPECT_EQ(r.ship.C1, 1.0);
    EXPECT_EQ(count(r.ship), 5);
    EXPECT_EQ(r.ship.hull.tetrahedron_count(), 5u);
    EXPECT_NEAR(r.ship.hull.total_volume(), 120.0, 1e-12);
    EXPECT_EQ(r.ship.hull.box().minx, 0.0);
    EXPECT_EQ(r.ship.hull.box().maxz, 3.0);
}

TEST(ReadShipInformation, MissingFileIsNotOpened) {
    ScratchDir dir;
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    EXPECT_FALSE(voxel::read_ship_information(ship, dir.file("none.txt")).opened);
    EXPECT_FALSE(voxel::read_ship_information(ship, "").opened);
    // A folder opens but cannot be read: treated alike.
    EXPECT_FALSE(voxel::read_ship_information(ship, dir.path()).opened);
}

TEST(ReadShipInformation, RemarkAfterAKeyValue) {
    const std::string text = replace_all(replace_all(box_example_file(), "B=4\n", "B= 4 m 型宽\n"),
                                         "D=3\n", "D=3.0(m)\n");
    const Read r = read_text(text);
    EXPECT_EQ(r.ship.B, 4.0);
    EXPECT_EQ(r.ship.D, 3.0);
    EXPECT_EQ(r.ship.Gra_Pt.x, 5.0);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(count(r.ship), 5);
}

TEST(ReadShipInformation, MissingKeyLineIsNamedAndTheOtherKeysStillRead) {
    // Without "VD=", which no computation reads: a warning naming the key
    // found in its place, and every other key read from its own line.
    const Read no_vd = read_text(replace_all(box_example_file(), "VD=0\n", ""));
    EXPECT_TRUE(no_vd.errors.empty());
    ASSERT_EQ(no_vd.warnings.size(), 1u);
    EXPECT_EQ(
        no_vd.warnings[0].rfind("ship.txt:5: 警告: 应为 \"VD=<数>\", 读到键 \"Gra_Pt.x=\"", 0), 0u)
        << no_vd.warnings[0];
    EXPECT_EQ(no_vd.ship.Gra_Pt.x, 5.0);
    EXPECT_EQ(no_vd.ship.C1, 1.0);
    EXPECT_EQ(count(no_vd.ship), 5);
    // Without "Gra_Pt.y=", which a computation reads: an error.
    const Read no_y = read_text(replace_all(box_example_file(), "Gra_Pt.y=0\n", ""));
    EXPECT_TRUE(no_y.warnings.empty());
    ASSERT_EQ(no_y.errors.size(), 1u);
    EXPECT_EQ(
        no_y.errors[0].rfind("ship.txt:7: 错误: 应为 \"Gra_Pt.y=<数>\", 读到键 \"Gra_Pt.z=\"", 0),
        0u)
        << no_y.errors[0];
    EXPECT_EQ(no_y.ship.Gra_Pt.z, 1.5);
}
TEST(ReadShipInformation, CrLfReadsLikeLf) {
    const std::string lf = box_example_file() + "\n" + kCylinder + kPrism;
    const Read a = read_text(lf);
    const Read b = read_text(replace_all(lf, "\n", "\r\n"));
    EXPECT_TRUE(b.warnings.empty());
    ASSERT_EQ(count(a.ship), count(b.ship));
    EXPECT_EQ(count(a.ship), 5 + 90 + 3);
    EXPECT_EQ(a.ship.Gra_Pt.z, b.ship.Gra_Pt.z);
    EXPECT_EQ(a.ship.C1, b.ship.C1);
    for (int i = 0; i < count(a.ship); ++i) {
        const voxel::TetraVertices &s = a.ship.hull.tetrahedron(i), &t = b.ship.hull.tetrahedron(i);
        EXPECT_EQ(s.V0.x, t.V0.x);
        EXPECT_EQ(s.V1.y, t.V1.y);
        EXPECT_EQ(s.V2.z, t.V2.z);
        EXPECT_EQ(s.V3.x, t.V3.x);
    }
}

TEST(ReadShipInformation, RecordsPerBlockKind) {
    EXPECT_EQ(count(read_text(key_lines(10, 4, 3) + kTetra).ship), 1);
    EXPECT_EQ(count(read_text(box_example_file()).ship), 5);
    EXPECT_EQ(count(read_text(key_lines(10, 4, 3) + kPrism).ship), 3);
    EXPECT_EQ(count(read_text(key_lines(10, 4, 3) + kCylinder).ship), 90);
    // Blocks in file order, each block's records in decomposition order.
    const Read r = read_text(key_lines(10, 4, 3) + kTetra + kPrism);
    ASSERT_EQ(count(r.ship), 4);
    EXPECT_EQ(r.ship.hull.tetrahedron(0).V3.z, 1.0);  // the tetrahedron
    EXPECT_EQ(r.ship.hull.tetrahedron(1).V3.x, 1.0);  // prism (V0, V1, V2, V4)
    EXPECT_NEAR(r.ship.hull.total_volume(), 1.0 / 6.0 + 1.0, 1e-14);
}

TEST(ReadShipInformation, KeyLinesOnlyGiveNoTetrahedra) {
    const Read r = read_text(key_lines(10, 4, 3));
    EXPECT_EQ(count(r.ship), 0);
    EXPECT_TRUE(r.ship.hull.tetrahedron_count() == 0);
    EXPECT_EQ(r.ship.hull.box().minx, 1e20);
    EXPECT_TRUE(r.warnings.empty());
}

TEST(ReadShipInformation, SecondCylinderRadiusChangesNothing) {
    const Read a = read_text(key_lines(10, 4, 3) + kCylinder);
    const Read b = read_text(key_lines(10, 4, 3) + "Cylinder\n0,0,0\n1.5\n10,0,0\n7.25\n");
    ASSERT_EQ(count(a.ship), 90);
    ASSERT_EQ(count(b.ship), 90);
    for (int i = 0; i < 90; ++i) {
        EXPECT_EQ(a.ship.hull.tetrahedron(i).V1.y, b.ship.hull.tetrahedron(i).V1.y);
        EXPECT_EQ(a.ship.hull.tetrahedron(i).V2.z, b.ship.hull.tetrahedron(i).V2.z);
    }
    EXPECT_EQ(a.ship.hull.total_volume(), b.ship.hull.total_volume());
}

TEST(ReadShipInformation, LongRemarkLineEndingInAKeyword) {
    // Read in pieces of 99 characters: the last piece is "Tetrahedron\n".
    const Read r = read_text(key_lines(10, 4, 3) + std::string(99, 'x') +
                             "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n");
    EXPECT_EQ(count(r.ship), 1);
    // With 98 the pieces are the x run with "T", then "etrahedron\n": no keyword.
    EXPECT_EQ(count(read_text(key_lines(10, 4, 3) + std::string(98, 'x') + kTetra).ship), 0);
}

TEST(ReadShipInformation, RemarksBlankLinesAndIndentedKeywordsBetweenBlocks) {
    const std::string text = key_lines(10, 4, 3) + "\n船体\n" + kTetra + "\n\n   " + kPrism +
                             "Tetrahedron \n0,0,0\n1,0,0\n0,1,0\n0,0,1\n";
    const Read r = read_text(text);
    // The indented keyword after a block counts (the blank skip ate the
    // indent); the keyword with a trailing blank does not.
    EXPECT_EQ(count(r.ship), 1 + 3);
}

TEST(ReadShipInformation, ShortFileEndsWithoutBlocks) {
    const Read r = read_text("Loa=10\nLpp=10\nB=4");
    ASSERT_TRUE(r.opened);
    EXPECT_EQ(r.ship.B, 4.0);
    EXPECT_EQ(count(r.ship), 0);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_TRUE(any_contains(r.errors, "文件在键行 \"D=<数>\", \"VD=<数>\""));
    const Read empty = read_text("");
    EXPECT_TRUE(empty.opened);
    EXPECT_EQ(empty.errors.size(), 1u);
}
TEST(ReadShipInformation, BadVertexLineIsAnErrorAndReadingGoesOn) {
    // Line 14 lacks its z: one error, the line passed over, the last vertex
    // read from line 15; the block is not used.
    const std::string text = key_lines(10, 4, 3) + "Tetrahedron\n0,0,0\n1,0,0\n0,1\n0,0,1\n" +
                             "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1,\n";
    const Read r = read_text(text);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[0].rfind("ship.txt:14: 错误: ", 0), 0u) << r.errors[0];
    EXPECT_EQ(r.errors[1].rfind("ship.txt:20: 错误: ", 0), 0u) << r.errors[1];
    EXPECT_EQ(count(r.ship), 0);
}
TEST(ReadShipInformation, BlockCutShortByTheEndIsAnError) {
    const Read r = read_text(key_lines(10, 4, 3) + kTetra + "Hexahedron\n0,0,0\n1,0,0\n");
    EXPECT_EQ(count(r.ship), 1);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_NE(r.errors[0].find("Hexahedron"), std::string::npos);
    EXPECT_NE(r.errors[0].find("第 16 行"), std::string::npos);
    const Read cylinder = read_text(key_lines(10, 4, 3) + "Cylinder\n0,0,0\n1.5\n10,0,0\n");
    EXPECT_EQ(cylinder.errors.size(), 1u);
    // The last value without its line end is complete: the block stays.
    const Read full = read_text(key_lines(10, 4, 3) + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1");
    EXPECT_EQ(count(full.ship), 1);
    EXPECT_TRUE(full.warnings.empty());
    EXPECT_TRUE(full.errors.empty());
}
TEST(ReadShipInformation, UnusableSolidsAreErrors) {
    const std::string keys = key_lines(10, 4, 3);
    const Read zero_axis = read_text(keys + "Cylinder\n1,2,3\n1.5\n1,2,3\n1.5\n");
    ASSERT_EQ(zero_axis.errors.size(), 1u);
    EXPECT_NE(zero_axis.errors[0].find("ship.txt:11: "), std::string::npos);
    EXPECT_EQ(count(zero_axis.ship), 0);

    for (const char* r : {"0", "-1.5", "nan", "inf"}) {
        const Read bad = read_text(keys + "Cylinder\n0,0,0\n" + r + "\n10,0,0\n1.5\n");
        ASSERT_EQ(bad.errors.size(), 1u) << r;
        EXPECT_NE(bad.errors[0].find("ship.txt:13: "), std::string::npos) << r;
    }
    const Read inf = read_text(keys + "Tetrahedron\n0,0,0\n1,inf,0\n0,1,0\n0,0,1\n");
    ASSERT_EQ(inf.errors.size(), 1u);
    EXPECT_NE(inf.errors[0].find("ship.txt:13: "), std::string::npos);
    EXPECT_EQ(count(inf.ship), 0);
    // The second radius has no effect: one that differs is only warned about.
    const Read cone = read_text(keys + "Cylinder\n0,0,0\n1.5\n10,0,0\n-1\n");
    EXPECT_TRUE(cone.errors.empty());
    ASSERT_EQ(cone.warnings.size(), 1u);
    EXPECT_EQ(
        cone.warnings[0].rfind("ship.txt:15: 警告: Cylinder 块 (始于第 11 行) 的第二个半径", 0), 0u)
        << cone.warnings[0];
}

TEST(ShipDataErrors, NonFiniteKeysThatAComputationUses) {
    EXPECT_TRUE(voxel::ship_data_errors(read_text(box_example_file()).ship, "s").empty());
    const Read r = read_text(
        replace_all(replace_all(box_example_file(), "Lpp=10", "Lpp=nan"), "C1=1", "C1=-inf"));
    const std::vector<std::string> errors = voxel::ship_data_errors(r.ship, "ship.txt");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("Lpp"), std::string::npos);
    EXPECT_NE(errors[1].find("C1"), std::string::npos);
    // Loa and VD are used by no computation.
    const Read unused = read_text(replace_all(box_example_file(), "VD=0", "VD=inf"));
    EXPECT_TRUE(voxel::ship_data_errors(unused.ship, "ship.txt").empty());
}

// Lpp, B, D, W_Den and C1 divide or scale the table: 0 or less is an error
// at the key's line. An Lpp or B far from the hull's own waterplane at the
// deepest waterline is a warning with both values.
TEST(ShipDataErrors, PrincipalDataMustBePositiveAndFitTheHull) {
    const std::string box = box_example_file();
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } bad[] = {{"Lpp=10", "Lpp=0", "ship.txt:2: 错误: Lpp 须为正数, 读到 0."},
               {"B=4", "B=-4", "ship.txt:3: 错误: B 须为正数, 读到 -4."},
               {"D=3", "D=0", "ship.txt:4: 错误: D 须为正数, 读到 0."},
               {"W_Den=1", "W_Den=0", "ship.txt:9: 错误: W_Den 须为正数, 读到 0."},
               {"C1=1", "C1=-1", "ship.txt:10: 错误: C1 须为正数, 读到 -1."}};
    for (const auto& b : bad) {
        const Read r = read_text(replace_all(box, b.from, b.to));
        ASSERT_EQ(r.errors.size(), 1u) << b.to;
        EXPECT_EQ(r.errors[0], b.message);
    }

    // The box is 10 long and 4 broad at every waterline.
    Read fits = read_text(replace_all(box, "Lpp=10", "Lpp=10.9"));
    voxel::compute_hydrostatics(fits.ship, [](const std::string&) {});
    EXPECT_TRUE(voxel::particulars_warnings(fits.ship, "ship.txt").empty());
    Read wrong = read_text(replace_all(replace_all(box, "Lpp=10", "Lpp=12"), "B=4", "B=3"));
    voxel::compute_hydrostatics(wrong.ship, [](const std::string&) {});
    const std::vector<std::string> w = voxel::particulars_warnings(wrong.ship, "ship.txt");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(
        w[0].rfind("ship.txt: 警告: Lpp=12 与船体在最深水线 (吃水 2.9 m) 处的水线长 10 m 相差 20%",
                   0),
        0u)
        << w[0];
    EXPECT_EQ(
        w[1].rfind("ship.txt: 警告: B=3 与船体在最深水线 (吃水 2.9 m) 处的水线宽 4 m 相差 25%", 0),
        0u)
        << w[1];
}

}  // namespace
