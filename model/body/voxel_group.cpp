#include "model/body/voxel_group.h"

#include <cmath>
#include <string>

#include "kernel/platform/number_format.h"

namespace voxel {

std::string water_plane_stall_note(double V, const WaterPlane& w) {
    return "find_water_plane: 二分 " + std::to_string(w.steps) +
           " 步后排水体积仍未达到相对误差 1e-10; V=" + format_number(V) +
           ", 达到的体积=" + format_number(w.volume_reached) + ", 取最后一个水面.";
}

LineDistance action_line_distance(Point3 p1, Point3 p2, Point3 n) {
    const Point3 d = difference(p1, p2);
    if (d.x * d.x + d.y * d.y + d.z * d.z < 1e-10) return {0.0, true};
    return {length(cross(d, n)) / length(n), false};
}

}  // namespace voxel
