#include "frame/console_frame.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "kernel/platform/console.h"
#include "kernel/platform/file_replace.h"
#include "kernel/platform/text_input.h"

namespace voxel {

namespace {

void warn_failed_dialog() {
    diagnostic_line("Warning! 文件打开失败!");
}

// The path when it fits, else a failed dialog and no path.
std::string checked_path(const std::string& path) {
    if (path.size() >= kModelPathSize) {
        diagnostic_line("路径超过259字节: " + path.substr(0, 64) + "...");
        warn_failed_dialog();
        return std::string();
    }
    return path;
}

bool has_extension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
}

bool is_existing_file(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// One line of standard input without its line end; false at the end of input
// before any character.
bool read_input_line(std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::getchar()) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

}  // namespace

std::string choose_model_file(const std::optional<std::string>& path_argument) {
    if (path_argument) return checked_path(*path_argument);
    diagnostic_line("Select a text file.");
    for (;;) {
        diagnostic_line("文本文件(*.txt) / 所有文件(*.*) - 请输入文件路径 (空行取消):");
        std::string line;
        if (!read_input_line(line) || line.empty()) {
            warn_failed_dialog();
            return std::string();
        }
        if (!has_extension(line)) line += ".txt";
        if (line.size() >= kModelPathSize) {
            diagnostic_line("路径超过259字节.");
            warn_failed_dialog();
            return std::string();
        }
        if (!is_existing_file(line)) {
            diagnostic_line("文件不存在: " + line);
            continue;
        }
        return line;
    }
}

int fail_run(const std::vector<std::string>& lines, bool wait_on_failure) {
    for (const std::string& line : lines) diagnostic_line(line);
    if (wait_on_failure) wait_for_key();
    return 1;
}

std::optional<int> report_read(const ReadResult& read, const std::string& path,
                               const char* unopened_message, bool wait_on_failure) {
    if (read.opened) {
        for (const std::string& line : read.diagnostics.lines()) diagnostic_line(line);
    } else {
        console_line(unopened_message);
        diagnostic_line(unopened_file_message(path, unreadable_reason(path.c_str())));
    }
    if (read.opened && !read.diagnostics.has_errors()) return std::nullopt;
    return fail_run({}, wait_on_failure);
}

int run_guarded(bool wait_on_failure, const std::function<int()>& body) {
    const char* failure = nullptr;
    try {
        return body();
    } catch (const std::bad_alloc&) {
        failure = "内存不足: 无法分配计算所需的内存 (std::bad_alloc); 模型或其数据可能过大.";
    } catch (const std::length_error&) {
        failure = "内存不足: 所需的数组超出可分配的长度 (std::length_error); 模型或其数据可能过大.";
    }
    return fail_run({std::string("错误: ") + failure}, wait_on_failure);
}

void write_side_file(const char* program, const std::string& folder, const char* name,
                     const std::string& text) {
    const std::string path = folder.empty() ? std::string(name) : folder + "/" + name;
    if (!replace_file_contents(path, text)) {
        const std::string reason = std::strerror(errno);
        diagnostic_line(std::string(program) + ": 无法写入文件 " + path + " (" + reason +
                        "), 其余结果照常写出.");
    }
}

}  // namespace voxel
