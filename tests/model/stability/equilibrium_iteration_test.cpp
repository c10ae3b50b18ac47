#include "model/stability/equilibrium_iteration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "floating_attitude/step_lines.h"
#include "kernel/angles.h"
#include "kernel/matrix4.h"
#include "kernel/platform/number_format.h"
#include "model/io/format2_reader.h"
#include "support/model_text.h"
#include "support/scratch_dir.h"

using testing_support::ScratchDir;
using voxel::Plane;
using voxel::Point3;
using voxel::VoxelGroup;

namespace {

const std::string kPrompt =
    "旋转角步长足够小但距离无法缩小(原因有可能是浮体重心过高)!继续迭代输入'y',否则输入'n'.";

void read_text(VoxelGroup& group, const std::string& text) {
    ScratchDir dir;
    const std::string path = dir.write("model.txt", text);
    voxel::read_format2_model(group, path);
}

// A dialogue that records the lines and answers from a script; past its end
// it answers EOF, as a closed standard input does.
struct ScriptedDialogue {
    std::vector<std::string> lines;
    std::vector<std::string> notes;
    std::string answers;
    std::size_t next = 0;
    int questions = 0;

    voxel::IterationDialogue dialogue() {
        return {[this](const std::string& l) { lines.push_back(l); },
                [this] {
                    ++questions;
                    return next < answers.size() ? answers[next++] : EOF;
                },
                [this](const std::string& n) { notes.push_back(n); }};
    }
};

double box_diagonal(const voxel::Box3& b) {
    const double dx = b.maxx - b.minx, dy = b.maxy - b.miny, dz = b.maxz - b.minz;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// A box 1 x 1 x 2 half immersed with G at height 1.8, 0.05 off the centre
// line: the metacentre lies 0.58 above the keel, far below G, so no turn in
// the iteration's sense brings the lines of action closer.
void read_top_heavy_box(VoxelGroup& g) {
    read_text(g, model_text::header(1, {0.55, 0.5, 1.8}) + model_text::box({0, 0, 0}, {1, 1, 2}));
}

}  // namespace

TEST(TiltAxis, TurnsTheNormalAwayFromTheSideOfG) {
    const Point3 B{0, 0, 0}, G{1, 0, 5}, N{0, 0, 1};
    const Point3 k = voxel::tilt_axis(B, G, N);
    EXPECT_NEAR(k.x, 0.0, 1e-15);
    EXPECT_NEAR(k.y, -1.0, 1e-15);
    EXPECT_NEAR(k.z, 0.0, 1e-15);
    Point3 turned = N;
    voxel::rotate_about_axis(turned, k, 0.01);
    EXPECT_LT(turned.x, 0.0);
}

TEST(TiltAxis, IsAUnitVectorNormalToBothFactors) {
    const Point3 B{0.3, -0.2, 1.1}, G{1.7, 0.4, 3.9}, N{0.1, -0.2, 2.0};
    const Point3 k = voxel::tilt_axis(B, G, N);
    EXPECT_NEAR(voxel::length(k), 1.0, 1e-15);
    EXPECT_NEAR(voxel::dot(k, N), 0.0, 1e-14);
    EXPECT_NEAR(voxel::dot(k, voxel::difference(B, G)), 0.0, 1e-14);
    // The lengths of the factors do not matter.
    const Point3 k2 =
        voxel::tilt_axis(B, {B.x + 2 * (G.x - B.x), B.y + 2 * (G.y - B.y), B.z + 2 * (G.z - B.z)},
                         {5 * N.x, 5 * N.y, 5 * N.z});
    EXPECT_NEAR(k2.x, k.x, 1e-15);
    EXPECT_NEAR(k2.y, k.y, 1e-15);
    EXPECT_NEAR(k2.z, k.z, 1e-15);
}

TEST(StepLine, FieldsHaveTheirWidthsAndAlignment) {
    EXPECT_EQ(
        voxel::step_line(0, "0", 0.05, {0, 0, 1}),
        "Step  0: det_an=0            , d=0.05         ,N=<0         ,0         ,1         >");
    EXPECT_EQ(
        voxel::step_line(12, "0.0174533", 1.5e-7, {-0.25, 0.125, 0.5}),
        "Step 12: det_an=0.0174533    , d=1.5e-007     ,N=<-0.25     ,0.125     ,0.5       >");
}

TEST(StepLine, WidthsAreMinimumWidths) {
    EXPECT_EQ(
        voxel::step_line(1234, "1.23457e-010", -1.23457e-100, {-0.00780495, -0.0156099, 1}),
        "Step1234: det_an=1.23457e-010 , d=-1.23457e-100,N=<-0.00780495,-0.0156099,1         >");
}

TEST(FloatingAttitudeIteration, SymmetricBodyNeedsNoStep) {
    // Box 36 x 48 x 80 (diagonal 100) floating at draft 20, G above the
    // centre of buoyancy.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_text(g, model_text::header(36 * 48 * 20, {18, 24, 50}) +
                     model_text::box({0, 0, 0}, {36, 48, 80}));
    ScriptedDialogue script;
    const voxel::IterationOutcome o =
        voxel::iterate_floating_attitude(g, g.V, g.G, script.dialogue());
    const Plane& plane = o.plane;
    const Point3& B = o.B;

    const double d = voxel::action_line_distance(B, g.G, {0, 0, 1}).d;
    const std::vector<std::string> expected = {
        "假定浮体固定,水面移动和旋转. 初始水面法向N=<0,0,1>竖直向上.",
        "姿态旋转角误差a_error=1e-010(弧度)",
        "相对距离误差error=1e-006, "
        "绝对距离误差d_error=0.0001(注：\"距离\"是指重力和浮力作用线的距离)",
        "det_an:转角步长; d:重心和浮心作用线距离; N:水面法向",
        voxel::step_line(0, "0", d, {0, 0, 1}),
    };
    EXPECT_EQ(script.lines, expected);
    EXPECT_EQ(script.questions, 0);
    EXPECT_TRUE(o.converged());
    EXPECT_FALSE(o.capsized());
    EXPECT_EQ(o.d, d);
    EXPECT_NEAR(o.d_error, 1e-4, 1e-18);
    EXPECT_EQ(plane.A, 0.0);
    EXPECT_EQ(plane.B, 0.0);
    EXPECT_EQ(plane.C, 1.0);
    EXPECT_NEAR(plane.D, -20.0, 20 * 1e-10);
    EXPECT_NEAR(B.x, 18.0, 1e-9);
    EXPECT_NEAR(B.y, 24.0, 1e-9);
    EXPECT_NEAR(B.z, 10.0, 1e-9);
}

TEST(FloatingAttitudeIteration, FourColumnBodyWithGOffCentreReachesEquilibrium) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const Point3 G{5.1, 5.2, 3.0};
    read_text(g, model_text::header(65, G) + model_text::four_column_solids());
    ScriptedDialogue script;
    const voxel::IterationOutcome o =
        voxel::iterate_floating_attitude(g, g.V, g.G, script.dialogue());
    const Plane& plane = o.plane;
    const Point3& B = o.B;

    EXPECT_EQ(script.questions, 0);
    EXPECT_TRUE(o.converged());
    EXPECT_LE(o.d, o.d_error);
    const std::vector<step_lines::Step> steps = step_lines::steps_of(script.lines);
    ASSERT_GE(steps.size(), 3u);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].count, static_cast<int>(i));
        EXPECT_LT(steps[i].d, steps[i - 1].d) << "step " << i;
        if (i > 1) {
            EXPECT_LE(std::strtod(steps[i].det_an.c_str(), nullptr),
                      std::strtod(steps[i - 1].det_an.c_str(), nullptr));
        }
    }
    // At rest: the plane submerges V and G lies on the line of buoyancy.
    const Point3 N{plane.A, plane.B, plane.C};
    EXPECT_NEAR(voxel::length(N), 1.0, 1e-15);
    const double d_error = 1e-6 * box_diagonal(g.box());
    EXPECT_LE(voxel::action_line_distance(B, G, N).d, d_error);
    EXPECT_NEAR(g.submerged_volume(plane), g.V, 1e-10 * g.V);
    // The body heels towards G: the water normal leans the other way.
    EXPECT_LT(plane.A, 0.0);
    EXPECT_LT(plane.B, 0.0);
    // The plane and B returned are the last step line's.
    EXPECT_EQ(steps.back().N[0], std::strtod(voxel::format_number(plane.A).c_str(), nullptr));
}

TEST(FloatingAttitudeIteration, BoxBargeHeelsToTheWallSidedAngle) {
    // A 4 x 2 x 1 barge at draft T = 0.5 with G 0.1 off its centre plane.
    // For a wall-sided body the water plane turns about the centre of the
    // waterline; B moves by BM tan(t) across and BM tan^2(t) / 2 up, so the
    // lines of action coincide when tan(t) (GM + BM tan^2(t) / 2) = e.
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    const double e = 0.1, KG = 0.3, T = 0.5;
    read_text(
        g, model_text::header(4 * 2 * T, {2 + e, 1, KG}) + model_text::box({0, 0, 0}, {4, 2, 1}));
    ScriptedDialogue script;
    const voxel::IterationOutcome o =
        voxel::iterate_floating_attitude(g, g.V, g.G, script.dialogue());
    const Plane& plane = o.plane;
    const Point3& B = o.B;

    const double BM = (2 * 4 * 4 * 4 / 12.0) / g.V, KB = T / 2, GM = KB + BM - KG;
    double t = e / GM;
    for (int i = 0; i < 20; ++i) t -= (t * (GM + BM * t * t / 2) - e) / (GM + 1.5 * BM * t * t);
    // d <= 1e-6 x diagonal leaves an angle error of about d / GM.
    constexpr double kAngleTolerance = 1e-5;
    EXPECT_NEAR(-plane.A / plane.C, t, kAngleTolerance);
    EXPECT_NEAR(plane.B, 0.0, 1e-12);
    // The plane still passes through the middle of the upright waterline.
    EXPECT_NEAR(plane.A * 2 + plane.C * T + plane.D, 0.0, 1e-9);
    EXPECT_NEAR(B.x - 2, BM * t, 1e-5);
    EXPECT_NEAR(B.z, KB + BM * t * t / 2, 1e-5);
}

TEST(FloatingAttitudeIteration, UpperCaseYEndsLikeN) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_top_heavy_box(g);
    ScriptedDialogue upper, lower;
    upper.answers = "Y";
    lower.answers = "n";
    const voxel::IterationOutcome u =
        voxel::iterate_floating_attitude(g, g.V, g.G, upper.dialogue());
    const voxel::IterationOutcome l =
        voxel::iterate_floating_attitude(g, g.V, g.G, lower.dialogue());
    const Plane &pu = u.plane, &pl = l.plane;
    const Point3 &Bu = u.B, &Bl = l.B;
    ASSERT_EQ(upper.lines.size(), 6u);
    EXPECT_EQ(upper.lines[5], kPrompt);
    EXPECT_EQ(upper.lines, lower.lines);
    EXPECT_EQ(upper.questions, 1);
    // Nothing was accepted: the upright plane is the result, 0.05 from G's
    // vertical, and no equilibrium.
    EXPECT_EQ(u.stop, voxel::IterationStop::Declined);
    EXPECT_FALSE(u.converged());
    EXPECT_NEAR(u.d, 0.05, 1e-12);
    EXPECT_NEAR(u.d_error, 1e-6 * std::sqrt(6.0), 1e-20);
    EXPECT_FALSE(u.capsized());
    EXPECT_EQ(pu.C, 1.0);
    EXPECT_EQ(pu.D, pl.D);
    EXPECT_EQ(Bu.z, Bl.z);
}

TEST(FloatingAttitudeIteration, YesForcesOneStepOfOneDegree) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_top_heavy_box(g);
    ScriptedDialogue script;
    script.answers = "y";  // then the end of input
    const voxel::IterationOutcome o =
        voxel::iterate_floating_attitude(g, g.V, g.G, script.dialogue());
    const Plane& plane = o.plane;
    ASSERT_EQ(script.lines.size(), 8u);
    EXPECT_EQ(script.lines[5], kPrompt);
    const step_lines::Step forced = step_lines::parse(script.lines[6]);
    EXPECT_EQ(forced.count, 1);
    EXPECT_EQ(forced.det_an, voxel::format_number(voxel::kPi / 180));
    EXPECT_EQ(forced.det_an, "0.0174533");
    // The forced step is taken although it widens the distance.
    EXPECT_GT(forced.d, step_lines::parse(script.lines[4]).d);
    EXPECT_EQ(script.lines[7], kPrompt);
    EXPECT_EQ(script.questions, 2);
    // The end of input at the second prompt keeps the forced step's plane,
    // tilted by one degree, and its distance.
    EXPECT_NEAR(plane.A, -std::sin(voxel::kPi / 180), 1e-12);
    EXPECT_EQ(o.stop, voxel::IterationStop::Declined);
    EXPECT_EQ(voxel::format_number(o.d), voxel::format_number(forced.d));
    EXPECT_NEAR(o.tilt_degrees(), 1.0, 1e-9);
}

TEST(FloatingAttitudeIteration, EndOfInputAtThePromptEndsTheIteration) {
    VoxelGroup g(voxel::CrossingTolerance::Strict);
    read_top_heavy_box(g);
    ScriptedDialogue script;  // no answers at all
    const voxel::IterationOutcome o =
        voxel::iterate_floating_attitude(g, g.V, g.G, script.dialogue());
    EXPECT_EQ(script.lines.size(), 6u);
    EXPECT_EQ(script.questions, 1);
    EXPECT_EQ(o.stop, voxel::IterationStop::Declined);
}
