#include "frame/format2_frame.h"

#include "frame/console_frame.h"
#include "kernel/platform/console.h"
#include "model/io/format2_reader.h"
#include "model/stability/displacement_check.h"

namespace voxel {

std::optional<int> load_format2_body(VoxelGroup& group, const std::string& path) {
    const ReadResult read = read_format2_model(group, path);
    if (const auto status = report_read(read, path, kFormat2ReadErrorMessage, true)) return status;
    double total = 0.0;
    if (!displacement_in_range(group, group.V, total)) {
        return fail_run({path + ": " + displacement_range_message(group.V, total)});
    }
    double reached = 0.0;
    if (!level_water_plane_found(group, group.V, reached)) {
        return fail_run({path + ": " + level_water_plane_message(group.V, reached)});
    }
    return std::nullopt;
}

}  // namespace voxel
