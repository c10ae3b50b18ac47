#include "model/format2_frame.h"

#include "kernel/platform/console.h"
#include "model/displacement_check.h"
#include "model/format2_reader.h"

namespace voxel {

std::optional<int> load_format2_body(VoxelGroup& group, const std::string& path) {
    const ReadResult read = read_format2_model(group, path);
    if (!read.opened) {
        console_line(kFormat2ReadErrorMessage);
        wait_for_key();
        return 1;
    }
    for (const std::string& line : read.diagnostics.lines()) diagnostic_line(line);
    if (read.diagnostics.has_errors()) {
        wait_for_key();
        return 1;
    }
    double total = 0.0;
    if (!displacement_in_range(group, group.V, total)) {
        diagnostic_line(displacement_range_message(group.V, total));
        wait_for_key();
        return 1;
    }
    return std::nullopt;
}

}  // namespace voxel
