#include "model/scanned_text_file.h"

#include <cmath>

#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ScannedTextFile::open(const std::string& path) {
    if (!input_.open(path.c_str())) return false;
    name_ = path;
    return true;
}

bool ScannedTextFile::open_bytes(const std::string& name, const std::string& bytes) {
    if (!input_.open_bytes(bytes)) return false;
    name_ = name;
    return true;
}

int ScannedTextFile::value_line(long position) const {
    const std::string& text = input_.text();
    while (position < static_cast<long>(text.size()) &&
           is_space(text[static_cast<std::size_t>(position)]))
        ++position;
    return line_at(position);
}

bool ScannedTextFile::all_finite(const double* values, int count, long start,
                                 const std::string& what) {
    for (int i = 0; i < count; ++i) {
        if (std::isfinite(values[i])) continue;
        error(value_line(start), what + " 不是有限数 (" + format_number(values[i]) +
                                     "); 该文件无法使用.");
        return false;
    }
    return true;
}

ScanResult ScannedTextFile::finish(int converted, int wanted, bool finite,
                                   const std::string& what) {
    if (converted == wanted) {
        // The pattern's closing newline: any run of white space.
        std::fscanf(stream(), "\n");
        return finite ? ScanResult::Complete : ScanResult::NotFinite;
    }
    if (!finite) return ScanResult::NotFinite;
    if (at_end()) return ScanResult::EndOfFile;
    warn(line(), "应为 " + what + "; 未读到的值按 0 计.");
    return ScanResult::Unparsed;
}

ScanResult ScannedTextFile::read_number(const char* prefix, double& value,
                                        const std::string& what) {
    const std::string pattern = std::string(prefix) + "%lf";
    const long start = position();
    const int r = std::fscanf(stream(), pattern.c_str(), &value);
    const bool finite = r < 1 || all_finite(&value, 1, start, what);
    return finish(r, 1, finite, what);
}

ScanResult ScannedTextFile::read_point(Point3& p, const std::string& what) {
    double v[3] = {p.x, p.y, p.z};
    const long start = position();
    const int r = std::fscanf(stream(), "%lf,%lf,%lf", &v[0], &v[1], &v[2]);
    p.set(v[0], v[1], v[2]);
    const bool finite = r < 1 || all_finite(v, r, start, what);
    return finish(r, 3, finite, what);
}

ScanResult ScannedTextFile::read_record_number(int& number, const std::string& what) {
    // %n is stored only when the closing ':' has matched as well.
    int consumed = -1;
    const int r = std::fscanf(stream(), "#%d:%n", &number, &consumed);
    return finish(r == 1 && consumed < 0 ? 0 : r, 1, true, what);
}

}  // namespace voxel
