#include "model/scanned_text_file.h"

#include <cmath>
#include <cstdlib>

#include "kernel/platform/console.h"
#include "kernel/platform/text_input.h"

namespace voxel {

bool ScannedTextFile::open(const char* path) {
    if (!input_.open(path)) return false;
    name_ = path;
    return true;
}

void ScannedTextFile::warn(int line, const std::string& text) const {
    diagnostic_line(name_ + ":" + std::to_string(line) + ": warning: " + text);
}

void ScannedTextFile::fail(int line, const std::string& text) const {
    diagnostic_line(name_ + ":" + std::to_string(line) + ": error: " + text);
    wait_for_key();
    std::exit(1);
}

void ScannedTextFile::require_finite(double value, const std::string& what) const {
    if (std::isfinite(value)) return;
    fail(line(), what + " is not a finite number (" + (std::isnan(value) ? "nan" : "inf") +
                     "); the file cannot be used");
}

ScanResult ScannedTextFile::finish(int converted, int wanted, const std::string& what) {
    if (converted == wanted) {
        // The pattern's closing newline: any run of white space.
        std::fscanf(stream(), "\n");
        return ScanResult::Complete;
    }
    if (at_end()) return ScanResult::EndOfFile;
    warn(line(), "expected " + what + "; a value that does not parse is taken as 0");
    return ScanResult::Unparsed;
}

ScanResult ScannedTextFile::read_number(const char* prefix, double& value,
                                        const std::string& what) {
    const std::string pattern = std::string(prefix) + "%lf";
    const int r = std::fscanf(stream(), pattern.c_str(), &value);
    if (r == 1) require_finite(value, what);
    return finish(r, 1, what);
}

ScanResult ScannedTextFile::read_point(Point3& p, const std::string& what) {
    double v[3] = {p.x, p.y, p.z};
    const int r = std::fscanf(stream(), "%lf,%lf,%lf", &v[0], &v[1], &v[2]);
    for (int i = 0; i < r; ++i) require_finite(v[i], what);
    p.set(v[0], v[1], v[2]);
    return finish(r, 3, what);
}

ScanResult ScannedTextFile::read_record_number(int& number, const std::string& what) {
    // %n is stored only when the closing ':' has matched as well.
    int consumed = -1;
    const int r = std::fscanf(stream(), "#%d:%n", &number, &consumed);
    return finish(r == 1 && consumed < 0 ? 0 : r, 1, what);
}

}  // namespace voxel
