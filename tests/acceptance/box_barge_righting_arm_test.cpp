// The righting arms of the example box barge against the exact heeled
// rectangle, at all 19 angles of both series: wall-sided up to 21.8 degrees,
// then with the bilge emerged, then with the deck edge under water too; and
// the same model with the box as one closed mesh.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "arm_file.h"
#include "box_mesh.h"
#include "heeled_rectangle.h"
#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "kernel/tetrahedron.h"
#include "model/io/format2_reader.h"
#include "model/stability/arm_sweep.h"
#include "printed_digits.h"
#include "report_value.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using acceptance::rectangle_righting_arm;

using voxel::kPi;
const std::string kModel = VOXEL_SOURCE_DIR "/examples/box_barge/model.txt";

// The barge as its model file gives it: breadth, depth, length (m), the upright
// draft d = V / (L B) and KG. The arms below rest on its being a box with G on
// the centre line at midship, so that no heel calls for trim; that is checked
// here from the file itself.
struct Barge {
    double B = 0.0, D = 0.0, L = 0.0, d = 0.0, zG = 0.0;
};

Barge read_barge(const std::string& model = kModel) {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    voxel::read_format2_model(body, model);
    const voxel::Box3 box = body.box();
    Barge b;
    b.B = box.maxy - box.miny;
    b.D = box.maxz - box.minz;
    b.L = box.maxx - box.minx;
    b.d = body.V / (b.L * b.B);
    b.zG = body.G.z - box.minz;
    const double tolerance = 1e-12 * b.L;
    EXPECT_NEAR(body.total_volume(), b.L * b.B * b.D, 1e-12 * b.L * b.B * b.D);
    EXPECT_NEAR(box.miny, -box.maxy, tolerance);
    EXPECT_NEAR(body.G.y, 0.0, tolerance);
    EXPECT_NEAR(body.G.x, 0.5 * (box.minx + box.maxx), tolerance);
    return b;
}

double heel(int degrees) {
    return degrees / 180.0 * kPi;
}

// The program finds each water plane to a relative volume error below 1e-10,
// which moves the waterline by about 1e-10 d and the centre of buoyancy by less
// still; 1e-9 B (2e-8 m) leaves a wide margin over that and over rounding.
double arm_tolerance(const Barge& b) {
    return 1e-9 * b.B;
}

void expect_exact_arms(const std::string& model) {
    SCOPED_TRACE(model);
    const Barge barge = read_barge(model);
    testing_support::ScratchDir dir;
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    const testing_support::ProcessResult r =
        testing_support::run_program(RIGHTING_ARM_EXE, {model}, options);
    ASSERT_FALSE(r.timed_out);
    ASSERT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.err, "");
    const acceptance::ArmFile file = acceptance::parse_arm_file(
        testing_support::read_file_bytes(dir.file("RightingArm_Around_X_Axis.txt")));
    ASSERT_TRUE(file.well_formed);
    for (int k = 0; k < 2; ++k) {
        const double sigma = k == 0 ? -1.0 : 1.0;
        const std::vector<acceptance::ArmLine>& series = k == 0 ? file.right : file.left;
        for (const acceptance::ArmLine& line : series) {
            const double exact = rectangle_righting_arm(barge.B, barge.D, barge.d, barge.zG,
                                                        heel(line.degrees), sigma);
            EXPECT_NEAR(line.arm, exact,
                        acceptance::printed_tolerance(exact, line.arm, arm_tolerance(barge)))
                << "sigma " << sigma << ", " << line.degrees << " degrees, printed " << line.text;
        }
    }
}

TEST(BoxBargeRightingArm, ProgramFileMatchesTheExactSectionAtEveryAngle) {
    expect_exact_arms(kModel);
}

TEST(BoxBargeRightingArm, BoxAsAMeshMatchesTheExactSectionToo) {
    testing_support::ScratchDir dir;
    expect_exact_arms(acceptance::box_barge_as_mesh(dir, kModel, 4, "model.txt"));
}

// The same arms before rounding, from the program's sweep itself.
TEST(BoxBargeRightingArm, UnroundedArmsMatchTheExactSection) {
    const Barge barge = read_barge();
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    voxel::read_format2_model(body, kModel);
    int count = 0;
    double worst = 0.0;
    voxel::ArmSink sink;
    sink.series_begins = [](double) {};
    sink.arm = [&](int degrees, double sigma, const voxel::ArmResult& arm) {
        const double exact =
            rectangle_righting_arm(barge.B, barge.D, barge.d, barge.zG, heel(degrees), sigma);
        EXPECT_NEAR(arm.GZ, exact, arm_tolerance(barge)) << sigma << " " << degrees;
        worst = std::fmax(worst, std::fabs(arm.GZ - exact));
        ++count;
    };
    voxel::sweep_righting_arms(body, body.V, body.G, voxel::kHeelAboutX, sink);
    EXPECT_EQ(count, 38);
    RecordProperty("largest_arm_error_m", acceptance::scientific(worst));
}

}  // namespace

namespace {

// One row of "Stability_Criteria.txt": key limit starboard result port result.
struct CriterionRow {
    double starboard = std::nan("");
    double port = std::nan("");
    std::string starboard_result, port_result;
};

CriterionRow criterion(const std::string& text, const std::string& key) {
    CriterionRow row;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.rfind(key + " ", 0) != 0) continue;
        char s[16] = {}, p[16] = {};
        double limit = 0.0;
        char name[64] = {};
        if (std::sscanf(line.c_str(), "%63s %lf %lf %15s %lf %15s", name, &limit, &row.starboard, s,
                        &row.port, p) == 6) {
            row.starboard_result = s;
            row.port_result = p;
        }
    }
    return row;
}

// The criteria of the barge against values derived here from the exact
// heeled rectangle: the areas by Simpson's rule over the exact arms at the
// same 5-degree points, GM0 = KB + BM - KG = d/2 + B^2/(12 d) - KG; and the
// spreadsheet file holds the very arms of the table, unrounded.
TEST(BoxBargeRightingArm, CriteriaAndSpreadsheetAgreeWithTheExactSection) {
    const Barge barge = read_barge();
    testing_support::ScratchDir dir;
    testing_support::ProcessOptions options;
    options.working_dir = dir.path();
    const testing_support::ProcessResult r =
        testing_support::run_program(RIGHTING_ARM_EXE, {kModel}, options);
    ASSERT_EQ(r.exit_status, 0);
    const std::string criteria =
        testing_support::read_file_bytes(dir.file("Stability_Criteria.txt"));

    auto exact_area = [&barge](int from, int to) {
        // Simpson's rule with h = 5 degrees in radians over the exact arms.
        const double h = heel(5);
        double sum = 0.0;
        for (int deg = from, i = 0; deg <= to; deg += 5, ++i) {
            const double w = (deg == from || deg == to) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
            sum += w * rectangle_righting_arm(barge.B, barge.D, barge.d, barge.zG, heel(deg), -1.0);
        }
        return sum * h / 3.0;
    };
    const struct {
        const char* key;
        double exact;
    } expected[] = {
        {"area_0_30_m_rad", exact_area(0, 30)},
        {"area_0_40_m_rad", exact_area(0, 40)},
        {"area_30_40_m_rad", exact_area(30, 40)},
        {"gm0_m", barge.d / 2 + barge.B * barge.B / (12 * barge.d) - barge.zG},
    };
    for (const auto& e : expected) {
        const CriterionRow row = criterion(criteria, e.key);
        EXPECT_NEAR(row.starboard, e.exact,
                    acceptance::printed_tolerance(e.exact, row.starboard, 1e-8))
            << e.key << "\n"
            << criteria;
        EXPECT_NEAR(row.port, e.exact, acceptance::printed_tolerance(e.exact, row.port, 1e-8))
            << e.key;
        EXPECT_EQ(row.starboard_result, "PASS") << e.key;
    }
    EXPECT_EQ(criterion(criteria, "angle_gz_max_deg").starboard, 35.0);

    // Every CSV value prints as the table's value: the same arm, unrounded.
    const acceptance::ArmFile table = acceptance::parse_arm_file(
        testing_support::read_file_bytes(dir.file("RightingArm_Around_X_Axis.txt")));
    const std::string csv =
        testing_support::read_file_bytes(dir.file("RightingArm_Around_X_Axis.csv"));
    ASSERT_TRUE(table.well_formed);
    std::size_t at = csv.find('\n') + 1;
    for (int i = 0; i < 19; ++i) {
        const std::size_t end = csv.find('\n', at);
        ASSERT_NE(end, std::string::npos);
        double deg = 0.0, starboard = 0.0, port = 0.0;
        ASSERT_EQ(
            std::sscanf(csv.substr(at, end - at).c_str(), "%lf,%lf,%lf", &deg, &starboard, &port),
            3);
        EXPECT_EQ(deg, 5.0 * i);
        EXPECT_EQ(voxel::format_number(starboard), table.right[static_cast<std::size_t>(i)].text);
        EXPECT_EQ(voxel::format_number(port), table.left[static_cast<std::size_t>(i)].text);
        at = end + 1;
    }
}

}  // namespace
