// The frame the three programs share: banner, choice of the model file, final
// pause.
#pragma once

#include <cstddef>

namespace voxel {

// The chosen model file's path, a narrow string of at most 259 bytes. Zero
// until a file has been chosen.
constexpr std::size_t kModelPathSize = 260;
extern char model_path[kModelPathSize];

// Fills model_path. With a path argument (the program's first command-line
// argument) that path is taken as it is. Without one, a console prompt stands
// in for the open-file dialog: its text goes to standard error, one line of
// standard input is the path, a name without an extension gets ".txt", and a
// name that does not exist is refused and asked again. An empty line, the end
// of input or a path of more than 259 bytes is a cancel: the warning
// "Warning! 文件打开失败!" on standard error, and model_path keeps what it held.
void choose_model_file(const char* path_argument);

}  // namespace voxel
