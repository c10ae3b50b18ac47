#include "model/diagnostics.h"

namespace voxel {

std::string format_diagnostic(const Diagnostic& d) {
    return d.file + ":" + std::to_string(d.line) +
           (d.severity == Severity::Error ? ": 错误: " : ": 警告: ") + d.text;
}

bool Diagnostics::has_errors() const {
    for (const Diagnostic& d : items_)
        if (d.severity == Severity::Error) return true;
    return false;
}

std::vector<std::string> Diagnostics::lines() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const Diagnostic& d : items_) out.push_back(format_diagnostic(d));
    return out;
}

}  // namespace voxel
