#include "model/io/diagnostics.h"

#include <utility>

namespace voxel {

std::string format_diagnostic(const Diagnostic& d) {
    return d.file + ":" + std::to_string(d.line) +
           (d.severity == Severity::Error ? ": 错误: " : ": 警告: ") + d.text;
}

namespace {

std::string file_message(const std::string& file, const char* what, const std::string& reason) {
    return (file.empty() ? std::string() : file + ": ") + "错误: " + what + " (" + reason + ")";
}

}  // namespace

std::string unopened_file_message(const std::string& file, const std::string& reason) {
    return file_message(file, "无法打开文件", reason);
}

std::string unwritable_file_message(const std::string& file, const std::string& reason) {
    return file_message(file, "无法写入文件", reason);
}

void Diagnostics::add(Diagnostic d) {
    if (items_.size() < kMostDiagnostics) {
        items_.push_back(std::move(d));
        return;
    }
    ++more_;
    if (d.severity == Severity::Error) more_errors_ = true;
}

bool Diagnostics::has_errors() const {
    if (more_errors_) return true;
    for (const Diagnostic& d : items_)
        if (d.severity == Severity::Error) return true;
    return false;
}

std::vector<std::string> Diagnostics::lines() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const Diagnostic& d : items_) out.push_back(format_diagnostic(d));
    if (more_ > 0)
        out.push_back(items_.back().file + ": 另有 " + std::to_string(more_) +
                      " 条错误或警告未列出.");
    return out;
}

void Diagnostics::append(const Diagnostics& other) {
    for (const Diagnostic& d : other.items_) add(d);
    more_ += other.more_;
    more_errors_ = more_errors_ || other.more_errors_;
}

}  // namespace voxel
