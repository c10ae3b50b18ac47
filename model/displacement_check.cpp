#include "model/displacement_check.h"

#include <cstdlib>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"

namespace voxel {

bool displacement_in_range(VoxelGroup& group, double V, double& total) {
    total = group.total_volume();
    return V > 0.0 && (V - total) / V < 1e-10;
}

void require_displacement_in_range(VoxelGroup& group) {
    double total = 0.0;
    if (displacement_in_range(group, group.V, total)) return;
    diagnostic_line("排水体积超出范围: Volume of Displacement=" + format_number(group.V) +
                    ", 浮体总体积=" + format_number(total) + " (要求 0 < 排水体积 <= 浮体总体积).");
    wait_for_key();
    std::exit(1);
}

}  // namespace voxel
