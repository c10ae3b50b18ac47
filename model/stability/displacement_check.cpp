#include "model/stability/displacement_check.h"

#include <cmath>

#include "kernel/platform/number_format.h"

namespace voxel {

bool displacement_in_range(const VoxelGroup& group, double V, double& total) {
    total = group.total_volume();
    return V > 0.0 && (V - total) / V < 1e-10;
}

std::string displacement_range_message(double V, double total) {
    return "排水体积超出范围: Volume of Displacement=" + format_number(V) +
           ", 浮体总体积=" + format_number(total) + " (要求 0 < 排水体积 <= 浮体总体积).";
}

bool level_water_plane_found(const VoxelGroup& group, double V, double& reached) {
    return level_water_plane(group, V, reached).has_value();
}

std::optional<WaterPlane> level_water_plane(const VoxelGroup& group, double V, double& reached) {
    const WaterPlane w = group.find_water_plane(V, Point3{0.0, 0.0, 1.0});
    reached = w.volume_reached;
    if (w.converged && w.volume_reached > 0.0 && std::isfinite(w.B.x) && std::isfinite(w.B.y) &&
        std::isfinite(w.B.z))
        return w;
    return std::nullopt;
}

std::string level_water_plane_message(double V, double reached) {
    return "找不到排水体积 " + format_number(V) + " 的水平水面: 水面搜索在 " +
           std::to_string(kMaxBisections) + " 步后停在排水体积 " + format_number(reached) +
           " 处, 水面与浮心无法确定 (浮体各处坐标的数量级相差过大, 体积的有效数字丢失); "
           "该文件无法使用.";
}

}  // namespace voxel
