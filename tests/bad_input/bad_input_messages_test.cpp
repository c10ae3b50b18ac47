// What the programs say of input they cannot use at all, run as a person
// would meet it, with standard input closed: a file that is not there, a
// folder, an output file that cannot be written, a file that is no text, a
// thread count out of range, and a table of offsets whose numbers or centre
// of gravity the model files cannot carry. Each says what and where on
// standard error, ends with its status and writes no result file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;

// A box 10 x 4 x 3 of one hexahedron, as a ship file and as a Format2 model
// (displacement 60 of its volume 120), and four vertical pillars.
const std::string kBoxBlock =
    "Hexahedron\n0,-2,0\n10,-2,0\n10,2,0\n0,2,0\n0,-2,3\n10,-2,3\n10,2,3\n0,2,3\n";
const std::string kShip =
    "Loa=10\nLpp=10\nB=4\nD=3\nVD=120\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1.5\nW_Den=1.025\nC1=1\n" +
    kBoxBlock;
const std::string kFormat2 =
    "Volume of Displacement=60\nGra_Pt.x=5\nGra_Pt.y=0\nGra_Pt.z=1\n" + kBoxBlock;
const std::string kPillars =
    "#1:\n0,-2,0\n0,-2,3\n#2:\n10,-2,0\n10,-2,3\n#3:\n10,2,0\n10,2,3\n#4:\n0,2,0\n0,2,3\n";

// The result files of every program; none may be left by a refused run.
const char* const kResultFiles[] = {"Hydro_Static.txt", "Hydro_Static.csv",
                                    "RightingArm_Around_X_Axis.txt", "ship.txt", "model.txt"};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

ProcessResult run_in(const ScratchDir& dir, const char* program,
                     const std::vector<std::string>& args) {
    ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(program, args, options);
}

// No result file in the folder but those named in `kept`.
void expect_no_result_file(const ScratchDir& dir, const std::vector<std::string>& kept = {}) {
    for (const char* name : kResultFiles) {
        bool keep = false;
        for (const std::string& k : kept) keep = keep || k == name;
        if (!keep) {
            EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
        }
    }
}

// The model file is missing or a folder: the fixed console text stays as it
// was on standard output, and standard error names the file and why. So for
// the pillar file, and for the two tables that cannot be written because a
// folder holds their name.
TEST(BadInputMessages, UnopenedAndUnwritableFilesAreNamed) {
    const struct {
        const char* program;
        const char* console;
    } readers[] = {{HYDROSTATIC_CURVES_EXE, "船舶信息文件读取错误!"},
                   {FLOATING_ATTITUDE_EXE, " SET file(Format2) read error! "},
                   {RIGHTING_ARM_EXE, " SET file(Format2) read error! "}};
    for (const auto& r : readers) {
        SCOPED_TRACE(r.program);
        ScratchDir dir;
        std::filesystem::create_directory(dir.file("folder.txt"));
        const ProcessResult missing = run_in(dir, r.program, {"absent.txt"});
        ASSERT_FALSE(missing.timed_out);
        EXPECT_EQ(missing.exit_status, 1);
        EXPECT_TRUE(contains(missing.out, std::string("\n") + r.console + "\n")) << missing.out;
        EXPECT_TRUE(contains(missing.err, "absent.txt: 错误: 无法打开文件 (No such file"))
            << missing.err;
        const ProcessResult folder = run_in(dir, r.program, {"folder.txt"});
        EXPECT_EQ(folder.exit_status, 1);
        EXPECT_TRUE(contains(folder.out, r.console)) << folder.out;
        EXPECT_TRUE(contains(folder.err, "folder.txt: 错误: 无法打开文件 (这是文件夹"))
            << folder.err;
        expect_no_result_file(dir);
    }

    ScratchDir dir;
    dir.write("model.txt", kFormat2);
    const ProcessResult no_pillars = run_in(dir, FLOATING_ATTITUDE_EXE, {"model.txt"});
    EXPECT_EQ(no_pillars.exit_status, 1);
    EXPECT_TRUE(contains(no_pillars.out, "\nPillar file read error! \n")) << no_pillars.out;
    EXPECT_TRUE(contains(no_pillars.err, "FourPillars.txt: 错误: 无法打开文件 (No such file"))
        << no_pillars.err;

    std::filesystem::create_directory(dir.file("RightingArm_Around_X_Axis.txt"));
    const ProcessResult arms = run_in(dir, RIGHTING_ARM_EXE, {"model.txt"});
    EXPECT_EQ(arms.exit_status, 1);
    EXPECT_TRUE(
        contains(arms.out, "\nThe file of righting arms around a certain axis written error!\n"))
        << arms.out;
    EXPECT_TRUE(contains(arms.err, "RightingArm_Around_X_Axis.txt: 错误: 无法写入文件 (Is a"))
        << arms.err;

    dir.write("ship.txt", kShip);
    std::filesystem::create_directory(dir.file("Hydro_Static.txt"));
    const ProcessResult table = run_in(dir, HYDROSTATIC_CURVES_EXE, {"ship.txt"});
    EXPECT_TRUE(contains(table.out, "\nHydro_Static Data write error! \n")) << table.out;
    EXPECT_TRUE(contains(table.err, "Hydro_Static.txt: 错误: 无法写入文件 (")) << table.err;
}

// Files that are no text: random bytes (with their NUL bytes, and without
// any, so that only the control bytes tell), the start of a PNG picture and
// of a gzip archive, and a program. Each is refused as no text file, not as
// UTF-16 or UTF-32, by the three model readers, the pillar reader and the
// reader of a table of offsets, with status 1 and no result file.
TEST(BadInputMessages, FilesThatAreNoTextAreCalledSo) {
    std::mt19937 bits(20240611u);
    std::string random_bytes, random_without_nul;
    while (random_without_nul.size() < 4096) {
        const char c = static_cast<char>(bits() & 0xFFu);
        if (random_bytes.size() < 4096) random_bytes += c;
        if (c != '\0') random_without_nul += c;
    }
    const std::string png =
        std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\0\0\0\x01\0\x08\x06", 26) +
        random_bytes.substr(0, 200);
    const std::string gzip = std::string("\x1F\x8B\x08\0\0\0\0\0\0\x03", 10) + random_bytes;
    const std::string program = read_file_bytes(RIGHTING_ARM_EXE).substr(0, 65536);
    ASSERT_GT(program.size(), 1000u);

    const struct {
        const char* name;
        std::string bytes;
    } files[] = {{"random", random_bytes},
                 {"random without NUL", random_without_nul},
                 {"PNG", png},
                 {"gzip", gzip},
                 {"program", program}};
    const std::string kNotText = "错误: 不是文本文件";
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        for (const char* reader :
             {HYDROSTATIC_CURVES_EXE, FLOATING_ATTITUDE_EXE, RIGHTING_ARM_EXE}) {
            SCOPED_TRACE(reader);
            ScratchDir dir;
            dir.write("bad.txt", f.bytes);
            const ProcessResult r = run_in(dir, reader, {"bad.txt"});
            ASSERT_FALSE(r.timed_out);
            EXPECT_EQ(r.exit_status, 1);
            EXPECT_TRUE(contains(r.err, "bad.txt:1: " + kNotText)) << r.err;
            EXPECT_FALSE(contains(r.err, "编码的文本")) << r.err;  // not "UTF-16 ..."
            expect_no_result_file(dir);
        }

        ScratchDir dir;
        dir.write("model.txt", kFormat2);
        dir.write("FourPillars.txt", f.bytes);
        const ProcessResult pillars = run_in(dir, FLOATING_ATTITUDE_EXE, {"model.txt"});
        EXPECT_EQ(pillars.exit_status, 1);
        EXPECT_TRUE(contains(pillars.err, "FourPillars.txt:1: " + kNotText)) << pillars.err;
        EXPECT_FALSE(contains(pillars.out, "号立柱吃水=")) << pillars.out;

        dir.write("hull.csv", f.bytes);
        const ProcessResult table =
            run_in(dir, HULL_FROM_OFFSETS_EXE, {"hull.csv", "--draft", "1", "--kg", "1"});
        EXPECT_EQ(table.exit_status, 1);
        EXPECT_EQ(table.err.rfind("hull.csv:1:1: " + kNotText, 0), 0u) << table.err;
        expect_no_result_file(dir, {"model.txt"});
    }
}

// --threads takes a whole number from 1 to 1024; anything else is refused
// with that range in plain numbers, the usage line and status 2, before any
// file is read.
TEST(BadInputMessages, ThreadCountOutOfRangeIsRefusedWithTheRange) {
    for (const char* program : {HYDROSTATIC_CURVES_EXE, RIGHTING_ARM_EXE}) {
        for (const char* count : {"0", "-1", "1025", "99999999999", "two"}) {
            SCOPED_TRACE(std::string(program) + " --threads " + count);
            ScratchDir dir;
            dir.write("ship.txt", kShip);
            dir.write("model.txt", kFormat2);
            const std::string model =
                std::string(program) == HYDROSTATIC_CURVES_EXE ? "ship.txt" : "model.txt";
            const ProcessResult r = run_in(dir, program, {"--threads", count, model});
            ASSERT_FALSE(r.timed_out);
            EXPECT_EQ(r.exit_status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_TRUE(contains(
                r.err,
                std::string(": --threads 须为 1 到 1024 之间的整数, 读到 ") + count + "\n用法: "))
                << r.err;
            expect_no_result_file(dir, {"ship.txt", "model.txt"});
        }
    }
}

// A table of offsets whose numbers the model readers would refuse (beyond
// 1e100 in magnitude), or a centre of gravity outside the table (KG above the
// top waterline or below the lowest, LCG before the first station or after
// the last): refused at the place in the table, with the option, its value
// and the range, status 1 and no model file.
TEST(BadInputMessages, OffsetsThatTheModelFilesCannotCarryAreRefused) {
    const std::string table = "x\\z,0,2,4\n0,1,1,1\n10,1,1,1\n";
    const struct {
        std::string table;
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {"x\\z,0,2,4\n0,1,1,1\n10,1,1e200,1\n",
         {"--kg", "1"},
         "hull.csv:3:6: 错误: 应为半宽 (m), 其绝对值不超过 1e100"},
        {"x\\z,0,2,4\n0,1,1,1\n1e101,1,1,1\n",
         {"--kg", "1"},
         "hull.csv:3:1: 错误: 应为站位 x (m), 其绝对值不超过 1e100"},
        {table,
         {"--kg", "4.5"},
         "hull.csv:1:9: 错误: 重心高度 --kg 4.5 m 应在最低水线 0 m 与最高水线 4 m 之间"},
        {table, {"--kg", "-1"}, "hull.csv:1:5: 错误: 重心高度 --kg -1 m 应在最低水线 0 m"},
        {table,
         {"--kg", "1", "--lcg", "-0.5"},
         "hull.csv:2:1: 错误: 重心纵向位置 --lcg -0.5 m 应在首站 x=0 m 与末站 x=10 m 之间"},
        {table, {"--kg", "1", "--lcg", "12"}, "hull.csv:3:1: 错误: 重心纵向位置 --lcg 12 m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ScratchDir dir;
        dir.write("hull.csv", c.table);
        std::vector<std::string> args = {"hull.csv", "--draft", "1"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ProcessResult r = run_in(dir, HULL_FROM_OFFSETS_EXE, args);
        ASSERT_FALSE(r.timed_out);
        EXPECT_EQ(r.exit_status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        expect_no_result_file(dir);
        EXPECT_FALSE(std::filesystem::exists(dir.file("FourPillars.txt")));
    }
}

}  // namespace
