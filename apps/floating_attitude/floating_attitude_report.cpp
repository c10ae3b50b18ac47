#include "apps/floating_attitude/floating_attitude_report.h"

#include <cmath>
#include <string>
#include <vector>

#include "frame/console_frame.h"
#include "kernel/platform/clock.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/io/pillars.h"
#include "model/stability/equilibrium_iteration.h"

namespace voxel {

std::vector<std::string> attitude_failure_lines(const IterationOutcome& outcome) {
    std::vector<std::string> lines;
    if (!outcome.converged()) {
        const char* why = outcome.stop == IterationStop::Declined
                              ? "转角步长已足够小而距离无法缩小, 未选择继续迭代"
                              : "距离不是数";
        lines.push_back("floating_attitude: 未达到平衡 (" + std::string(why) +
                        "): 重力和浮力作用线的距离 d=" + format_number(outcome.d) +
                        " 大于绝对距离误差 d_error=" + format_number(outcome.d_error) +
                        "; 以上水面, 浮心和立柱吃水是最后一步的值, 不是平衡浮态.");
    }
    if (outcome.capsized())
        lines.push_back("floating_attitude: 浮体已倾覆: 最终水面法向在浮体坐标系中朝下 (C=" +
                        format_number(outcome.plane.C) + "), 与浮体 z 轴的夹角为 " +
                        format_number(outcome.tilt_degrees()) +
                        " 度 (侧倾到 90 度或以上, 或倒扣); 以上水面和立柱吃水是倾覆后的浮态.");
    return lines;
}

int run_floating_attitude(const VoxelGroup& group) {
    const double V = group.V;
    console_line("排水体积=" + format_number(V));
    const Point3 G = group.centre_of_gravity();
    console_line("重心坐标( " + format_number(G.x) + " , " + format_number(G.y) + " , " +
                 format_number(G.z) + " )");

    const Stopwatch clock;
    console_line("开始迭代计算浮态:");
    const IterationOutcome outcome = iterate_floating_attitude(group, V, G);
    console_line("迭代结束,计算时间=" + format_fixed(clock.seconds(), 2) + " seconds");

    const Plane& plane = outcome.plane;
    const Point3& B = outcome.B;
    console_line("水平面方程四个系数:A= " + format_number(plane.A) +
                 " , B=" + format_number(plane.B) + " , C=" + format_number(plane.C) +
                 " , D=" + format_number(plane.D));
    console_line("浮体坐标系下, 浮心坐标( " + format_number(B.x) + " , " + format_number(B.y) +
                 " , " + format_number(B.z) + " ).");
    const std::vector<std::string> failures = attitude_failure_lines(outcome);
    // A plane or centre that is not a number is no result, and no draft can
    // be taken from it.
    const double found[7] = {plane.A, plane.B, plane.C, plane.D, B.x, B.y, B.z};
    for (double v : found) {
        if (std::isfinite(v)) continue;
        std::vector<std::string> lines{kNonFiniteAttitudeMessage};
        lines.insert(lines.end(), failures.begin(), failures.end());
        return fail_run(lines);
    }

    PillarAxes pillars;
    const ReadResult read = read_pillars(kPillarFileName, pillars);
    if (report_read(read, kPillarFileName, kPillarReadErrorMessage, false))
        return fail_run(failures);
    for (const std::string& line : draft_lines(plane, pillars)) console_line(line);
    for (const std::string& line : draft_warnings(plane, pillars).lines()) diagnostic_line(line);
    // The report is whole: it ends as a run that reached its result does,
    // with the pause, and only the status and standard error say otherwise.
    if (!failures.empty()) {
        for (const std::string& line : failures) diagnostic_line(line);
        pause_console();
        return 1;
    }
    return 0;
}

}  // namespace voxel
