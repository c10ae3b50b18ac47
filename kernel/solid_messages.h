// The count checks of the solids: a console message, then a wait for one
// character; the program goes on.
#pragma once

namespace voxel {

void report_count_error(const char* utf8_message);

}  // namespace voxel
