#include "kernel/solid_messages.h"

#include "kernel/platform/console.h"

namespace voxel {

void report_count_error(const char* utf8_message) {
    console_line(utf8_message);
    wait_for_key();
}

}  // namespace voxel
