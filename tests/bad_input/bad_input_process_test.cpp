// Bad input, run as a person would meet it: the programs on model files that
// other tools and editors wrote wrongly, with standard input closed. Each
// case ends with a message on standard error that names the file, the line
// and what is wrong, and with status 1; none crashes, and none ends with
// status 0 and a table of non-numbers or of header rows only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "frame/console_frame.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;

// Ten key lines of a ship file (L 10, B 4, D as given, G at z 1.5) and a box
// hull 10 x 4 x 3 of one hexahedron on lines 12 to 19.
std::string ship_keys(const std::string& D = "3") {
    return "Loa=10\nLpp=10\nB=4\nD=" + D +
           "\nVD=120\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1.5\nW_Den=1.025\nC1=1\n";
}
const std::string kBoxBlock =
    "Hexahedron\n0,-2,0\n10,-2,0\n10,2,0\n0,2,0\n0,-2,3\n10,-2,3\n10,2,3\n0,2,3\n";

// A Format2 model: displacement 60 of the same box (volume 120).
const std::string kFormat2Header =
    "Volume of Displacement=60\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1\n";

bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

struct Outcome {
    ProcessResult result;
    bool table_written = false;  // Hydro_Static.txt exists afterwards
};

Outcome run_in(const ScratchDir& dir, const char* program, const std::string& model) {
    const std::string path = dir.write("bad.txt", model);
    ProcessOptions options;
    options.working_dir = dir.path();  // standard input closed
    Outcome run;
    run.result = run_program(program, {path}, options);
    run.table_written = exists(dir.file("Hydro_Static.txt"));
    return run;
}

Outcome run_program_on(const char* program, const std::string& model) {
    ScratchDir dir;
    return run_in(dir, program, model);
}

// The run ended by itself with status 1 and said `what` on standard error,
// as an error of bad.txt at `line`.
void expect_refused(const Outcome& run, int line, const std::string& what) {
    ASSERT_FALSE(run.result.timed_out);
    EXPECT_EQ(run.result.exit_status, 1) << run.result.err;
    const std::string at = "bad.txt:" + std::to_string(line) + ": 错误: ";
    const std::size_t found = run.result.err.find(at);
    ASSERT_NE(found, std::string::npos) << run.result.err;
    EXPECT_NE(run.result.err.find(what, found), std::string::npos) << run.result.err;
}

// A vertex line that converts only partly ("nan,-10") or holds "inf" alone:
// both readers refuse the non-number by the same rule.
TEST(BadInput, PartlyConvertedNonFiniteVertexIsRefused) {
    const Outcome ship = run_program_on(
        HYDROSTATIC_CURVES_EXE, ship_keys() + "Tetrahedron\n0,0,0\nnan,-10\n1,0,0\n0,1,0\n0,0,1\n");
    expect_refused(ship, 13, "不是有限数 (nan)");
    EXPECT_FALSE(ship.table_written);

    const Outcome format2 = run_program_on(RIGHTING_ARM_EXE, kFormat2Header +
                                                                 "Tetrahedron\n0,0,0\ninf\n"
                                                                 "1,0,0\n0,1,0\n0,0,1\n");
    expect_refused(format2, 7, "不是有限数 (inf)");
}

// D = 1e308 asked for more waterlines than memory holds (an abort), and
// D = 1e7 for about 13 GB. 1e308 is refused as out of range where it is read,
// 1e7 by the bound on the waterline count; both before the sweep, leaving an
// existing table as it was.
TEST(BadInput, WaterlineCountIsBounded) {
    const struct {
        const char* D;
        const char* message;
    } cases[] = {{"1e308", "bad.txt:4: 错误: D 的绝对值超过 1e100"},
                 {"1e7", "bad.txt: 型深 D=1e+007 给出 99999995 条水线, 超过上限 100000 条"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.D);
        ScratchDir dir;
        dir.write("Hydro_Static.txt", "an older table\r\n");
        const Outcome run = run_in(dir, HYDROSTATIC_CURVES_EXE, ship_keys(c.D) + kBoxBlock);
        ASSERT_FALSE(run.result.timed_out);
        EXPECT_EQ(run.result.exit_status, 1);
        EXPECT_NE(run.result.err.find(c.message), std::string::npos) << run.result.err;
        EXPECT_EQ(read_file_bytes(dir.file("Hydro_Static.txt")), "an older table\r\n");
    }
}

// An allocation that fails anywhere in a program's run ends with a message
// and status 1 rather than an abort (the programs' main runs in this guard).
TEST(BadInput, AllocationFailureEndsWithStatusOne) {
    testing::internal::CaptureStderr();
    const int status = voxel::run_guarded(false, []() -> int { throw std::bad_alloc(); });
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("错误: 内存不足"), std::string::npos) << err;
}

// A moulded depth of 0.6 m gives no waterline: the table keeps its nine
// header rows, and the run says so and fails. A model with no solid at all
// fails likewise.
TEST(BadInput, NothingComputedIsNoSuccess) {
    ScratchDir dir;
    const Outcome ship = run_in(dir, HYDROSTATIC_CURVES_EXE, ship_keys("0.6") + kBoxBlock);
    ASSERT_FALSE(ship.result.timed_out);
    EXPECT_EQ(ship.result.exit_status, 1);
    EXPECT_NE(ship.result.err.find("bad.txt: 型深 D=0.6 给出 0 条水线"), std::string::npos)
        << ship.result.err;
    const std::string table = read_file_bytes(dir.file("Hydro_Static.txt"));
    std::size_t lines = 0;
    for (std::size_t at = table.find("\r\n"); at != std::string::npos;
         at = table.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 9u);

    // A hull whose solids all lie above the moulded depth meets no waterline.
    ScratchDir above;
    std::string raised = kBoxBlock;
    for (std::size_t at = raised.find(",0\n"); at != std::string::npos;
         at = raised.find(",0\n", at))
        raised.replace(at, 3, ",5\n");
    for (std::size_t at = raised.find(",3\n"); at != std::string::npos;
         at = raised.find(",3\n", at))
        raised.replace(at, 3, ",8\n");
    const Outcome dry = run_in(above, HYDROSTATIC_CURVES_EXE, ship_keys() + raised);
    ASSERT_FALSE(dry.result.timed_out);
    EXPECT_EQ(dry.result.exit_status, 1);
    EXPECT_NE(dry.result.err.find("bad.txt: 错误: 吃水 0.5 m 至 2.9 m 的水线都未与船体相交"),
              std::string::npos)
        << dry.result.err;
    EXPECT_FALSE(dry.table_written);

    const Outcome empty =
        run_program_on(FLOATING_ATTITUDE_EXE, kFormat2Header + "no solids here\n");
    expect_refused(empty, 5, "没有可用的实体块");
}

// "Hexahedron " with a trailing blank, or "hexahedron", is not a keyword and
// its block is passed over as before, but no longer silently: a warning names
// the line and the keyword it resembles.
TEST(BadInput, KeywordThatDiffersByCaseOrBlanksIsWarnedAbout) {
    const std::string upper_box =
        "0,-2,3\n10,-2,3\n10,2,3\n0,2,3\n0,-2,4\n10,-2,4\n10,2,4\n0,2,4\n";
    for (const std::string& keyword : {std::string("Hexahedron "), std::string("hexahedron")}) {
        SCOPED_TRACE(keyword);
        const Outcome run = run_program_on(HYDROSTATIC_CURVES_EXE,
                                           ship_keys() + kBoxBlock + keyword + "\n" + upper_box);
        ASSERT_FALSE(run.result.timed_out);
        EXPECT_EQ(run.result.exit_status, 0);
        const std::string warning =
            "bad.txt:20: 警告: \"" + keyword + "\" 不是关键字 (与 Hexahedron";
        EXPECT_NE(run.result.err.find(warning), std::string::npos) << run.result.err;
    }
}

// A cylinder axis of length 1e-170 passes a test for zero, but its square
// underflows and the unit vector along it is 0/0: refused with the message
// of a zero-length axis, by both readers.
TEST(BadInput, CylinderAxisTooShortForADirectionIsRefused) {
    const std::string cylinder = "Cylinder\n0,0,0\n1\n0,0,1e-170\n1\n";
    expect_refused(run_program_on(HYDROSTATIC_CURVES_EXE, ship_keys() + cylinder), 11,
                   "轴长为零或过短");
    expect_refused(run_program_on(FLOATING_ATTITUDE_EXE, kFormat2Header + cylinder), 5,
                   "轴长为零或过短");
}

// Coordinates near 1e308 make every volume inf and every centre nan; any
// number beyond 1e100 that enters a computation is refused where it is read.
TEST(BadInput, NumbersBeyondTheirRangeAreRefused) {
    const Outcome vertex =
        run_program_on(HYDROSTATIC_CURVES_EXE,
                       ship_keys() + "Tetrahedron\n0,0,0\n1e200,0,0\n0,1e200,0\n0,0,1e200\n");
    expect_refused(vertex, 13, "的绝对值超过 1e100 (1e+200)");
    EXPECT_FALSE(vertex.table_written);

    std::string key = ship_keys();
    key.replace(key.find("B=4"), 3, "B=1e150");
    expect_refused(run_program_on(HYDROSTATIC_CURVES_EXE, key + kBoxBlock), 3,
                   "B 的绝对值超过 1e100");

    const std::string huge_v =
        "Volume of Displacement=1e300\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1\n" + kBoxBlock;
    expect_refused(run_program_on(RIGHTING_ARM_EXE, huge_v), 1, "的绝对值超过 1e100");
}

// Coordinates within range but 65 orders of magnitude apart (a box of 20 x 8
// x 3 with one corner pulled out to y = -4.9e65): the cut volumes lose their
// digits, no level water plane of V can be found, and the Format2 programs
// refuse the body before their run rather than print non-numbers or a
// meaningless attitude.
TEST(BadInput, CoordinatesTooFarApartForAWaterPlaneAreRefused) {
    const std::string model =
        "Volume of Displacement=30\nGra_Pt.x=10\nGra_Pt.y=0\nGra_Pt.z=1\n"
        "Hexahedron\n0,-4,0\n20,-4,0\n20,4,0\n0,4,0\n0,-4,3\n20,-4.9e65,3\n20,4,3\n0,4,3\n";
    for (const char* program : {FLOATING_ATTITUDE_EXE, RIGHTING_ARM_EXE}) {
        const Outcome run = run_program_on(program, model);
        ASSERT_FALSE(run.result.timed_out);
        EXPECT_EQ(run.result.exit_status, 1);
        EXPECT_NE(run.result.err.find("bad.txt: 找不到排水体积 30 的水平水面"), std::string::npos)
            << run.result.err;
    }
}

// A UTF-8 byte-order mark is skipped: the file reads as without it. A UTF-16
// file is refused with a message that names its encoding.
TEST(BadInput, EncodingsAreSkippedOrRefused) {
    ScratchDir plain_dir, marked_dir;
    const Outcome plain = run_in(plain_dir, HYDROSTATIC_CURVES_EXE, ship_keys() + kBoxBlock);
    const Outcome marked =
        run_in(marked_dir, HYDROSTATIC_CURVES_EXE, "\xEF\xBB\xBF" + ship_keys() + kBoxBlock);
    EXPECT_EQ(plain.result.exit_status, 0);
    EXPECT_EQ(marked.result.exit_status, 0);
    EXPECT_EQ(marked.result.err, "");
    EXPECT_EQ(read_file_bytes(marked_dir.file("Hydro_Static.txt")),
              read_file_bytes(plain_dir.file("Hydro_Static.txt")));

    // The same text as UTF-16 LE, with and without its byte-order mark.
    std::string wide;
    for (char c : ship_keys() + kBoxBlock) wide += std::string{c, '\0'};
    for (const std::string& prefix : {std::string("\xFF\xFE"), std::string()}) {
        const Outcome run = run_program_on(HYDROSTATIC_CURVES_EXE, prefix + wide);
        expect_refused(run, 1, "文件是 UTF-16 LE 编码的文本");
        EXPECT_NE(run.result.err.find("另存为纯文本"), std::string::npos);
        EXPECT_FALSE(run.table_written);
    }
    expect_refused(run_program_on(RIGHTING_ARM_EXE, "\xFF\xFE" + wide), 1, "UTF-16 LE");
}

// A value that does not read, written as people and tools get it wrong, ends
// the run before any computation with one error per fault, naming what was
// expected at that line; an output file of an earlier run stays as it was.
TEST(BadInput, ValuesThatDoNotReadEndTheRunBeforeAnyComputation) {
    const std::string box_hull = kBoxBlock;
    const struct {
        const char* program;
        const char* output;  // the program's table, which must stay as it was
        std::string model;
        int line;
        const char* message;
    } cases[] = {
        {RIGHTING_ARM_EXE, "RightingArm_Around_X_Axis.txt",
         "Volume of Displacement=60\nGra_Pt.x=5\nGra_Pt.z=1\n" + box_hull, 3,
         "应为 \"Gra_Pt.y=<数>\", 读到键 \"Gra_Pt.z=\""},
        {FLOATING_ATTITUDE_EXE, nullptr,
         "Volume of Displacement = 60\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1\n" + box_hull, 1,
         "'=' 前不可有空白"},
        {RIGHTING_ARM_EXE, "RightingArm_Around_X_Axis.txt",
         kFormat2Header + "Tetrahedron\n0,0,0\n0,6,abc\n1,0,0\n0,0,1\n" + box_hull, 7,
         "应为 Tetrahedron 块 (始于第 5 行) 的顶点 V1 \"x,y,z\", 读到 \"0,6,abc\""},
        {HYDROSTATIC_CURVES_EXE, "Hydro_Static.txt",
         ship_keys().replace(ship_keys().find("Gra_Pt.y=0\n"), 11, "") + kBoxBlock, 7,
         "应为 \"Gra_Pt.y=<数>\", 读到键 \"Gra_Pt.z=\""},
        // "0,2,3.5" mistyped on the last line of the last block.
        {HYDROSTATIC_CURVES_EXE, "Hydro_Static.txt",
         ship_keys() + kBoxBlock.substr(0, kBoxBlock.size() - 1) + " 5\n", 19,
         "数值之后有多余的文字 \"5\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ScratchDir dir;
        if (c.output) dir.write(c.output, "an earlier run\n");
        const Outcome run = run_in(dir, c.program, c.model);
        expect_refused(run, c.line, c.message);
        // One message for the one fault.
        EXPECT_EQ(run.result.err.find("错误", run.result.err.find("错误") + 1), std::string::npos)
            << run.result.err;
        EXPECT_EQ(run.result.out.find("An = "), std::string::npos);
        EXPECT_EQ(run.result.out.find("Step"), std::string::npos);
        if (c.output) {
            EXPECT_EQ(read_file_bytes(dir.file(c.output)), "an earlier run\n");
        }
    }
}

// Solids that are not what the file means: a hexahedron whose vertices come
// in an order that folds it is refused at its keyword's line, with the order
// expected; a cylinder with a second radius of its own is one of the first
// radius, with a warning.
TEST(BadInput, SolidsThatAreNotWhatTheFileMeans) {
    const Outcome folded = run_program_on(
        HYDROSTATIC_CURVES_EXE,
        ship_keys() +
            "Hexahedron\n0,-2,0\n10,-2,0\n0,2,0\n10,2,0\n0,-2,3\n10,-2,3\n0,2,3\n10,2,3\n");
    expect_refused(folded, 11, "Hexahedron 块 (始于第 11 行) 的顶点次序使实体自身折叠");
    EXPECT_NE(folded.result.err.find("侧棱为 V0-V4, V1-V5, V2-V6, V3-V7"), std::string::npos);
    EXPECT_FALSE(folded.table_written);

    const Outcome cone =
        run_program_on(FLOATING_ATTITUDE_EXE,
                       "Volume of Displacement=1\nGra_Pt.x=0\nGra_Pt.y=0\nGra_Pt.z=0.5\n"
                       "Cylinder\n0,0,0\n1\n0,0,2\n2\n");
    ASSERT_FALSE(cone.result.timed_out);
    EXPECT_NE(cone.result.err.find("bad.txt:9: 警告: Cylinder 块 (始于第 5 行) 的第二个半径 r2=2 "
                                   "与 r=1 不同; r2 不被使用"),
              std::string::npos)
        << cone.result.err;
}

// Principal data that cannot be right: a zero Lpp gave infinite MTC and Cp
// and a zero W_Den a zero displacement, with status 0; an Lpp 20 % longer
// than the hull is computed, with a warning naming both lengths.
TEST(BadInput, PrincipalDataThatCannotBeRight) {
    for (const char* key : {"Lpp=10", "W_Den=1.025"}) {
        std::string keys = ship_keys();
        const std::string name(key, std::strchr(key, '=') + 1);
        keys.replace(keys.find(key), std::strlen(key), name + "0");
        const Outcome run = run_program_on(HYDROSTATIC_CURVES_EXE, keys + kBoxBlock);
        expect_refused(run, name == "Lpp=" ? 2 : 9, name.substr(0, name.size() - 1) + " 须为正数");
        EXPECT_FALSE(run.table_written);
    }
    std::string longer = ship_keys();
    longer.replace(longer.find("Lpp=10"), 6, "Lpp=12");
    const Outcome run = run_program_on(HYDROSTATIC_CURVES_EXE, longer + kBoxBlock);
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_NE(run.result.err.find("bad.txt: 警告: Lpp=12 与船体在最深水线"), std::string::npos)
        << run.result.err;
    EXPECT_TRUE(run.table_written);
}

}  // namespace
