// An input text file read with scanf patterns, as the Format2 model and the
// pillar file are read. It keeps track of the line of its read position, so
// that a value that does not parse can be reported with its place.
#pragma once

#include <cstdio>
#include <string>

#include "kernel/platform/text_input.h"
#include "kernel/point3.h"

namespace voxel {

// Outcome of one scanned record.
enum class ScanResult {
    Complete,   // every value converted
    Unparsed,   // a value did not parse (warned); the unconverted values kept
    EndOfFile,  // the end of the file came before every value was converted
};

class ScannedTextFile {
  public:
    ScannedTextFile() = default;
    ScannedTextFile(const ScannedTextFile&) = delete;
    ScannedTextFile& operator=(const ScannedTextFile&) = delete;

    // Opens the file in Windows text mode (a CR before an LF is dropped).
    // False when it cannot be opened or read (a directory, for one).
    bool open(const char* path);

    std::FILE* stream() const { return input_.stream(); }
    bool at_end() const { return std::feof(input_.stream()) != 0; }
    long position() const { return input_.position(); }
    // 1-based line of a read position (of the current one by default).
    int line_at(long position) const { return input_.line_at(position); }
    int line() const { return line_at(position()); }
    const std::string& name() const { return name_; }

    // A warning on standard error: "<file>:<line>: <text>".
    void warn(int line, const std::string& text) const;
    // An error on standard error in the same form, then a wait for one
    // character, then the end of the process with status 1.
    [[noreturn]] void fail(int line, const std::string& text) const;
    // fail() unless value is finite; `what` names the value.
    void require_finite(double value, const std::string& what) const;

    // The pattern `prefix` followed by "%lf\n", e.g. "Gra_Pt.x=" or "".
    // A value that does not parse is warned about with `what`; a value that
    // is not finite ends the process.
    ScanResult read_number(const char* prefix, double& value, const std::string& what);
    // "%lf,%lf,%lf\n" into p, with the same handling.
    ScanResult read_point(Point3& p, const std::string& what);
    // "#%d:\n", the header of a pillar record.
    ScanResult read_record_number(int& number, const std::string& what);

  private:
    ScanResult finish(int converted, int wanted, const std::string& what);

    std::string name_;
    TextInput input_;
};

}  // namespace voxel
