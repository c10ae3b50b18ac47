// The cross_curves program run as a child process on the example ship files.
#include <gtest/gtest.h>

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

const std::string kBarge = VOXEL_SOURCE_DIR "/examples/box_barge/ship.txt";
const char* const kFiles[] = {"KN_Curves.csv", "KN_Curves.txt", "KN_Curves.svg"};

ProcessResult run_in(const ScratchDir& dir, const std::vector<std::string>& args) {
    ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(CROSS_CURVES_EXE, args, options);
}

// The pairs are shared among the threads in whatever order they finish: the
// files must not show it.
TEST(CrossCurvesProgram, FilesAreTheSameAtOneAndEightThreads) {
    ScratchDir one, eight;
    const std::vector<std::string> sheet = {kBarge, "--drafts", "1,2.5,4,7,9.5", "--out", "kn"};
    std::vector<std::string> args = sheet;
    args.insert(args.end(), {"--threads", "1"});
    const ProcessResult a = run_in(one, args);
    args = sheet;
    args.insert(args.end(), {"--threads", "8"});
    const ProcessResult b = run_in(eight, args);
    ASSERT_EQ(a.exit_status, 0) << a.err;
    ASSERT_EQ(b.exit_status, 0) << b.err;
    EXPECT_EQ(a.err, b.err);
    for (const char* name : kFiles) {
        const std::string bytes = read_file_bytes(one.path() + "/kn/" + name);
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, read_file_bytes(eight.path() + "/kn/" + name)) << name;
    }
}

// The barge's whole hull displaces 100 x 20 x 10 m^3 of water of 1.025 t/m^3,
// 20500 t: it floats at neither 0 t nor 30000 t, and the run says so of each
// and writes nothing.
TEST(CrossCurvesProgram, DisplacementTheHullCannotFloatAtIsAnErrorNamingIt) {
    ScratchDir dir;
    const ProcessResult r = run_in(dir, {kBarge, "--displacements", "30000,8200,0"});
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.err.find(kBarge + ": 错误: 排水量 0 t "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(kBarge + ": 错误: 排水量 30000 t "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("8200 t"), std::string::npos) << r.err;
    for (const char* name : kFiles) EXPECT_EQ(read_file_bytes(dir.file(name)), "") << name;
}

}  // namespace
