// The console and file text of the righting-arm program.
#include "apps/righting_arm/arm_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/platform/console.h"
#include "support/bodies.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::read_file_bytes;
using testing_support::split_lines;

TEST(ArmReportLines, SeriesHeadersAreGbkReadyText) {
    EXPECT_EQ(voxel::series_header(-1.0), "右倾回复力臂系列:");
    EXPECT_EQ(voxel::series_header(1.0), "左倾回复力臂系列:");
}

TEST(ArmReportLines, ConsoleAndFileLinesOfOneAngle) {
    EXPECT_EQ(voxel::console_arm_line(35, 0.25), "An = 35 L= 0.25");
    EXPECT_EQ(voxel::file_arm_line(35, 0.25), "35 0.25");
    EXPECT_EQ(voxel::console_arm_line(90, -1.29256447), "An = 90 L= -1.29256");
    EXPECT_EQ(voxel::file_arm_line(0, 0.0), "0 0");
}

TEST(ArmReportLines, SmallArmsInExponentFormWithThreeDigits) {
    EXPECT_EQ(voxel::file_arm_line(0, 0.0001), "0 0.0001");
    EXPECT_EQ(voxel::file_arm_line(0, 0.00009), "0 9e-005");
    EXPECT_EQ(voxel::file_arm_line(0, -4.4408921e-17), "0 -4.44089e-017");
    EXPECT_EQ(voxel::console_arm_line(0, 4.4408921e-17), "An = 0 L= 4.44089e-017");
}

TEST(ArmReportLines, BoundNoteNamesAngleSeriesAndImbalance) {
    voxel::ArmResult r;
    r.trimmed = true;
    r.trim.stop = voxel::TrimStop::SmallStep;
    r.trim.step = 5.07958e-13;
    r.state.d = 0.0784445;
    const std::string note = voxel::trim_bound_note(35, -1.0, r);
    EXPECT_NE(note.find("横倾角 35 度"), std::string::npos);
    EXPECT_NE(note.find("右倾"), std::string::npos);
    EXPECT_NE(note.find("|g - b| = 0.0784445"), std::string::npos);
    r.trim.stop = voxel::TrimStop::TrialCount;
    r.trim.trials = 10000;
    EXPECT_NE(voxel::trim_bound_note(5, 1.0, r).find("左倾"), std::string::npos);
    EXPECT_NE(voxel::trim_bound_note(5, 1.0, r).find("已试转 10000 次"), std::string::npos);
}

class ReportRightingArms : public ::testing::Test {};

TEST_F(ReportRightingArms, ConsoleAndFileCarryTheSameFortyLines) {
    testing_support::ScratchDir dir;
    const std::string path = dir.file(voxel::kRightingArmFileName);
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);

    testing::internal::CaptureStdout();
    const int status = voxel::report_righting_arms(body, path, "model.txt");
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);

    const std::vector<std::string> console = split_lines(out);
    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string> file = split_lines(bytes);
    ASSERT_EQ(console.size(), 40u);
    ASSERT_EQ(file.size(), 40u);
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);

    EXPECT_EQ(console[0], voxel::to_console("右倾回复力臂系列:"));
    EXPECT_EQ(console[20], voxel::to_console("左倾回复力臂系列:"));
    EXPECT_EQ(file[0], voxel::utf8_to_gbk("右倾回复力臂系列:"));
    EXPECT_EQ(file[20], voxel::utf8_to_gbk("左倾回复力臂系列:"));
    for (int k = 0; k < 2; ++k) {
        for (int j = 0; j < 19; ++j) {
            const std::string& c = console[20 * k + 1 + j];
            const std::string& f = file[20 * k + 1 + j];
            const std::string angle = std::to_string(5 * j);
            ASSERT_EQ(c.rfind("An = " + angle + " L= ", 0), 0u) << c;
            ASSERT_EQ(f.rfind(angle + " ", 0), 0u) << f;
            EXPECT_EQ(c.substr(("An = " + angle + " L= ").size()), f.substr(angle.size() + 1));
        }
    }
}

TEST_F(ReportRightingArms, ReachedBoundIsNotedOnStandardError) {
    // A cube 4 x 4 x 3 at draft 1 with G high and forward: no trim trial
    // ever improves |g - b|, so the bound ends the balancing at every angle.
    testing_support::ScratchDir dir;
    const std::string path = dir.file(voxel::kRightingArmFileName);
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::set_hexahedra(body, {righting_arm_test::box_solid(-2, 2, -2, 2, 0, 3)});
    body.V = 16.0;
    body.G = {0.3, 0.0, 2.5};

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = voxel::report_righting_arms(body, path, "model.txt");
    const std::string err = testing::internal::GetCapturedStderr();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(split_lines(out).size(), 40u);
    EXPECT_EQ(split_lines(read_file_bytes(path)).size(), 40u);
    const std::vector<std::string> notes = split_lines(err);
    ASSERT_EQ(notes.size(), 38u);
    EXPECT_NE(notes[0].find("横倾角 0 度:"), std::string::npos);
    EXPECT_NE(notes[37].find("横倾角 90 度:"), std::string::npos);
    EXPECT_NE(notes[37].find("|g - b| = 0.3"), std::string::npos);
}

TEST_F(ReportRightingArms, ReplacesAnExistingFile) {
    testing_support::ScratchDir dir;
    const std::string path = dir.write(voxel::kRightingArmFileName, std::string(5000, 'x') + "\n");
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    righting_arm_test::make_box_barge(body);
    testing::internal::CaptureStdout();
    EXPECT_EQ(voxel::report_righting_arms(body, path, "model.txt"), 0);
    testing::internal::GetCapturedStdout();
    const std::string bytes = read_file_bytes(path);
    EXPECT_EQ(split_lines(bytes).size(), 40u);
    EXPECT_EQ(bytes.find('x'), std::string::npos);
}

}  // namespace
