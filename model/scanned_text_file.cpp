#include "model/scanned_text_file.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "kernel/platform/number_format.h"
#include "kernel/platform/text_encoding.h"

namespace voxel {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ScannedTextFile::open(const std::string& path) {
    pos_ = 0;
    at_end_ = false;
    if (!input_.open(path.c_str())) return false;
    name_ = path;
    note_refused_encoding();
    return true;
}

bool ScannedTextFile::open_bytes(const std::string& name, const std::string& bytes) {
    pos_ = 0;
    at_end_ = false;
    if (!input_.open_bytes(bytes)) return false;
    name_ = name;
    note_refused_encoding();
    return true;
}

void ScannedTextFile::note_refused_encoding() {
    if (const char* encoding = input_.refused_encoding())
        error(1, refused_encoding_message(encoding));
}

int ScannedTextFile::value_line(long position) const {
    const std::string& text = input_.text();
    while (position < static_cast<long>(text.size()) &&
           is_space(text[static_cast<std::size_t>(position)]))
        ++position;
    return line_at(position);
}

bool ScannedTextFile::usable_values(const double* values, int count, long start,
                                    const ValueName& what) {
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) {
            error(value_line(start),
                  what() + " 不是有限数 (" + format_number(v) + "); 该文件无法使用.");
            return false;
        }
        if (std::fabs(v) > kLargestInputMagnitude) {
            error(value_line(start), what() + " 的绝对值超过 1e100 (" + format_number(v) +
                                         "), 体积与矩将溢出; 该文件无法使用.");
            return false;
        }
    }
    return true;
}

int ScannedTextFile::scan(const char* pattern, ...) {
    // The stream over the whole text, put at the read position; stdio's own
    // indicator is cleared by the seek and set again if this scan meets the
    // end, which is where an earlier one left the position if it met it.
    std::FILE* stream = input_.stream();
    std::fseek(stream, static_cast<long>(pos_), SEEK_SET);
    std::va_list values;
    va_start(values, pattern);
    const int r = std::vfscanf(stream, pattern, values);
    va_end(values);
    pos_ = static_cast<std::size_t>(std::ftell(stream));
    at_end_ = std::feof(stream) != 0;
    return r;
}

bool ScannedTextFile::read_piece(char* piece, int size) {
    const std::string& text = input_.text();
    const std::size_t left = text.size() - pos_;
    if (left == 0 || size < 2) {
        // fgets reads nothing: at the end it meets the end, and returns
        // nothing; with no room it returns the empty piece.
        if (left == 0) at_end_ = true;
        if (size >= 1) piece[0] = '\0';
        return left != 0;
    }
    const std::size_t room = static_cast<std::size_t>(size - 1);
    const char* start = text.data() + pos_;
    const void* line_end = std::memchr(start, '\n', left < room ? left : room);
    std::size_t n;
    if (line_end) {
        n = static_cast<std::size_t>(static_cast<const char*>(line_end) - start) + 1;
    } else if (left <= room) {
        n = left;  // the text ends before the line does: the end is met
        at_end_ = true;
    } else {
        n = room;
    }
    std::memcpy(piece, start, n);
    piece[n] = '\0';
    pos_ += n;
    return true;
}

void ScannedTextFile::skip_line() {
    const std::string& text = input_.text();
    const void* line_end = std::memchr(text.data() + pos_, '\n', text.size() - pos_);
    if (line_end) {
        pos_ = static_cast<std::size_t>(static_cast<const char*>(line_end) - text.data()) + 1;
    } else {
        pos_ = text.size();
        at_end_ = true;
    }
}

void ScannedTextFile::skip_white_space() {
    const std::string& text = input_.text();
    while (pos_ < text.size() && is_space(text[pos_])) ++pos_;
    // scanf looks for one more character, and meets the end.
    if (pos_ == text.size()) at_end_ = true;
}

bool ScannedTextFile::read_plain_numbers(double* values, int count) {
    // "%lf" (",%lf" ...) as scanf reads it, for numbers in the plain decimal
    // form [-]digits[.digits][e[+-]digits] only: from_chars and the C
    // library both round them correctly, so they give the same double. A
    // sign '+', inf, nan, hexadecimal, a number out of range, or any other
    // character than the separator that scanf would then meet leaves the
    // line to scanf itself.
    const std::string& text = input_.text();
    const char* const end = text.data() + text.size();
    const char* p = text.data() + pos_;
    double read[3];
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (p == end || *p != ',') return false;
            ++p;
        }
        while (p != end && is_space(*p)) ++p;
        const char* digits = p != end && *p == '-' ? p + 1 : p;
        if (digits == end || !((*digits >= '0' && *digits <= '9') || *digits == '.')) return false;
        const std::from_chars_result r = std::from_chars(p, end, read[i]);
        if (r.ec != std::errc() || r.ptr == p) return false;
        p = r.ptr;
        // A character that could carry the number on ("1e", "0x1") leaves
        // scanf reading further than from_chars: only a separator will do.
        if (i + 1 < count) continue;
        if (p != end && !is_space(*p)) return false;
    }
    for (int i = 0; i < count; ++i) values[i] = read[i];
    pos_ = static_cast<std::size_t>(p - text.data());
    // The last number ends at the end of the text: scanf met it.
    if (p == end) at_end_ = true;
    return true;
}

ScanResult ScannedTextFile::finish(int converted, int wanted, bool finite, const ValueName& what) {
    if (converted == wanted) {
        // The pattern's closing newline: any run of white space.
        skip_white_space();
        return finite ? ScanResult::Complete : ScanResult::NotFinite;
    }
    if (!finite) return ScanResult::NotFinite;
    if (at_end()) return ScanResult::EndOfFile;
    warn(line(), "应为 " + what() + "; 未读到的值按 0 计.");
    return ScanResult::Unparsed;
}

ScanResult ScannedTextFile::read_number(const char* prefix, double& value, const ValueName& what) {
    const long start = position();
    int r;
    if (*prefix == '\0' && read_plain_numbers(&value, 1)) {
        r = 1;
    } else {
        const std::string pattern = std::string(prefix) + "%lf";
        r = scan(pattern.c_str(), &value);
    }
    const bool finite = r < 1 || usable_values(&value, 1, start, what);
    return finish(r, 1, finite, what);
}

ScanResult ScannedTextFile::read_point(Point3& p, const ValueName& what) {
    double v[3] = {p.x, p.y, p.z};
    const long start = position();
    const int r = read_plain_numbers(v, 3) ? 3 : scan("%lf,%lf,%lf", &v[0], &v[1], &v[2]);
    p.set(v[0], v[1], v[2]);
    const bool finite = r < 1 || usable_values(v, r, start, what);
    return finish(r, 3, finite, what);
}

ScanResult ScannedTextFile::read_record_number(int& number, const std::string& what) {
    const ValueName name = [&what] { return what; };
    // %n is stored only when the closing ':' has matched as well.
    int consumed = -1;
    const int r = scan("#%d:%n", &number, &consumed);
    return finish(r == 1 && consumed < 0 ? 0 : r, 1, true, name);
}

}  // namespace voxel
