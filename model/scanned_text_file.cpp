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
    note_refused_encoding();
    return true;
}

bool ScannedTextFile::open_bytes(const std::string& name, const std::string& bytes) {
    if (!input_.open_bytes(bytes)) return false;
    name_ = name;
    note_refused_encoding();
    return true;
}

void ScannedTextFile::note_refused_encoding() {
    if (const char* encoding = input_.refused_encoding())
        error(1, std::string("文件是 ") + encoding +
                     " 编码的文本, 无法读取; 请将其另存为纯文本 (ANSI/GBK 或 UTF-8) 后再试.");
}

int ScannedTextFile::value_line(long position) const {
    const std::string& text = input_.text();
    while (position < static_cast<long>(text.size()) &&
           is_space(text[static_cast<std::size_t>(position)]))
        ++position;
    return line_at(position);
}

bool ScannedTextFile::usable_values(const double* values, int count, long start,
                                    const std::string& what) {
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) {
            error(value_line(start),
                  what + " 不是有限数 (" + format_number(v) + "); 该文件无法使用.");
            return false;
        }
        if (std::fabs(v) > kLargestInputMagnitude) {
            error(value_line(start), what + " 的绝对值超过 1e100 (" + format_number(v) +
                                         "), 体积与矩将溢出; 该文件无法使用.");
            return false;
        }
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
    const bool finite = r < 1 || usable_values(&value, 1, start, what);
    return finish(r, 1, finite, what);
}

ScanResult ScannedTextFile::read_point(Point3& p, const std::string& what) {
    double v[3] = {p.x, p.y, p.z};
    const long start = position();
    const int r = std::fscanf(stream(), "%lf,%lf,%lf", &v[0], &v[1], &v[2]);
    p.set(v[0], v[1], v[2]);
    const bool finite = r < 1 || usable_values(v, r, start, what);
    return finish(r, 3, finite, what);
}

ScanResult ScannedTextFile::read_record_number(int& number, const std::string& what) {
    // %n is stored only when the closing ':' has matched as well.
    int consumed = -1;
    const int r = std::fscanf(stream(), "#%d:%n", &number, &consumed);
    return finish(r == 1 && consumed < 0 ? 0 : r, 1, true, what);
}

}  // namespace voxel
