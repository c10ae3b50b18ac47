// The symmetric semi-submersible (G on both centre planes) rights itself alike
// to either side: its two righting-arm series agree angle by angle, and while
// the waterline stays on the columns' walls they follow the wall-sided formula.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "arm_file.h"
#include "kernel/angles.h"
#include "kernel/tetrahedron.h"
#include "model/io/format2_reader.h"
#include "model/stability/arm_sweep.h"
#include "printed_digits.h"
#include "report_value.h"
#include "support/process.h"
#include "support/scratch_dir.h"
#include "wall_sided_platform.h"

namespace {

const std::string kModel = VOXEL_SOURCE_DIR "/examples/semisub_symmetric/model.txt";
using voxel::kPi;

// The platform is mirror-symmetric about y = 0 but for the columns' rims: the
// rim's angle step is 2 x 3.1415926 / 30, so its last point misses the first by
// 2 pi - 2 x 3.1415926, about 1.1e-7 rad. The two sides may differ by that
// fraction of the body's size, here taken as its breadth.
double asymmetry_tolerance(voxel::VoxelGroup& body) {
    const voxel::Box3 b = body.box();
    return 1e-7 * (b.maxy - b.miny);
}

// The arms of both series from the program's own sweep, unrounded.
struct Series {
    std::vector<double> right, left;
};

Series sweep(voxel::VoxelGroup& body) {
    Series s;
    voxel::ArmSink sink;
    sink.series_begins = [](double) {};
    sink.arm = [&s](int, double sigma, const voxel::ArmResult& arm) {
        (sigma < 0.0 ? s.right : s.left).push_back(arm.GZ);
    };
    voxel::sweep_righting_arms(body, body.V, body.G, voxel::kHeelAboutX, sink);
    return s;
}

TEST(SemisubSymmetricRightingArm, BothSidesAgreeAndFollowTheWallSidedFormula) {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    voxel::read_format2_model(body, kModel);
    ASSERT_EQ(body.G.x, 0.0);
    ASSERT_EQ(body.G.y, 0.0);
    const double tolerance = asymmetry_tolerance(body);
    const acceptance::WallSidedPlatform w = acceptance::wall_sided_platform(body.V, body.G);
    ASSERT_NEAR(body.total_volume(), w.total_volume, 1e-6 * w.total_volume);
    const Series s = sweep(body);
    ASSERT_EQ(s.right.size(), 19u);
    ASSERT_EQ(s.left.size(), 19u);
    // Upright the two lines of action coincide.
    EXPECT_NEAR(s.right[0], 0.0, tolerance);
    EXPECT_NEAR(s.left[0], 0.0, tolerance);
    double worst = 0.0;
    int wall_sided = 0;
    for (int j = 1; j < 19; ++j) {
        EXPECT_NEAR(s.right[j], s.left[j], tolerance) << 5 * j << " degrees";
        worst = std::fmax(worst, std::fabs(s.right[j] - s.left[j]));
        // Heeled about the X axis, the waterline sweeps across y.
        const double theta = 5 * j / 180.0 * kPi, t = std::tan(theta);
        if (t >= acceptance::largest_wall_sided_tan(w, 0.0, 1.0)) continue;
        const double exact = std::sin(theta) * (w.GM + 0.5 * w.BM * t * t);
        // The model's 30-gons close to about 1e-8 of their area.
        EXPECT_NEAR(s.right[j], exact, 1e-6 * std::fabs(exact)) << 5 * j << " degrees";
        ++wall_sided;
    }
    EXPECT_EQ(wall_sided, 3);  // 5, 10 and 15 degrees
    RecordProperty("largest_side_difference_m", acceptance::scientific(worst));
}

TEST(SemisubSymmetricRightingArm, ProgramFileShowsTheSameArmsToBothSides) {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    voxel::read_format2_model(body, kModel);
    const double tolerance = asymmetry_tolerance(body);
    testing_support::ScratchDir dir;
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    const testing_support::ProcessResult r =
        testing_support::run_program(RIGHTING_ARM_EXE, {kModel}, options);
    ASSERT_FALSE(r.timed_out);
    ASSERT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const acceptance::ArmFile file = acceptance::parse_arm_file(
        testing_support::read_file_bytes(dir.file("RightingArm_Around_X_Axis.txt")));
    ASSERT_TRUE(file.well_formed);
    EXPECT_NEAR(file.right[0].arm, 0.0, tolerance);
    EXPECT_NEAR(file.left[0].arm, 0.0, tolerance);
    for (int j = 1; j < 19; ++j) {
        const double a = file.right[j].arm, b = file.left[j].arm;
        // Each side rounds to its own sixth digit.
        EXPECT_NEAR(a, b,
                    acceptance::sixth_digit_half_unit(a, a) +
                        acceptance::sixth_digit_half_unit(b, b) + tolerance)
            << 5 * j << " degrees: " << file.right[j].text << " and " << file.left[j].text;
    }
}

}  // namespace
