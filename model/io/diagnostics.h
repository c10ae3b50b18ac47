// What a reader has to say about its input: warnings (a value taken as 0, a
// block dropped) and errors (the file cannot be used). Readers collect them
// and return them; the program prints them on standard error, one a line, in
// the order they were found.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace voxel {

enum class Severity { Warning, Error };

struct Diagnostic {
    Severity severity = Severity::Warning;
    std::string file;
    int line = 0;      // 1-based
    std::string text;  // what was expected, or what is wrong
};

// "<file>:<line>: 警告: <text>" or "<file>:<line>: 错误: <text>".
std::string format_diagnostic(const Diagnostic& d);

// A file that is not what it should be at all can give a message on every
// line; beyond this many items the rest are only counted.
constexpr std::size_t kMostDiagnostics = 100;

class Diagnostics {
  public:
    void warn(const std::string& file, int line, const std::string& text) {
        add({Severity::Warning, file, line, text});
    }
    void error(const std::string& file, int line, const std::string& text) {
        add({Severity::Error, file, line, text});
    }

    // Every item of `other` after these, in its order (a file that another
    // file names, such as a mesh, reports under its own name).
    void append(const Diagnostics& other);
    const std::vector<Diagnostic>& items() const { return items_; }
    bool has_errors() const;
    bool empty() const { return items_.empty(); }
    // Every item formatted, in order, then one line saying how many more
    // were found when there were more than kMostDiagnostics.
    std::vector<std::string> lines() const;

  private:
    void add(Diagnostic d);

    std::vector<Diagnostic> items_;
    std::size_t more_ = 0;  // items found beyond kMostDiagnostics
    bool more_errors_ = false;
};

// A file that cannot be opened or written, and why (the system's reason, as
// strerror gives it, or the readers' own): "<file>: 错误: 无法打开文件
// (<reason>)" and "<file>: 错误: 无法写入文件 (<reason>)"; without a file name
// the line starts at "错误: ".
std::string unopened_file_message(const std::string& file, const std::string& reason);
std::string unwritable_file_message(const std::string& file, const std::string& reason);

// What a reader returns besides what it fills.
struct ReadResult {
    bool opened = false;  // false: the file could not be opened or read
    Diagnostics diagnostics;
};

}  // namespace voxel
