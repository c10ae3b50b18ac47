// Runs one of the programs as a child process for whole-program tests.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ProcessResult {
    int exit_status = -1;    // exit code, or -1 when killed by a signal
    bool timed_out = false;  // killed after the time limit
    std::string out;         // standard output, raw bytes
    std::string err;         // standard error, raw bytes
};

struct ProcessOptions {
    std::string working_dir;            // empty: the current folder
    std::string stdin_text;             // written to standard input, then closed
    std::vector<std::string> env;       // extra NAME=value entries (override)
    double time_limit_seconds = 120.0;  // the child is killed after this
};

// Runs `program` with `args`. LC_ALL defaults to C.UTF-8 so the console
// writes UTF-8 unless the options set another locale.
ProcessResult run_program(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options = {});

// Splits output into lines (without their "\n").
std::vector<std::string> split_lines(const std::string& text);

// Reads a whole file as raw bytes; empty when it cannot be read.
std::string read_file_bytes(const std::string& path);
void write_file_bytes(const std::string& path, const std::string& bytes);

}  // namespace testing_support
