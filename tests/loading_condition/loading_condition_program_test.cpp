// The loading_condition program run as a child process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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
using testing_support::split_lines;
using testing_support::write_file_bytes;

const std::string kBargeCondition = VOXEL_SOURCE_DIR "/examples/loading/box_barge/condition.toml";
// The example's two damage cases have a residual curve file each.
const char* const kSuffixes[] = {".json", ".txt", "_gz.csv", "_gz.svg", "_damage_1_gz.csv",
                                 "_damage_2_gz.csv"};

ProcessResult run_in(const ScratchDir& dir, const std::string& program,
                     const std::vector<std::string>& args) {
    ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(program, args, options);
}

// The GZ points are shared among the threads: the files must not show it.
TEST(LoadingConditionProgram, FilesAreTheSameAtOneAndEightThreads) {
    ScratchDir one, eight;
    const ProcessResult a = run_in(one, LOADING_CONDITION_EXE, {kBargeCondition, "--threads", "1"});
    const ProcessResult b = run_in(eight, LOADING_CONDITION_EXE, {kBargeCondition, "--threads", "8"});
    ASSERT_EQ(a.exit_status, 0) << a.err;
    ASSERT_EQ(b.exit_status, 0) << b.err;
    for (const char* suffix : kSuffixes) {
        const std::string bytes = read_file_bytes(one.file(std::string("condition") + suffix));
        EXPECT_FALSE(bytes.empty()) << suffix;
        EXPECT_EQ(bytes, read_file_bytes(eight.file(std::string("condition") + suffix))) << suffix;
    }
    // The barge lists to port: its part-filled starboard wing tank leaves G on
    // the port side, and the port arm is zero at the list.
    const nlohmann::json j = nlohmann::json::parse(read_file_bytes(one.file("condition.json")));
    EXPECT_LT(j["equilibrium"]["heel_deg"].get<double>(), -1.0);
    EXPECT_GT(j["weights"]["centre_of_gravity_m"][1].get<double>(), 0.0);
    EXPECT_EQ(j["list"]["side"], "port");
}

// Without tanks a condition is a body of fixed G: its GZ points are
// righting_arm's for the same volume and G. The work pontoon lists and trims.
TEST(LoadingConditionProgram, WithoutTanksTheArmsAreThoseOfRightingArm) {
    ScratchDir dir;
    const std::string model = VOXEL_SOURCE_DIR "/examples/mixed/model.txt";
    const ProcessResult arm = run_in(dir, RIGHTING_ARM_EXE, {model});
    ASSERT_EQ(arm.exit_status, 0) << arm.err;
    // Volume of Displacement=, Gra_Pt.x=, .y=, .z= on the first four lines.
    const std::vector<std::string> lines = split_lines(read_file_bytes(model));
    auto value = [&](std::size_t i) { return lines[i].substr(lines[i].find('=') + 1); };
    write_file_bytes(dir.file("pontoon.toml"),
                     "[hull]\nmodel = \"" + model + "\"\nlpp = 23.0\nbreadth = 8.0\n"
                     "water_density = 1.0\n[lightship]\nmass = " + value(0) + "\ncentre = [" +
                         value(1) + ", " + value(2) + ", " + value(3) + "]\n[gz]\nheel_step = 5\n");
    const ProcessResult run = run_in(dir, LOADING_CONDITION_EXE, {"pontoon.toml"});
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::vector<std::string> ours = split_lines(read_file_bytes(dir.file("pontoon_gz.csv")));
    const std::vector<std::string> theirs =
        split_lines(read_file_bytes(dir.file("RightingArm_Around_X_Axis.csv")));
    ASSERT_EQ(ours.size(), theirs.size());
    for (std::size_t i = 1; i < ours.size(); ++i) EXPECT_EQ(ours[i], theirs[i]) << i;
}

// A condition that cannot be used writes nothing and ends with status 1,
// naming the line of the key.
TEST(LoadingConditionProgram, LiquidBeyondTheCapacityWritesNothing) {
    ScratchDir dir;
    std::string text = read_file_bytes(kBargeCondition);
    const std::string fill = "fill = 0.3";
    ASSERT_NE(text.find(fill), std::string::npos);
    text.replace(text.find(fill), fill.size(), "volume = 600.0");
    text.replace(text.find("../../"), 6, VOXEL_SOURCE_DIR "/examples/");
    std::string tanks = VOXEL_SOURCE_DIR "/examples/loading/box_barge/tanks/";
    for (std::size_t at = text.find("\"tanks/"); at != std::string::npos;
         at = text.find("\"tanks/", at + tanks.size()))
        text.replace(at + 1, 6, tanks);
    write_file_bytes(dir.file("bad.toml"), text);
    const ProcessResult r = run_in(dir, LOADING_CONDITION_EXE, {"bad.toml"});
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.err.find("bad.toml:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("tank[3].volume"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    for (const char* suffix : kSuffixes)
        EXPECT_EQ(read_file_bytes(dir.file(std::string("bad") + suffix)), "") << suffix;
}

}  // namespace
