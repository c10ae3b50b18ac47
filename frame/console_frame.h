// The frame the programs share: the choice of the model file and the final
// pause (kernel/platform/console.h).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/io/diagnostics.h"

namespace voxel {

// A model path holds at most this many bytes (259 and its terminator).
constexpr std::size_t kModelPathSize = 260;

// The chosen model file's path, a narrow string of at most 259 bytes; empty
// when nothing was chosen (the reader then cannot open it and says so).
// With a path argument (the program's MODEL argument) that path is taken as
// it is. Without one, a console prompt stands in for the open-file dialog:
// its text goes to standard error, one line of standard input is the path, a
// name without an extension gets ".txt", and a name that does not exist is
// refused and asked again. An empty line, the end of input or a path of more
// than 259 bytes is a cancel: the warning "Warning! 文件打开失败!" on standard
// error, and an empty path.
std::string choose_model_file(const std::optional<std::string>& path_argument);

// Ends a run that cannot go on, the one way every program does: the `lines`
// on standard error, one a line, then a wait for one character if
// `wait_on_failure` says so. Returns the exit status, 1.
int fail_run(const std::vector<std::string>& lines, bool wait_on_failure = true);

// Says what a reader of the file at `path` found: for a file that could not
// be opened, `unopened_message` on the console and the file with the reason
// on standard error (unopened_file_message); otherwise the reader's warnings
// and errors on standard error, one a line. When the program cannot go on
// (the file was not opened, or an error), it waits for one character if
// `wait_on_failure` says so, and the exit status 1 is returned; otherwise
// nothing.
std::optional<int> report_read(const ReadResult& read, const std::string& path,
                               const char* unopened_message, bool wait_on_failure);

// Runs a program's body and returns its exit status. Memory that cannot be
// had anywhere in it (std::bad_alloc, or a container asked to grow beyond
// what it can hold, std::length_error) ends the run with a message on
// standard error, a wait for one character if `wait_on_failure` says so, and
// status 1, where the uncaught exception would abort the program.
int run_guarded(bool wait_on_failure, const std::function<int()>& body);

// Writes one of the files a program writes beside its table, `name` in
// `folder` ("" for the current one), through replace_file_contents. One that
// cannot be written is said on standard error ("<program>: 无法写入文件
// <path> (<reason>), 其余结果照常写出.") and the run goes on.
void write_side_file(const char* program, const std::string& folder, const char* name,
                     const std::string& text);

}  // namespace voxel
