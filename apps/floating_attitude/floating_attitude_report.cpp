#include "apps/floating_attitude/floating_attitude_report.h"

#include <cmath>
#include <string>

#include "apps/floating_attitude/equilibrium_iteration.h"
#include "apps/floating_attitude/pillars.h"
#include "kernel/platform/clock.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/console_frame.h"

namespace voxel {

int run_floating_attitude(VoxelGroup& group) {
    const double V = group.V;
    console_line("排水体积=" + format_number(V));
    const Point3 G = group.centre_of_gravity();
    console_line("重心坐标( " + format_number(G.x) + " , " + format_number(G.y) + " , " +
                 format_number(G.z) + " )");

    const Stopwatch clock;
    console_line("开始迭代计算浮态:");
    Plane plane;
    Point3 B;
    iterate_floating_attitude(group, V, G, plane, B);
    console_line("迭代结束,计算时间=" + format_fixed(clock.seconds(), 2) + " seconds");

    console_line("水平面方程四个系数:A= " + format_number(plane.A) +
                 " , B=" + format_number(plane.B) + " , C=" + format_number(plane.C) +
                 " , D=" + format_number(plane.D));
    console_line("浮体坐标系下, 浮心坐标( " + format_number(B.x) + " , " + format_number(B.y) +
                 " , " + format_number(B.z) + " ).");
    // A plane or centre that is not a number is no result, and no draft can
    // be taken from it.
    const double found[7] = {plane.A, plane.B, plane.C, plane.D, B.x, B.y, B.z};
    for (double v : found) {
        if (std::isfinite(v)) continue;
        diagnostic_line(kNonFiniteAttitudeMessage);
        wait_for_key();
        return 1;
    }

    PillarAxes pillars;
    const ReadResult read = read_pillars(kPillarFileName, pillars);
    if (const auto status = report_read(read, kPillarFileName, kPillarReadErrorMessage, true))
        return *status;
    for (const std::string& line : draft_lines(plane, pillars)) console_line(line);
    return 0;
}

}  // namespace voxel
