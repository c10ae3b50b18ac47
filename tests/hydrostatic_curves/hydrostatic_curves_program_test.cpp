// The whole program as a child process: console text, exit status, file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "kernel/platform/console.h"
#include "support/hull_fixtures.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;
using testing_support::split_lines;

const std::string kBanner = "体素组静水力曲线 Quellbrook Tavrel 设计 2020.7.10版本";
const std::string kPause = "请按任意键继续. . .";

ProcessResult run_in(const ScratchDir& dir, const std::string& ship_file) {
    ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(HYDROSTATIC_CURVES_EXE, {ship_file}, options);
}

std::vector<std::string> file_lines(const ScratchDir& dir) {
    std::vector<std::string> lines;
    const std::string bytes = read_file_bytes(dir.file("Hydro_Static.txt"));
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The text of cell c (0-based) of a line, trailing blanks removed.
std::string cell(const std::string& line, int c) {
    std::string s = line.substr(15 * c, 15);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

TEST(HydrostaticCurvesProgram, BoxExampleGivesTwentyFiveRows) {
    ScratchDir dir;
    const std::string ship = dir.write("box.txt", hydro_test::box_example_file());
    const ProcessResult r = run_in(dir, ship);
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");

    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_EQ(out.size(), 1u + 25u + 1u);
    EXPECT_EQ(out[0], kBanner);
    EXPECT_EQ(out[1], "正在计算第 0 水线相关信息, 水线高度=0.5 m");
    EXPECT_EQ(out[25], "正在计算第 24 水线相关信息, 水线高度=2.9 m");
    EXPECT_EQ(out[26], kPause);

    const std::vector<std::string> lines = file_lines(dir);
    ASSERT_EQ(lines.size(), 3u * (3u + 25u));
    for (int table = 0; table < 3; ++table) {
        for (int i = 0; i < 25; ++i) {
            const std::string& row = lines[table * 28 + 3 + i];
            // Drafts 0.5, 0.6, ..., 0.9, 1, 1.1, ..., 2.9.
            const int tenths = 5 + i;
            const std::string draft = std::to_string(tenths / 10) +
                                      (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
            EXPECT_EQ(cell(row, 0), "");
            EXPECT_EQ(cell(row, 1), draft);
        }
    }
    // V = 40 T and the coefficients of a box are 1.
    EXPECT_EQ(cell(lines[3], 2), "20");
    EXPECT_EQ(cell(lines[27], 2), "116");
    EXPECT_EQ(cell(lines[28 * 2 + 3 + 10], 3), "1");
}

TEST(HydrostaticCurvesProgram, MissingShipFileEndsAtOnce) {
    ScratchDir dir;
    const ProcessResult r = run_in(dir, dir.file("no_such_ship.txt"));
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], kBanner);
    EXPECT_EQ(out[1], "船舶信息文件读取错误!");
    struct stat st {};
    EXPECT_NE(stat(dir.file("Hydro_Static.txt").c_str(), &st), 0);
}

// D = 0.6 gives no waterline: the table is written as the format says, its
// header rows only, and the run fails, for it has no result.
TEST(HydrostaticCurvesProgram, ShallowHullWritesHeadersOnlyAndFails) {
    ScratchDir dir;
    const std::string ship =
        dir.write("s.txt", hydro_test::key_lines(10, 4, 0.6) +
                               "Hexahedron\n0,-2,0\n10,-2,0\n10,2,0\n0,2,0\n0,-2,3\n10,-2,3\n10,2,"
                               "3\n0,2,3\n");
    const ProcessResult r = run_in(dir, ship);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(split_lines(r.out).size(), 1u);  // the banner; no pause
    EXPECT_NE(r.err.find("给出 0 条水线"), std::string::npos) << r.err;
    EXPECT_EQ(file_lines(dir).size(), 9u);
}

TEST(HydrostaticCurvesProgram, UnwritableTableIsReportedAndTheRunGoesOn) {
    ScratchDir dir;
    const std::string ship = dir.write("box.txt", hydro_test::box_example_file());
    ASSERT_EQ(mkdir(dir.file("Hydro_Static.txt").c_str(), 0755), 0);
    const ProcessResult r = run_in(dir, ship);
    EXPECT_EQ(r.exit_status, 0);
    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[out.size() - 2], "Hydro_Static Data write error! ");
    EXPECT_EQ(out.back(), kPause);
}

TEST(HydrostaticCurvesProgram, WaterlinesThatMeetNoHullAreNamedOnce) {
    ScratchDir dir;
    const std::string ship =
        dir.write("high.txt", hydro_test::key_lines(10, 4, 1.2) +
                                  "Hexahedron\n0,-2,0.75\n10,-2,0.75\n10,2,0.75\n0,2,0.75\n"
                                  "0,-2,3\n10,-2,3\n10,2,3\n0,2,3\n");
    const ProcessResult r = run_in(dir, ship);
    EXPECT_EQ(r.exit_status, 0);
    const std::vector<std::string> err = split_lines(r.err);
    ASSERT_EQ(err.size(), 1u);
    EXPECT_NE(err[0].find("0.5, 0.6, 0.7"), std::string::npos) << err[0];
    EXPECT_EQ(err[0].find("0.8"), std::string::npos) << err[0];
    const std::vector<std::string> lines = file_lines(dir);
    ASSERT_EQ(lines.size(), 3u * (3u + 6u));  // D = 1.2: six rows
    EXPECT_EQ(cell(lines[3], 2), "0");        // V
    // Zb = 0/0: a non-number, written with its sign ("-nan" for the
    // default non-number of x86).
    const std::string zb = cell(lines[3], 5);
    EXPECT_TRUE(zb == "nan" || zb == "-nan") << zb;
    EXPECT_EQ(cell(lines[6], 2), "2");  // V at 0.8 m: 40 * 0.05
}

TEST(HydrostaticCurvesProgram, UnusableInputStopsBeforeTheSweep) {
    const std::string keys = hydro_test::key_lines(10, 4, 3);
    const std::string cases[] = {
        keys + "Cylinder\n1,2,3\n1.5\n1,2,3\n1.5\n",           // zero axis
        keys + "Cylinder\n0,0,0\n-2\n10,0,0\n1.5\n",           // radius
        keys + "Tetrahedron\n0,0,0\n1,0,0\n0,nan,0\n0,0,1\n",  // coordinate
        hydro_test::key_lines(10, 4, 3, "inf") + "Tetrahedron\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n",
    };
    for (const std::string& text : cases) {
        ScratchDir dir;
        const std::string ship = dir.write("bad.txt", text);
        const ProcessResult r = run_in(dir, ship);
        EXPECT_EQ(r.exit_status, 1) << text;
        EXPECT_NE(r.err.find("bad.txt"), std::string::npos) << r.err;
        const std::vector<std::string> out = split_lines(r.out);
        ASSERT_EQ(out.size(), 1u) << r.out;  // the banner only
        struct stat st {};
        EXPECT_NE(stat(dir.file("Hydro_Static.txt").c_str(), &st), 0);
    }
}

TEST(HydrostaticCurvesProgram, ShipLikeHullOfPrismsAndHexahedra) {
    // A parallel middle body (hexahedron, x 10..50), a wedge-shaped bow
    // (triangle prism, x 50..60) and a run aft (hexahedron tapering to a
    // narrow transom, x 0..10); 8 m broad, 5 m deep.
    const std::string text = hydro_test::key_lines(60, 8, 5, "2.5") +
                             "Hexahedron\n10,-4,0\n50,-4,0\n50,4,0\n10,4,0\n"
                             "10,-4,5\n50,-4,5\n50,4,5\n10,4,5\n"
                             "TrianglePrism\n50,-4,0\n60,0,0\n50,4,0\n50,-4,5\n60,0,5\n50,4,5\n"
                             "Hexahedron\n0,-2,0\n10,-4,0\n10,4,0\n0,2,0\n"
                             "0,-2,5\n10,-4,5\n10,4,5\n0,2,5\n";
    ScratchDir dir;
    const std::string ship = dir.write("ship.txt", text);
    const ProcessResult r = run_in(dir, ship);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = file_lines(dir);
    const int rows = 45;  // D = 5
    ASSERT_EQ(lines.size(), 3u * (3u + rows));
    // Wall-sided hull: V = A * T with the plan area A = 40*8 + 10*8/2 + 10*(4+8)/2,
    // and the waterplane's own 60 x 8 box gives CB = Cw = A / 480; the
    // midship section lies in the parallel body (Cm = 1), so Cp = A / 480 too.
    const double A = 320.0 + 40.0 + 60.0;
    const double coefficient = A / 480.0;
    // Plan centroid: body at x = 30, bow triangle at 160/3, run (trapezoid of
    // sides 4 and 8 over 10 m) at 10 (4 + 2*8) / (3 (4 + 8)); from midship.
    const double xf = (320.0 * 30.0 + 40.0 * (160.0 / 3.0) + 60.0 * (200.0 / 36.0)) / A - 30.0;
    const int table = 3 + rows;
    const double rel = 2e-6;  // six significant digits in the file
    for (int i = 0; i < rows; ++i) {
        const double T = std::atof(cell(lines[3 + i], 1).c_str());
        SCOPED_TRACE("T = " + std::to_string(T));
        EXPECT_NEAR(std::atof(cell(lines[3 + i], 2).c_str()), A * T, rel * A * T);    // V
        EXPECT_NEAR(std::atof(cell(lines[3 + i], 6).c_str()), xf, rel * 60);          // Xb
        EXPECT_NEAR(std::atof(cell(lines[table + 3 + i], 2).c_str()), A, rel * A);    // Aw
        EXPECT_NEAR(std::atof(cell(lines[table + 3 + i], 3).c_str()), xf, rel * 60);  // Xf
        const std::string& row3 = lines[2 * table + 3 + i];
        EXPECT_NEAR(std::atof(cell(row3, 3).c_str()), coefficient, rel);  // CB
        EXPECT_NEAR(std::atof(cell(row3, 4).c_str()), coefficient, rel);  // Cw
        EXPECT_NEAR(std::atof(cell(row3, 5).c_str()), 1.0, rel);          // Cm
        EXPECT_NEAR(std::atof(cell(row3, 6).c_str()), coefficient, rel);  // Cp
    }
}

}  // namespace
