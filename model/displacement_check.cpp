#include "model/displacement_check.h"

#include "kernel/platform/number_format.h"

namespace voxel {

bool displacement_in_range(VoxelGroup& group, double V, double& total) {
    total = group.total_volume();
    return V > 0.0 && (V - total) / V < 1e-10;
}

std::string displacement_range_message(double V, double total) {
    return "排水体积超出范围: Volume of Displacement=" + format_number(V) +
           ", 浮体总体积=" + format_number(total) + " (要求 0 < 排水体积 <= 浮体总体积).";
}

}  // namespace voxel
