// The floating attitude of the four-column semi-submersible with G off both
// centre planes: the program's final state is an equilibrium, its pillar
// drafts lie on its water plane, and both agree with the closed-form
// equilibrium of a wall-sided body.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kernel/angles.h"
#include "model/body/voxel_group.h"
#include "model/io/format2_reader.h"
#include "model/stability/equilibrium_iteration.h"
#include "printed_digits.h"
#include "report_value.h"
#include "support/process.h"
#include "support/scratch_dir.h"
#include "wall_sided_platform.h"

namespace {

using voxel::Point3;

const std::string kFolder = VOXEL_SOURCE_DIR "/examples/semisub";
const std::string kModel = kFolder + "/model.txt";
const std::string kPillars = kFolder + "/FourPillars.txt";
const char* const kStallPrompt = "继续迭代输入'y'";

double dot3(Point3 a, Point3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length3(Point3 a) {
    return std::sqrt(dot3(a, a));
}

// The number that follows `key` in `line`; NaN when the key is absent.
double number_after(const std::string& line, const std::string& key) {
    const std::size_t at = line.find(key);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(line.c_str() + at + key.size(), nullptr);
}

// The first line of `lines` that contains `key`, or "".
std::string line_with(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& l : lines)
        if (l.find(key) != std::string::npos) return l;
    return "";
}

// What the program printed, read back.
struct PrintedAttitude {
    double d_error = 0.0;
    double last_d = 0.0;  // d of the last step line
    double A = 0.0, B = 0.0, C = 0.0, D = 0.0;
    Point3 buoyancy;
    std::vector<double> drafts;  // pillars 1 to 4
    bool prompted = false;
};

PrintedAttitude read_printed(const std::string& out) {
    const std::vector<std::string> lines = testing_support::split_lines(out);
    PrintedAttitude p;
    p.d_error = number_after(line_with(lines, "d_error="), "d_error=");
    for (const std::string& l : lines)
        if (l.rfind("Step", 0) == 0) p.last_d = number_after(l, ", d=");
    const std::string plane = line_with(lines, "水平面方程四个系数:");
    p.A = number_after(plane, "A= ");
    p.B = number_after(plane, " , B=");
    p.C = number_after(plane, " , C=");
    p.D = number_after(plane, " , D=");
    const std::string b = line_with(lines, "浮心坐标( ");
    const std::size_t open = b.find("( ");
    if (open != std::string::npos)
        std::sscanf(b.c_str() + open, "( %lf , %lf , %lf", &p.buoyancy.x, &p.buoyancy.y,
                    &p.buoyancy.z);
    for (int i = 1; i <= 4; ++i) {
        const std::string key = std::to_string(i) + "号立柱吃水=";
        p.drafts.push_back(number_after(line_with(lines, key), key));
    }
    p.prompted = out.find(kStallPrompt) != std::string::npos;
    return p;
}

// The pillar axes of FourPillars.txt: records "#n:" then two lines x,y,z.
struct Axis {
    Point3 p0, p1;
};

std::vector<Axis> read_axes() {
    std::vector<Axis> axes;
    std::FILE* f = std::fopen(kPillars.c_str(), "r");
    if (!f) return axes;
    for (int i = 0; i < 4; ++i) {
        Axis a;
        int n = 0;
        if (std::fscanf(f, " #%d: %lf,%lf,%lf %lf,%lf,%lf", &n, &a.p0.x, &a.p0.y, &a.p0.z, &a.p1.x,
                        &a.p1.y, &a.p1.z) == 7)
            axes.push_back(a);
    }
    std::fclose(f);
    return axes;
}

// One run of the program in a scratch folder with the pillar file beside it;
// a stall prompt would be answered 'n'.
class SemisubAttitude : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testing_support::ScratchDir dir;
        dir.write("FourPillars.txt", testing_support::read_file_bytes(kPillars));
        testing_support::ProcessOptions options;
        options.working_dir = dir.path();
        options.stdin_text = "n\n";
        result_ = new testing_support::ProcessResult(
            testing_support::run_program(FLOATING_ATTITUDE_EXE, {kModel}, options));
    }
    static void TearDownTestSuite() {
        delete result_;
        result_ = nullptr;
    }
    static testing_support::ProcessResult* result_;
};

testing_support::ProcessResult* SemisubAttitude::result_ = nullptr;

// d_error = 1e-6 x the diagonal of the body's box.
double distance_tolerance(voxel::VoxelGroup& body) {
    const voxel::Box3 b = body.box();
    const Point3 diagonal = {b.maxx - b.minx, b.maxy - b.miny, b.maxz - b.minz};
    return 1e-6 * length3(diagonal);
}

// The iteration itself, with a scripted dialogue that would answer 'n'.
struct CoreAttitude {
    voxel::Plane plane;
    Point3 B;
    bool prompted = false;
};

CoreAttitude iterate(voxel::VoxelGroup& body) {
    CoreAttitude a;
    voxel::IterationDialogue dialogue;
    dialogue.write_line = [&a](const std::string& line) {
        if (line.find(kStallPrompt) != std::string::npos) a.prompted = true;
    };
    dialogue.read_answer = [] { return int('n'); };
    const voxel::IterationOutcome outcome =
        voxel::iterate_floating_attitude(body, body.V, body.G, dialogue);
    a.plane = outcome.plane;
    a.B = outcome.B;
    return a;
}

// At rest the plane submerges V and the line of buoyancy (through the centre
// of buoyancy along the normal) passes through G: checked on the unrounded
// final plane, with the body's own volume sums.
TEST_F(SemisubAttitude, FinalPlaneIsAnEquilibrium) {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Strict);
    voxel::read_format2_model(body, kModel);
    const double d_error = distance_tolerance(body);
    const CoreAttitude a = iterate(body);
    EXPECT_FALSE(a.prompted);
    const Point3 N = {a.plane.A, a.plane.B, a.plane.C};
    EXPECT_NEAR(length3(N), 1.0, 1e-12);
    const voxel::SubmergedPart submerged = body.submerged_volume_and_centre(a.plane);
    const double volume = submerged.volume;
    const Point3 B = submerged.centroid;
    EXPECT_NEAR(volume, body.V, 1e-9 * body.V);
    // |(G - B) x N| for the unit normal N.
    const Point3 GB = {body.G.x - B.x, body.G.y - B.y, body.G.z - B.z};
    const Point3 cross = {GB.y * N.z - GB.z * N.y, GB.z * N.x - GB.x * N.z,
                          GB.x * N.y - GB.y * N.x};
    EXPECT_LE(length3(cross), d_error);
    RecordProperty("volume_relative_error", acceptance::scientific((volume - body.V) / body.V));
    RecordProperty("line_distance", acceptance::scientific(length3(cross)));
    RecordProperty("d_error", acceptance::scientific(d_error));
}

// The program run end to end: it converges without a prompt, prints the
// d_error of the body, and a plane and centre of buoyancy that are the
// iteration's own to the printed digits.
TEST_F(SemisubAttitude, ProgramPrintsTheEquilibrium) {
    ASSERT_FALSE(result_->timed_out);
    ASSERT_EQ(result_->exit_status, 0);
    EXPECT_EQ(result_->err, "");
    const PrintedAttitude p = read_printed(result_->out);
    EXPECT_FALSE(p.prompted);

    voxel::VoxelGroup body(voxel::CrossingTolerance::Strict);
    voxel::read_format2_model(body, kModel);
    const double d_error = distance_tolerance(body);
    EXPECT_NEAR(p.d_error, d_error, acceptance::sixth_digit_half_unit(d_error, p.d_error));
    EXPECT_LE(p.last_d, p.d_error);

    const CoreAttitude a = iterate(body);
    const double printed[7] = {p.A, p.B, p.C, p.D, p.buoyancy.x, p.buoyancy.y, p.buoyancy.z};
    const double exact[7] = {a.plane.A, a.plane.B, a.plane.C, a.plane.D, a.B.x, a.B.y, a.B.z};
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR(printed[i], exact[i], acceptance::sixth_digit_half_unit(exact[i], printed[i]))
            << i;
}

// Each printed draft is the z where the pillar's axis meets the printed plane.
// On the axis P0 + u (P1 - P0): N.P + D = 0 gives u = -(N.P0 + D) / N.(P1 - P0).
// The printed coefficients carry half a unit in their sixth digit each; on a
// vertical axis at (x, y), z = -(A x + B y + D) / C moves by
// (|x| dA + |y| dB + |z| dC + dD) / |C|, and the printed draft by its own rounding.
TEST_F(SemisubAttitude, DraftsLieOnThePrintedPlane) {
    ASSERT_EQ(result_->exit_status, 0);
    const PrintedAttitude p = read_printed(result_->out);
    const std::vector<Axis> axes = read_axes();
    ASSERT_EQ(axes.size(), 4u);
    ASSERT_EQ(p.drafts.size(), 4u);
    const Point3 N = {p.A, p.B, p.C};
    const double hA = acceptance::sixth_digit_half_unit(p.A, p.A);
    const double hB = acceptance::sixth_digit_half_unit(p.B, p.B);
    const double hC = acceptance::sixth_digit_half_unit(p.C, p.C);
    const double hD = acceptance::sixth_digit_half_unit(p.D, p.D);
    for (int i = 0; i < 4; ++i) {
        const Axis& a = axes[i];
        ASSERT_EQ(a.p0.x, a.p1.x);
        ASSERT_EQ(a.p0.y, a.p1.y);
        const Point3 dir = {a.p1.x - a.p0.x, a.p1.y - a.p0.y, a.p1.z - a.p0.z};
        const double u = -(dot3(N, a.p0) + p.D) / dot3(N, dir);
        const double z = a.p0.z + u * dir.z;
        const double tolerance =
            (std::fabs(a.p0.x) * hA + std::fabs(a.p0.y) * hB + std::fabs(z) * hC + hD) /
                std::fabs(p.C) +
            acceptance::sixth_digit_half_unit(z, p.drafts[i]);
        EXPECT_NEAR(p.drafts[i], z, tolerance) << "pillar " << i + 1;
    }
}

// The attitude at rest of the wall-sided platform (wall_sided_platform.h).
TEST_F(SemisubAttitude, AgreesWithTheWallSidedEquilibrium) {
    ASSERT_EQ(result_->exit_status, 0);
    const PrintedAttitude p = read_printed(result_->out);
    voxel::VoxelGroup body(voxel::CrossingTolerance::Strict);
    voxel::read_format2_model(body, kModel);
    const acceptance::WallSidedPlatform w = acceptance::wall_sided_platform(body.V, body.G);
    // The model is that platform, and at rest its waterline is on the walls.
    ASSERT_NEAR(body.total_volume(), w.total_volume, 1e-6 * w.total_volume);
    ASSERT_GT(w.tan_heel, 0.0);
    ASSERT_LT(w.tan_heel, acceptance::largest_wall_sided_tan(w, w.ex, w.ey));

    // The program stops once the lines of action are within d_error; turning
    // the plane by an angle moves them apart by about GM times that angle, so
    // its attitude is that of rest to within d_error / GM radians (twice that
    // allowed), and a draft at distance |p| from the centre to within |p| times that.
    const double angle = 2.0 * p.d_error / w.GM;
    const double c = 1.0 / std::sqrt(1.0 + w.tan_heel * w.tan_heel), s = w.tan_heel * c;
    const double N[3] = {-s * w.ex, -s * w.ey, c};
    const double printed_N[3] = {p.A, p.B, p.C};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(printed_N[i], N[i],
                    angle + acceptance::sixth_digit_half_unit(N[i], printed_N[i]))
            << i;
    // The heeled waterplane passes through the centre of the upright one, (0, 0, d0).
    EXPECT_NEAR(p.D, -c * w.draft, w.draft * angle + acceptance::sixth_digit_half_unit(p.D, p.D));

    const std::vector<Axis> axes = read_axes();
    ASSERT_EQ(axes.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        // On a column axis at p the waterline stands tan(phi) (e.p) above d0.
        const double along = w.ex * axes[i].p0.x + w.ey * axes[i].p0.y;
        const double z = w.draft + w.tan_heel * along;
        const double arm = std::hypot(axes[i].p0.x, axes[i].p0.y);
        EXPECT_NEAR(p.drafts[i], z, arm * angle + acceptance::sixth_digit_half_unit(z, p.drafts[i]))
            << "pillar " << i + 1;
    }
    RecordProperty("heel_degrees",
                   acceptance::scientific(std::atan(w.tan_heel) * 180.0 / voxel::kPi));
    RecordProperty("GM", acceptance::scientific(w.GM));
}

}  // namespace
