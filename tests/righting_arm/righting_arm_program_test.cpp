// The righting_arm program run as a child process on model files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "kernel/angles.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "support/bodies.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;
using testing_support::split_lines;

const char* const kOutputName = "RightingArm_Around_X_Axis.txt";
const char* const kBanner = "Quellbrook Tavrel 设计 稳性力臂曲线2020.4.14";
const char* const kNote = "注:计算某横倾角的回复力臂时，进行了纵倾调整(浮心和重心的纵向坐标相等)";
const char* const kPause = "请按任意键继续. . .";
const char* const kUnwritable = "The file of righting arms around a certain axis written error!";

// Writes the body's model file into the folder and runs the program there
// with an empty standard input.
ProcessResult run_on(const ScratchDir& dir, const std::string& model_text) {
    const std::string model = dir.write("model.txt", model_text);
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    return run_program(RIGHTING_ARM_EXE, {model}, options);
}

std::string box_barge_model() {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    return righting_arm_test::format2_text(body);
}

// sin(5 deg) * (GM + BM / 2 * tan^2(5 deg)) of the box barge, as printed.
std::string wall_sided_arm_at_five_degrees() {
    const double theta = (5 / 180.0) * voxel::kPi;
    const double t = std::tan(theta);
    return voxel::format_number(std::sin(theta) * (31.0 / 30.0 + 0.5 * (4.0 / 3.0) * t * t));
}

// The 40 lines of an output file: two headers, 19 "angle arm" lines after each.
void expect_forty_line_file(const std::string& bytes) {
    const std::vector<std::string> lines = split_lines(bytes);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0], voxel::utf8_to_gbk("右倾回复力臂系列:"));
    EXPECT_EQ(lines[20], voxel::utf8_to_gbk("左倾回复力臂系列:"));
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 19; ++j)
            EXPECT_EQ(lines[20 * k + 1 + j].rfind(std::to_string(5 * j) + " ", 0), 0u)
                << lines[20 * k + 1 + j];
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
}

TEST(RightingArmProgram, BoxBargeRunShowsBannerNoteAndBothSeries) {
    ScratchDir dir;
    const ProcessResult r = run_on(dir, box_barge_model());
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_EQ(out.size(), 43u);
    EXPECT_EQ(out[0], kBanner);
    EXPECT_EQ(out[1], kNote);
    EXPECT_EQ(out[2], "右倾回复力臂系列:");
    EXPECT_EQ(out[22], "左倾回复力臂系列:");
    EXPECT_EQ(out[42], kPause);

    const std::string arm = wall_sided_arm_at_five_degrees();
    EXPECT_EQ(out[4], "An = 5 L= " + arm);
    EXPECT_EQ(out[24], "An = 5 L= " + arm);
    const std::string bytes = read_file_bytes(dir.file(kOutputName));
    expect_forty_line_file(bytes);
    const std::vector<std::string> file = split_lines(bytes);
    EXPECT_EQ(file[2], "5 " + arm);
    EXPECT_EQ(file[22], "5 " + arm);
}

TEST(RightingArmProgram, ConsoleIsGbkUnderANonUtf8Locale) {
    ScratchDir dir;
    const std::string model = dir.write("model.txt", box_barge_model());
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    options.env = {"LC_ALL=C"};
    const ProcessResult r = run_program(RIGHTING_ARM_EXE, {model}, options);
    EXPECT_EQ(r.exit_status, 0);
    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_EQ(out.size(), 43u);
    EXPECT_EQ(out[2], voxel::utf8_to_gbk("右倾回复力臂系列:"));
}

TEST(RightingArmProgram, FourColumnBodyWritesFortyLines) {
    ScratchDir dir;
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_four_column_body(body);
    const ProcessResult r = run_on(dir, righting_arm_test::format2_text(body));
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(split_lines(r.out).size(), 43u);
    const std::string bytes = read_file_bytes(dir.file(kOutputName));
    expect_forty_line_file(bytes);
    // Symmetric about y = 0: the series agree beyond 0 degrees.
    const std::vector<std::string> file = split_lines(bytes);
    for (int j = 1; j < 19; ++j) EXPECT_EQ(file[1 + j], file[21 + j]);
}

TEST(RightingArmProgram, SecondRunReplacesTheFile) {
    ScratchDir dir;
    dir.write(kOutputName, std::string(100, '#') + "\n" + std::string(100, '#') + "\n");
    const std::string model = box_barge_model();
    EXPECT_EQ(run_on(dir, model).exit_status, 0);
    const std::string first = read_file_bytes(dir.file(kOutputName));
    EXPECT_EQ(first.find('#'), std::string::npos);
    EXPECT_EQ(run_on(dir, model).exit_status, 0);
    const std::string second = read_file_bytes(dir.file(kOutputName));
    expect_forty_line_file(second);
    EXPECT_EQ(second, first);
}

TEST(RightingArmProgram, DirectoryInPlaceOfTheFileEndsWithStatusOne) {
    ScratchDir dir;
    ASSERT_EQ(mkdir(dir.file(kOutputName).c_str(), 0755), 0);
    const ProcessResult r = run_on(dir, box_barge_model());
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> out = split_lines(r.out);
    // Nothing computed: no series header, no arm, no final pause.
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], kBanner);
    EXPECT_EQ(out[1], kNote);
    EXPECT_EQ(out[2], kUnwritable);
}

TEST(RightingArmProgram, ReadOnlyFileEndsWithStatusOne) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
    ScratchDir dir;
    const std::string path = dir.write(kOutputName, "old\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const ProcessResult r = run_on(dir, box_barge_model());
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> out = split_lines(r.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[2], kUnwritable);
    EXPECT_EQ(read_file_bytes(path), "old\n");
}

TEST(RightingArmProgram, ReachedTrimBoundIsNotedAndTheRunEnds) {
    // A top-heavy cube whose trim no turn can balance.
    ScratchDir dir;
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::set_hexahedra(body, {righting_arm_test::box_solid(-2, 2, -2, 2, 0, 3)});
    body.V = 16.0;
    body.G = {0.3, 0.0, 2.5};
    const ProcessResult r = run_on(dir, righting_arm_test::format2_text(body));
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(split_lines(r.out).size(), 43u);
    expect_forty_line_file(read_file_bytes(dir.file(kOutputName)));
    const std::vector<std::string> err = split_lines(r.err);
    ASSERT_EQ(err.size(), 38u);
    EXPECT_NE(err[0].find("右倾"), std::string::npos);
    EXPECT_NE(err[0].find("横倾角 0 度:"), std::string::npos);
    EXPECT_NE(err[19].find("左倾"), std::string::npos);
    EXPECT_NE(err[19].find("|g - b| = 0.3"), std::string::npos);
}

TEST(RightingArmProgram, DisplacementBeyondTheBodyEndsBeforeTheFileIsOpened) {
    ScratchDir dir;
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    body.V = 500.0;  // the barge holds 120
    const ProcessResult r = run_on(dir, righting_arm_test::format2_text(body));
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.err.find("Volume of Displacement=500"), std::string::npos);
    EXPECT_EQ(split_lines(r.out).size(), 2u);
    struct stat st;
    EXPECT_NE(stat(dir.file(kOutputName).c_str(), &st), 0);
}

TEST(RightingArmProgram, MissingModelFileEndsWithStatusOne) {
    ScratchDir dir;
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    const ProcessResult r = run_program(RIGHTING_ARM_EXE, {dir.file("absent.txt")}, options);
    EXPECT_EQ(r.exit_status, 1);
    struct stat st;
    EXPECT_NE(stat(dir.file(kOutputName).c_str(), &st), 0);
}

}  // namespace
