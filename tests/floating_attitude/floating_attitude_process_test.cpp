// The floating_attitude program as a whole: model file as its argument,
// answers on standard input, the pillar file in its working folder; and the
// lines the report adds on standard error for an outcome that is no upright
// equilibrium.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "apps/floating_attitude/floating_attitude_report.h"
#include "floating_attitude/step_lines.h"
#include "kernel/angles.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/stability/equilibrium_iteration.h"
#include "support/model_text.h"
#include "support/process.h"
#include "support/scratch_dir.h"

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::ScratchDir;
using testing_support::split_lines;

namespace {

const std::string kBanner = "Quellbrook Tavrel 设计 2020.7.11版本";
const std::string kPrompt =
    "旋转角步长足够小但距离无法缩小(原因有可能是浮体重心过高)!继续迭代输入'y',否则输入'n'.";
const std::string kPause = "请按任意键继续. . .";
const std::string kPillars =
    "#1:\n1,1,0\n1,1,6\n#2:\n9,1,0\n9,1,6\n#3:\n1,9,0\n1,9,6\n#4:\n9,9,0\n9,9,6\n";

// Runs the program on `model` in a fresh folder holding `pillars` (none when
// empty), with `answers` on standard input.
ProcessResult run(const std::string& model, const std::string& pillars,
                  const std::string& answers = "") {
    ScratchDir dir;
    dir.write("model.txt", model);
    if (!pillars.empty()) dir.write("FourPillars.txt", pillars);
    ProcessOptions options;
    options.working_dir = dir.path();
    options.stdin_text = answers;
    return testing_support::run_program(FLOATING_ATTITUDE_EXE, {"model.txt"}, options);
}

std::string top_heavy_box() {
    return model_text::header(1, {0.55, 0.5, 1.8}) + model_text::box({0, 0, 0}, {1, 1, 2});
}

// The lines with the time line's seconds replaced by "T".
std::vector<std::string> without_time(const std::string& out) {
    std::vector<std::string> lines = split_lines(out);
    const std::string head = "迭代结束,计算时间=", tail = " seconds";
    for (std::string& l : lines) {
        if (l.size() < head.size() + tail.size() + 4 || l.rfind(head, 0) != 0 ||
            l.compare(l.size() - tail.size(), tail.size(), tail) != 0)
            continue;
        // The seconds: digits, a point and exactly two decimals.
        const std::string secs = l.substr(head.size(), l.size() - head.size() - tail.size());
        const std::size_t dot = secs.find('.');
        bool digits = dot != std::string::npos && dot > 0 && secs.size() - dot == 3;
        for (std::size_t i = 0; digits && i < secs.size(); ++i)
            if (i != dot && !std::isdigit(static_cast<unsigned char>(secs[i]))) digits = false;
        if (digits) l = "TIME";
    }
    return lines;
}

// The four coefficients of the printed water plane.
std::vector<double> printed_plane(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) {
        if (l.rfind("水平面方程四个系数:A= ", 0) != 0) continue;
        std::vector<double> c;
        for (const char* key : {"A= ", "B=", "C=", "D="})
            c.push_back(std::strtod(l.c_str() + l.find(key) + std::string(key).size(), nullptr));
        return c;
    }
    return {};
}

}  // namespace

TEST(FloatingAttitudeProgram, SymmetricBoxAtRestWritesEveryLineInOrder) {
    // A 36 x 48 x 80 box (diagonal 100) at draft 20 with G over the centre
    // of buoyancy, pillar axes at its corners.
    const std::string model =
        model_text::header(36 * 48 * 20, {18, 24, 50}) + model_text::box({0, 0, 0}, {36, 48, 80});
    const std::string corners =
        "#1:\n0,0,0\n0,0,80\n#2:\n36,0,0\n36,0,80\n#3:\n36,48,80\n36,48,0\n#4:\n0,48,0\n0,48,80\n";
    const ProcessResult r = run(model, corners);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = without_time(r.out);
    ASSERT_EQ(lines.size(), 17u) << r.out;
    const std::vector<std::string> head = {
        kBanner,
        "排水体积=34560",
        "重心坐标( 18 , 24 , 50 )",
        "开始迭代计算浮态:",
        "假定浮体固定,水面移动和旋转. 初始水面法向N=<0,0,1>竖直向上.",
        "姿态旋转角误差a_error=1e-010(弧度)",
        "相对距离误差error=1e-006, "
        "绝对距离误差d_error=0.0001(注：\"距离\"是指重力和浮力作用线的距离)",
        "det_an:转角步长; d:重心和浮心作用线距离; N:水面法向",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), head);
    const step_lines::Step s = step_lines::parse(lines[8]);
    EXPECT_EQ(s.count, 0);
    EXPECT_EQ(s.det_an, "0");
    EXPECT_EQ(lines[8].substr(0, 30), "Step  0: det_an=0            ,");
    EXPECT_LT(s.d, 1e-9);
    EXPECT_EQ(lines[8].substr(lines[8].find(",N=<")), ",N=<0         ,0         ,1         >");
    const std::vector<std::string> tail = {
        "TIME",
        "水平面方程四个系数:A= 0 , B=0 , C=1 , D=-20",
        "浮体坐标系下, 浮心坐标( 18 , 24 , 10 ).",
        "1号立柱吃水=20",
        "2号立柱吃水=20",
        "3号立柱吃水=20",
        "4号立柱吃水=20",
        kPause,
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 9, lines.end()), tail);
}

TEST(FloatingAttitudeProgram, FourColumnBodyConvergesAndReportsItsDrafts) {
    const ProcessResult r =
        run(model_text::header(65, {5.1, 5.2, 3.0}) + model_text::four_column_solids(), kPillars);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const std::vector<std::string> lines = split_lines(r.out);
    const std::vector<step_lines::Step> steps = step_lines::steps_of(lines);
    ASSERT_GE(steps.size(), 3u);
    for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_LT(steps[i].d, steps[i - 1].d);
    // d_error is 1e-6 times the diagonal of the 10 x 10 x 6 box.
    EXPECT_LE(steps.back().d, 1e-6 * std::sqrt(236.0));
    EXPECT_EQ(r.out.find(kPrompt), std::string::npos);

    // Each draft is the z where the printed plane meets the vertical axis.
    const std::vector<double> p = printed_plane(lines);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1.0, 1e-5);
    const double xy[4][2] = {{1, 1}, {9, 1}, {1, 9}, {9, 9}};
    const std::size_t first = lines.size() - 5;
    for (int i = 0; i < 4; ++i) {
        const std::string& l = lines[first + i];
        const std::string key = std::to_string(i + 1) + "号立柱吃水=";
        ASSERT_EQ(l.rfind(key, 0), 0u) << l;
        const double z = -(p[0] * xy[i][0] + p[1] * xy[i][1] + p[3]) / p[2];
        EXPECT_NEAR(std::strtod(l.c_str() + key.size(), nullptr), z, 1e-4);
    }
    EXPECT_EQ(lines.back(), kPause);
}

TEST(FloatingAttitudeProgram, GOffCentreTiltsWithDecreasingDistance) {
    // A 4 x 2 x 1 barge half immersed, G 0.1 off the centre plane and low.
    const std::string model =
        model_text::header(4, {2.1, 1.0, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1});
    const ProcessResult r = run(model, kPillars);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const std::vector<step_lines::Step> steps = step_lines::steps_of(split_lines(r.out));
    ASSERT_GE(steps.size(), 2u);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_LT(steps[i].d, steps[i - 1].d);
        EXPECT_LT(steps[i].N[0], 0.0);  // leaning away from G's side
    }
}

TEST(FloatingAttitudeProgram, UpperCaseYEndsLikeN) {
    const ProcessResult upper = run(top_heavy_box(), kPillars, "Y\n");
    const ProcessResult lower = run(top_heavy_box(), kPillars, "n\n");
    ASSERT_EQ(upper.exit_status, 1);
    ASSERT_EQ(lower.exit_status, 1);
    EXPECT_EQ(upper.err, lower.err);
    EXPECT_EQ(without_time(upper.out), without_time(lower.out));
    const std::vector<std::string> lines = split_lines(upper.out);
    ASSERT_GE(lines.size(), 11u);
    EXPECT_EQ(lines[9], kPrompt);
    EXPECT_EQ(lines[10].rfind("迭代结束,计算时间=", 0), 0u);
}

TEST(FloatingAttitudeProgram, AfterYesTheStepIsOneDegreeAgain) {
    const ProcessResult r = run(top_heavy_box(), kPillars, "y\nn\n");
    ASSERT_EQ(r.exit_status, 1);
    const std::vector<std::string> lines = split_lines(r.out);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[9], kPrompt);
    const step_lines::Step s = step_lines::parse(lines[10]);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.det_an, "0.0174533");
    EXPECT_EQ(lines[11], kPrompt);
    EXPECT_EQ(lines[12].rfind("迭代结束,计算时间=", 0), 0u);
}

TEST(FloatingAttitudeProgram, EndOfInputAtThePromptReportsNoEquilibriumAfterTheDrafts) {
    // The 1 x 1 x 2 box stays upright at draft 1 with its centre of
    // buoyancy at (0.5, 0.5, 0.5); G is 0.05 beside that vertical line.
    const ProcessResult r = run(top_heavy_box(), kPillars, "");
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> lines = without_time(r.out);
    ASSERT_EQ(lines.size(), 18u) << r.out;
    EXPECT_EQ(lines[8], voxel::step_line(0, "0", 0.05, {0, 0, 1}));
    EXPECT_EQ(lines[9], kPrompt);
    // The whole report as for an equilibrium, to the final pause.
    const std::vector<std::string> tail = {
        "TIME",
        "水平面方程四个系数:A= 0 , B=0 , C=1 , D=-1",
        "浮体坐标系下, 浮心坐标( 0.5 , 0.5 , 0.5 ).",
        "1号立柱吃水=1",
        "2号立柱吃水=1",
        "3号立柱吃水=1",
        "4号立柱吃水=1",
        kPause,
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()), tail);
    // d_error is 1e-6 times the box diagonal sqrt(6).
    const std::string d_error = voxel::format_number(1e-6 * std::sqrt(6.0));
    EXPECT_EQ(split_lines(r.err).size(), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("floating_attitude: 未达到平衡", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(" d=0.05 "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(" d_error=" + d_error + ";"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("倾覆"), std::string::npos) << r.err;
}

TEST(FloatingAttitudeProgram, BodyThatComesToRestBeyondNinetyDegreesIsReportedCapsized) {
    // A box 2 wide (x), 4 long, 1 deep, half immersed, G at x = 1.9 and
    // z = 0.8. Its section is symmetric about its centre (1, 0.5), so every
    // plane through that centre line halves the volume. The body heels
    // towards G; at 90 degrees the submerged half is x > 1.5 with its centre
    // at z = 0.5, still 0.3 below G along the water plane, and upside down G
    // is 0.9 beyond it the other way: the lines of action meet between 90
    // and 180 degrees.
    const std::string model =
        model_text::header(4, {1.9, 2, 0.8}) + model_text::box({0, 0, 0}, {2, 4, 1});
    const std::string long_axes =
        "#1:\n0.5,1,-2\n0.5,1,3\n#2:\n1.5,1,-2\n1.5,1,3\n"
        "#3:\n1.5,3,-2\n1.5,3,3\n#4:\n0.5,3,-2\n0.5,3,3\n";
    const ProcessResult r = run(model, long_axes);
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> lines = without_time(r.out);
    const std::vector<step_lines::Step> steps = step_lines::steps_of(lines);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_LE(steps.back().d, 1e-6 * std::sqrt(21.0));
    // The report ends with the plane, the centre of buoyancy, four drafts
    // and the pause.
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines.back(), kPause);
    EXPECT_EQ(lines[lines.size() - 8], "TIME");
    const std::vector<double> p = printed_plane(lines);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_LT(p[2], 0.0);
    EXPECT_NEAR(p[0] * 1 + p[1] * 2 + p[2] * 0.5 + p[3], 0.0, 1e-5);
    const std::string& b_line = lines[lines.size() - 6];
    ASSERT_EQ(b_line.rfind("浮体坐标系下, 浮心坐标( ", 0), 0u) << b_line;
    double B[3];
    const char* q = b_line.c_str() + std::string("浮体坐标系下, 浮心坐标( ").size();
    for (double& c : B) {
        char* end = nullptr;
        c = std::strtod(q, &end);
        q = end + 3;  // past " , "
    }
    // G on the line of buoyancy: (G - B) x N = 0, N = (A, B, C).
    const double GB[3] = {1.9 - B[0], 2 - B[1], 0.8 - B[2]};
    EXPECT_NEAR(GB[1] * p[2] - GB[2] * p[1], 0.0, 1e-5);
    EXPECT_NEAR(GB[2] * p[0] - GB[0] * p[2], 0.0, 1e-5);
    EXPECT_NEAR(GB[0] * p[1] - GB[1] * p[0], 0.0, 1e-5);
    const double xy[4][2] = {{0.5, 1}, {1.5, 1}, {1.5, 3}, {0.5, 3}};
    for (int i = 0; i < 4; ++i) {
        const std::string& l = lines[lines.size() - 5 + i];
        const std::string key = std::to_string(i + 1) + "号立柱吃水=";
        ASSERT_EQ(l.rfind(key, 0), 0u) << l;
        const double z = -(p[0] * xy[i][0] + p[1] * xy[i][1] + p[3]) / p[2];
        EXPECT_NEAR(std::strtod(l.c_str() + key.size(), nullptr), z, 1e-4);
    }
    // One line on standard error, with the angle of the normal from the
    // body's z axis.
    ASSERT_EQ(split_lines(r.err).size(), 1u) << r.err;
    const std::string head = "floating_attitude: 浮体已倾覆: ";
    EXPECT_EQ(r.err.rfind(head, 0), 0u) << r.err;
    const std::string angle_key = "与浮体 z 轴的夹角为 ";
    const std::size_t at = r.err.find(angle_key);
    ASSERT_NE(at, std::string::npos) << r.err;
    const double angle = std::strtod(r.err.c_str() + at + angle_key.size(), nullptr);
    EXPECT_GT(angle, 90.0);
    EXPECT_LT(angle, 180.0);
    EXPECT_NEAR(angle, std::acos(p[2]) * 180 / voxel::kPi, 1e-3);
}

TEST(AttitudeFailureLines, AStalledCapsizedOutcomeSaysBothAndAnEquilibriumNothing) {
    voxel::IterationOutcome o;
    o.plane.set(0, 0.6, -0.8, 1);  // 180 - acos(0.8) from the body's z axis
    o.d = 0.25;
    o.d_error = 1e-6;
    o.stop = voxel::IterationStop::Declined;
    const std::vector<std::string> lines = voxel::attitude_failure_lines(o);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("未达到平衡"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(" d=0.25 "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(" d_error=1e-006;"), std::string::npos) << lines[0];
    const std::string angle = voxel::format_number(180 - std::acos(0.8) * 180 / voxel::kPi);
    EXPECT_NE(lines[1].find("浮体已倾覆"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("夹角为 " + angle + " 度"), std::string::npos) << lines[1];

    o.stop = voxel::IterationStop::Converged;
    o.d = 0;
    o.plane.set(0, 0.6, 0.8, 1);
    EXPECT_TRUE(voxel::attitude_failure_lines(o).empty());
}

TEST(FloatingAttitudeProgram, PillarsWithoutADraftOrBeyondTheirEndsAreWarnedAbout) {
    // The 4 x 2 x 1 barge floats upright at draft 0.5. Pillar 1 ends below
    // the water line, pillar 2 is a point, pillar 3 lies level, pillar 4 is
    // a plain vertical axis.
    const std::string model =
        model_text::header(4, {2, 1, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1});
    const std::string pillars =
        "#1:\n1,1,0\n1,1,0.4\n#2:\n2,1,0\n2,1,0\n#3:\n0,1,0.2\n4,1,0.2\n#4:\n3,1,0\n3,1,1\n";
    const ProcessResult r = run(model, pillars);
    EXPECT_EQ(r.exit_status, 0);
    const std::vector<std::string> lines = without_time(r.out);
    ASSERT_GE(lines.size(), 6u);
    const std::vector<std::string> tail = {
        "TIME",
        "水平面方程四个系数:A= 0 , B=0 , C=1 , D=-0.5",
        "浮体坐标系下, 浮心坐标( 2 , 1 , 0.25 ).",
        "1号立柱吃水=0.5",
        "4号立柱吃水=0.5",
        kPause,
    };
    EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()), tail);
    const std::vector<std::string> err = split_lines(r.err);
    ASSERT_EQ(err.size(), 3u) << r.err;
    // The reader's word on the point, then those of the drafts.
    EXPECT_EQ(err[0].rfind("FourPillars.txt:4: 警告: 第 2 根立柱的两点 P0 和 P1 重合", 0), 0u)
        << err[0];
    EXPECT_EQ(err[1].rfind("FourPillars.txt:1: 警告: 第 1 根立柱的轴线与水面交于 P0 和 P1 "
                           "之间的线段之外 (z=0.5)",
                           0),
              0u)
        << err[1];
    EXPECT_EQ(err[2].rfind("FourPillars.txt:7: 警告: 第 3 根立柱的轴线与最终水面平行", 0), 0u)
        << err[2];
}

TEST(FloatingAttitudeProgram, MissingPillarFileIsReportedAfterThePlane) {
    const ProcessResult r =
        run(model_text::header(4, {2, 1, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1}), "");
    EXPECT_EQ(r.exit_status, 1);
    const std::vector<std::string> lines = split_lines(r.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3].rfind("水平面方程四个系数:A= ", 0), 0u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("浮体坐标系下, 浮心坐标( ", 0), 0u);
    EXPECT_EQ(lines.back(), "Pillar file read error! ");
}

TEST(FloatingAttitudeProgram, NonFinitePillarCoordinateEndsTheRun) {
    const ProcessResult r =
        run(model_text::header(4, {2, 1, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1}),
            "#1:\n1,1,0\n1,1,nan\n");
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.err.find("FourPillars.txt:3: 错误: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("FourPillars.txt:4: 错误: 文件在第 2 根立柱的记录读完之前结束"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("号立柱吃水="), std::string::npos);
}

TEST(FloatingAttitudeProgram, MissingModelFileIsReported) {
    ScratchDir dir;
    ProcessOptions options;
    options.working_dir = dir.path();
    const ProcessResult r =
        testing_support::run_program(FLOATING_ATTITUDE_EXE, {"absent.txt"}, options);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, kBanner + "\n SET file(Format2) read error! \n");
}

TEST(FloatingAttitudeProgram, DisplacementAboveTheBodyVolumeIsRefused) {
    const ProcessResult r =
        run(model_text::header(9, {2, 1, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1}), kPillars);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, kBanner + "\n");
    EXPECT_NE(r.err.find("Volume of Displacement=9"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("=8 "), std::string::npos) << r.err;
}

TEST(FloatingAttitudeProgram, ZeroDisplacementIsRefused) {
    const ProcessResult r =
        run(model_text::header(0, {2, 1, 0.3}) + model_text::box({0, 0, 0}, {4, 2, 1}), kPillars);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, kBanner + "\n");
}

TEST(FloatingAttitudeProgram, NonFiniteModelValueEndsTheRun) {
    const ProcessResult r = run(model_text::header(4, {2, 1, 0.3}) +
                                    "Hexahedron\n0,0,0\n4,0,0\n4,2,0\n0,2,0\n0,0,1\n4,0,1\n4,2,"
                                    "1\n0,2,inf\n",
                                kPillars);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.out, kBanner + "\n");
    EXPECT_NE(r.err.find("model.txt:13: 错误: Hexahedron 块 (始于第 5 行) 的顶点 V7"),
              std::string::npos)
        << r.err;
}

TEST(FloatingAttitudeProgram, ConsoleWritesGbkOutsideAUtf8Locale) {
    ScratchDir dir;
    ProcessOptions options;
    options.working_dir = dir.path();
    options.env = {"LC_ALL=C"};
    const ProcessResult r =
        testing_support::run_program(FLOATING_ATTITUDE_EXE, {"absent.txt"}, options);
    EXPECT_EQ(r.out, voxel::utf8_to_gbk(kBanner) + "\n SET file(Format2) read error! \n");
}
