// The console frame of the three programs, run as processes: the banner,
// the choice of the model file (path argument or prompt), and that a run
// never blocks when standard input ends. Only the frame is checked here; what
// a program prints after the choice belongs to its own suites.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::run_program;
using testing_support::ScratchDir;

struct Program {
    const char* name;
    const char* exe;
    std::string banner_utf8;  // the banner line(s), each with its line end
    std::string banner_gbk;
};

const Program kPrograms[] = {
    {"hydrostatic_curves", HYDROSTATIC_CURVES_EXE,
     "体素组静水力曲线 Quellbrook Tavrel 设计 2020.7.10版本\n",
     "\xCC\xE5\xCB\xD8\xD7\xE9\xBE\xB2\xCB\xAE\xC1\xA6\xC7\xFA\xCF\xDF"
     " Quellbrook Tavrel "
     "\xC9\xE8\xBC\xC6"
     " 2020.7.10"
     "\xB0\xE6\xB1\xBE"
     "\n"},
    {"floating_attitude", FLOATING_ATTITUDE_EXE, "Quellbrook Tavrel 设计 2020.7.11版本\n",
     "Quellbrook Tavrel "
     "\xC9\xE8\xBC\xC6"
     " 2020.7.11"
     "\xB0\xE6\xB1\xBE"
     "\n"},
    {"righting_arm", RIGHTING_ARM_EXE,
     "Quellbrook Tavrel 设计 稳性力臂曲线2020.4.14\n"
     "注:计算某横倾角的回复力臂时，进行了纵倾调整(浮心和重心的纵向坐标相等)\n",
     "Quellbrook Tavrel "
     "\xC9\xE8\xBC\xC6 \xCE\xC8\xD0\xD4\xC1\xA6\xB1\xDB\xC7\xFA\xCF\xDF"
     "2020.4.14\n"
     "\xD7\xA2:"
     "\xBC\xC6\xCB\xE3\xC4\xB3\xBA\xE1\xC7\xE3\xBD\xC7\xB5\xC4\xBB\xD8\xB8\xB4\xC1\xA6\xB1\xDB"
     "\xCA\xB1\xA3\xAC\xBD\xF8\xD0\xD0\xC1\xCB\xD7\xDD\xC7\xE3\xB5\xF7\xD5\xFB("
     "\xB8\xA1\xD0\xC4\xBA\xCD\xD6\xD8\xD0\xC4\xB5\xC4\xD7\xDD\xCF\xF2\xD7\xF8\xB1\xEA\xCF\xE0"
     "\xB5\xC8)\n"},
};

const std::string kWarning = "Warning! 文件打开失败!";
const std::string kWarningGbk =
    "Warning! "
    "\xCE\xC4\xBC\xFE\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC!";
const std::string kDialogTitle = "Select a text file.";
// Shown once per question: the dialog's first filter.
const std::string kPromptMarker = "文本文件(*.txt)";

// A run that should end at once; a hang is killed and reported.
constexpr double kTimeLimitSeconds = 30.0;

bool starts_with(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class ConsoleFrame : public testing::TestWithParam<Program> {
  protected:
    ProcessResult run(const std::vector<std::string>& args, const std::string& input,
                      std::vector<std::string> env = {}) {
        ProcessOptions options;
        options.working_dir = dir_.path();
        options.stdin_text = input;
        options.env = std::move(env);
        options.time_limit_seconds = kTimeLimitSeconds;
        ProcessResult r = run_program(GetParam().exe, args, options);
        EXPECT_FALSE(r.timed_out) << GetParam().name << " blocked";
        EXPECT_TRUE(starts_with(r.out, GetParam().banner_utf8) ||
                    (!env_is_utf8_ && starts_with(r.out, GetParam().banner_gbk)))
            << "standard output does not begin with the banner:\n"
            << r.out;
        return r;
    }

    // A path of exactly `size` bytes inside the scratch folder, made to exist.
    std::string existing_path_of_size(std::size_t size) {
        const std::string prefix = dir_.path() + "/";
        EXPECT_LT(prefix.size() + 5, size);
        const std::string path = prefix + std::string(size - prefix.size() - 4, 'm') + ".txt";
        testing_support::write_file_bytes(path, "");
        return path;
    }

    ScratchDir dir_;
    bool env_is_utf8_ = true;
};

TEST_P(ConsoleFrame, BannerInUtf8) {
    const ProcessResult r = run({}, "");
    EXPECT_TRUE(starts_with(r.out, GetParam().banner_utf8));
}

TEST_P(ConsoleFrame, BannerAndWarningInGbkUnderTheCLocale) {
    env_is_utf8_ = false;
    const ProcessResult r = run({}, "", {"LC_ALL=C"});
    EXPECT_TRUE(starts_with(r.out, GetParam().banner_gbk)) << r.out;
    EXPECT_TRUE(contains(r.err, kWarningGbk)) << r.err;
}

TEST_P(ConsoleFrame, EncodingFollowsLcCtypeWhenLcAllIsEmpty) {
    EXPECT_TRUE(starts_with(run({}, "", {"LC_ALL=", "LC_CTYPE=C.UTF-8", "LANG=C"}).out,
                            GetParam().banner_utf8));
    env_is_utf8_ = false;
    EXPECT_TRUE(
        starts_with(run({}, "", {"LC_ALL=", "LC_CTYPE=", "LANG=C"}).out, GetParam().banner_gbk));
}

TEST_P(ConsoleFrame, EndOfInputAtThePromptIsACancel) {
    const ProcessResult r = run({}, "");
    EXPECT_TRUE(contains(r.err, kDialogTitle)) << r.err;
    EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << r.err;
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
    // The prompt and the warning stand in for windows: not on standard output.
    EXPECT_FALSE(contains(r.out, kDialogTitle));
    EXPECT_FALSE(contains(r.out, kWarning));
}

TEST_P(ConsoleFrame, EmptyAnswerIsACancel) {
    const ProcessResult r = run({}, "\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << r.err;
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, PathArgumentIsTakenWithoutAPrompt) {
    const std::string path = existing_path_of_size(60);
    ProcessResult r = run({path}, "");
    EXPECT_FALSE(contains(r.err, kDialogTitle)) << r.err;
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
    // Whether it exists is for the reader to find out, not the frame.
    r = run({dir_.file("missing.txt")}, "");
    EXPECT_FALSE(contains(r.err, kDialogTitle)) << r.err;
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, PathArgumentOf259BytesIsAccepted) {
    const ProcessResult r = run({existing_path_of_size(259)}, "");
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, PathArgumentOver259BytesIsRefused) {
    ProcessResult r = run({existing_path_of_size(260)}, "");
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
    r = run({std::string(400, 'a')}, "");
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, TypedPathOf259BytesIsAccepted) {
    const ProcessResult r = run({}, existing_path_of_size(259) + "\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << r.err;
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, TypedPathOver259BytesIsRefusedAndNotAskedAgain) {
    const ProcessResult r = run({}, existing_path_of_size(260) + "\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << r.err;
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, TypedNameWithoutExtensionGetsTxt) {
    testing_support::write_file_bytes(dir_.file("model.txt"), "");
    ASSERT_EQ(mkdir(dir_.file("v1.0").c_str(), 0755), 0);
    testing_support::write_file_bytes(dir_.file("v1.0/hull.txt"), "");
    // "model" and "v1.0/hull" exist only with ".txt" added; a dot in a
    // folder name is no extension.
    for (const char* answer : {"model\n", "v1.0/hull\n", "model\r\n"}) {
        const ProcessResult r = run({}, answer);
        EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << answer << r.err;
        EXPECT_FALSE(contains(r.err, kWarning)) << answer << r.err;
    }
}

TEST_P(ConsoleFrame, TypedNameWithAnExtensionIsKept) {
    testing_support::write_file_bytes(dir_.file("model.dat"), "");
    testing_support::write_file_bytes(dir_.file("other.dat.txt"), "");
    ProcessResult r = run({}, "model.dat\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 1) << r.err;
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
    // "other.dat" is not turned into "other.dat.txt": it does not exist.
    r = run({}, "other.dat\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 2) << r.err;
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
}

TEST_P(ConsoleFrame, NonExistentNameIsRefusedAndAskedAgain) {
    testing_support::write_file_bytes(dir_.file("model.txt"), "");
    ASSERT_EQ(mkdir(dir_.file("folder.txt").c_str(), 0755), 0);
    // Missing, then cancelled by the end of input.
    ProcessResult r = run({}, "missing\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 2) << r.err;
    EXPECT_TRUE(contains(r.err, kWarning)) << r.err;
    // Missing, a folder, then a file that exists.
    r = run({}, "missing.txt\nfolder.txt\nmodel.txt\n");
    EXPECT_EQ(count_of(r.err, kPromptMarker), 3) << r.err;
    EXPECT_FALSE(contains(r.err, kWarning)) << r.err;
}

// The command line, before the banner: --help and --version answer and end
// the run; anything the program does not know is refused with status 2.
class CommandLine : public testing::TestWithParam<Program> {
  protected:
    ProcessResult run(const std::vector<std::string>& args) {
        ProcessOptions options;
        options.working_dir = dir_.path();
        options.time_limit_seconds = kTimeLimitSeconds;
        ProcessResult r = run_program(GetParam().exe, args, options);
        EXPECT_FALSE(r.timed_out) << GetParam().name << " blocked";
        return r;
    }
    ScratchDir dir_;
};

TEST_P(CommandLine, HelpNamesTheProgramAndItsModelArgument) {
    const ProcessResult r = run({"--help"});
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_TRUE(contains(r.out, GetParam().name)) << r.out;
    EXPECT_TRUE(contains(r.out, "MODEL")) << r.out;
    EXPECT_FALSE(contains(r.out, GetParam().banner_utf8)) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_P(CommandLine, VersionIsOneLine) {
    const ProcessResult r = run({"--version"});
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_TRUE(starts_with(r.out, std::string(GetParam().name) + " ")) << r.out;
    EXPECT_EQ(count_of(r.out, "\n"), 1) << r.out;
}

TEST_P(CommandLine, UnknownOptionOrSecondModelIsRefused) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--no-such-option"}, {"model.txt", "other.txt"}, {"-x"}}) {
        const ProcessResult r = run(args);
        EXPECT_EQ(r.exit_status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_TRUE(contains(r.err, std::string("用法: ") + GetParam().name)) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, CommandLine, testing::ValuesIn(kPrograms),
                         [](const testing::TestParamInfo<Program>& i) {
                             return std::string(i.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Programs, ConsoleFrame, testing::ValuesIn(kPrograms),
                         [](const testing::TestParamInfo<Program>& i) {
                             return std::string(i.param.name);
                         });

}  // namespace
