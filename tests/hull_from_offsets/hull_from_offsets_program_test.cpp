// The program as a child process: a command line it cannot use, and bad
// tables, after which no model file may be written.
#include <gtest/gtest.h>

#include <filesystem>
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

const char* const kFiles[3] = {"ship.txt", "model.txt", "FourPillars.txt"};
const std::string kTable = "x\\z,0,2,4\n0,1,1,1\n10,1,1,1\n";

ProcessResult run_in(const ScratchDir& dir, const std::vector<std::string>& args) {
    ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(HULL_FROM_OFFSETS_EXE, args, options);
}

// Every entry of the folder but the table itself and the given old entries.
std::vector<std::string> new_entries(const ScratchDir& dir, const std::string& old_folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = e.path().filename().string();
        if (name != "hull.csv" && name != "ship.txt" && name != old_folder) names.push_back(name);
    }
    return names;
}

TEST(HullFromOffsetsProgram, UnknownOptionIsRefusedWithUsageAndStatusTwo) {
    ScratchDir dir;
    dir.write("hull.csv", kTable);
    const ProcessResult r = run_in(dir, {"hull.csv", "--draft", "2", "--kg", "1", "--trim", "0"});
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--trim"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\n用法: hull_from_offsets OFFSETS.csv --draft T --kg KG"),
              std::string::npos)
        << r.err;
    for (const char* f : kFiles) EXPECT_FALSE(std::filesystem::exists(dir.file(f))) << f;
}

// A bad table, a good table with a draft above its top waterline, and a good
// table whose second file cannot replace a folder of its name: the message
// names the place, the status is 1, no file is written and an old ship.txt in
// the folder stays as it was.
TEST(HullFromOffsetsProgram, BadTableIsReportedAndNothingIsWritten) {
    struct Case {
        std::string table;
        std::vector<std::string> args;
        std::string message_start;
        std::string folder = "";  // made before the run
    };
    const std::vector<Case> cases = {
        {"# hull\nx\\z,0,2,4\n0,1,1,1\n10,1,-1,1\n",
         {"hull.csv", "--draft", "2", "--kg", "1"},
         "hull.csv:4:6: 错误: 半宽应 >= 0"},
        {kTable, {"hull.csv", "--draft", "4.5", "--kg", "1"}, "hull.csv:1:9: 错误: 吃水 T=4.5 m"},
        {kTable,
         {"hull.csv", "--draft", "2", "--kg", "1"},
         "./model.txt: 错误: 无法写入文件",
         "model.txt"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        dir.write("hull.csv", c.table);
        dir.write("ship.txt", "old\n");
        if (!c.folder.empty()) std::filesystem::create_directory(dir.file(c.folder));
        const ProcessResult r = run_in(dir, c.args);
        ASSERT_FALSE(r.timed_out);
        EXPECT_EQ(r.exit_status, 1) << c.message_start;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.message_start, 0), 0u) << r.err;
        EXPECT_EQ(r.err.back(), '\n');
        EXPECT_EQ(read_file_bytes(dir.file("ship.txt")), "old\n");
        const std::vector<std::string> added = new_entries(dir, c.folder);
        EXPECT_TRUE(added.empty()) << added.front();
    }
}

}  // namespace
