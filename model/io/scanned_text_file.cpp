#include "model/io/scanned_text_file.h"

#include <algorithm>
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
    after_value_ = skip_pending_ = false;
    if (!input_.open(path.c_str())) return false;
    name_ = path;
    note_refused_encoding();
    return true;
}

bool ScannedTextFile::open_bytes(const std::string& name, const std::string& bytes) {
    pos_ = 0;
    at_end_ = false;
    after_value_ = skip_pending_ = false;
    if (!input_.open_bytes(bytes)) return false;
    name_ = name;
    note_refused_encoding();
    return true;
}

void ScannedTextFile::note_refused_encoding() {
    if (const char* encoding = input_.refused_encoding())
        error(1, refused_encoding_message(encoding));
}

long ScannedTextFile::first_non_space(long position) const {
    const std::string& text = input_.text();
    while (position < static_cast<long>(text.size()) &&
           is_space(text[static_cast<std::size_t>(position)]))
        ++position;
    return position;
}

int ScannedTextFile::value_line(long position) const {
    return line_at(first_non_space(position));
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

long ScannedTextFile::line_start(long position) const {
    const std::string& text = input_.text();
    std::size_t at = static_cast<std::size_t>(position);
    if (at > text.size()) at = text.size();
    while (at > 0 && text[at - 1] != '\n') --at;
    return static_cast<long>(at);
}

namespace {

// Blanks dropped, letters in lower case: "Gra_Pt.X =" as "gra_pt.x=".
std::string folded_key(const std::string& text) {
    std::string f;
    for (char c : text) {
        if (is_space(c)) continue;
        f += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return f;
}

}  // namespace

int ScannedTextFile::key_at(long position, const char* const* keys, int count) const {
    const std::string& text = input_.text();
    const std::size_t at = static_cast<std::size_t>(position);
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::size_t equals = text.find('=', at);
    if (at >= text.size() || equals == std::string::npos || equals > end) return -1;
    const std::string found = folded_key(text.substr(at, equals + 1 - at));
    for (int k = 0; k < count; ++k)
        if (found == folded_key(keys[k])) return k;
    return -1;
}

bool ScannedTextFile::begins_with_key(long position, const char* prefix) const {
    const std::string& text = input_.text();
    const std::size_t at = static_cast<std::size_t>(position);
    const std::size_t end = std::min(text.find('\n', at), text.size());
    if (at >= end) return false;
    const std::string line = text.substr(at, end - at);
    int matched = -1;
    const std::string pattern = std::string(prefix) + "%n";
    std::sscanf(line.c_str(), pattern.c_str(), &matched);
    return matched >= 0;
}

std::string ScannedTextFile::excerpt(long position) const {
    const std::string& text = input_.text();
    std::size_t at = static_cast<std::size_t>(position);
    std::string quoted;
    int characters = 0;
    while (at < text.size() && text[at] != '\n') {
        if (characters == 40) {
            quoted += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[at]);
        // A whole UTF-8 sequence is kept; a control byte or a byte that
        // starts no valid sequence shows as '?'.
        std::size_t n = c < 0x80                   ? 1
                        : (c >= 0xC2 && c <= 0xDF) ? 2
                        : (c >= 0xE0 && c <= 0xEF) ? 3
                        : (c >= 0xF0 && c <= 0xF4) ? 4
                                                   : 0;
        for (std::size_t k = 1; k < n; ++k)
            if (at + k >= text.size() || (static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
                n = 0;
        if (n == 1 && (c < 0x20 || c == 0x7F)) n = 0;
        if (n == 0) {
            quoted += '?';
            ++at;
        } else {
            quoted.append(text, at, n);
            at += n;
        }
        ++characters;
    }
    return quoted;
}

void ScannedTextFile::start_value() {
    if (skip_pending_) {
        skip_line();
        skip_white_space();
        return;
    }
    if (!text_after_value()) return;
    skip_line();
    skip_white_space();
}

bool ScannedTextFile::text_after_value() {
    const std::string& text = input_.text();
    if (!after_value_) return false;
    after_value_ = false;
    // The previous value's closing white space stopped on its own line.
    if (pos_ >= text.size() || std::memchr(text.data() + value_end_, '\n', pos_ - value_end_))
        return false;
    error(line(), "数值之后有多余的文字 \"" + excerpt(static_cast<long>(pos_)) +
                      "\" (每行只写一个数值记录).");
    return true;
}

int ScannedTextFile::scan(const char* pattern, ...) {
    after_value_ = skip_pending_ = false;
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

void ScannedTextFile::seek(long position) {
    after_value_ = skip_pending_ = false;
    pos_ = std::min(static_cast<std::size_t>(position < 0 ? 0 : position), input_.text().size());
    at_end_ = false;
}

bool ScannedTextFile::blank_from(long position) const {
    const std::string& text = input_.text();
    for (std::size_t at = static_cast<std::size_t>(position); at < text.size(); ++at)
        if (!is_space(text[at])) return false;
    return true;
}

bool ScannedTextFile::read_piece(char* piece, int size) {
    // The line is read on as before; text left after a value is still wrong.
    text_after_value();
    after_value_ = skip_pending_ = false;
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

void ScannedTextFile::skip_blank_lines() {
    after_value_ = skip_pending_ = false;
    const std::string& text = input_.text();
    std::size_t at = pos_;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::size_t k = at;
        while (k < end && is_space(text[k])) ++k;
        if (k < end) break;
        at = end < text.size() ? end + 1 : end;
    }
    pos_ = at;
}

std::string ScannedTextFile::read_line() {
    after_value_ = skip_pending_ = false;
    const std::string& text = input_.text();
    const std::size_t end = text.find('\n', pos_);
    std::string line;
    if (end == std::string::npos) {
        line = text.substr(pos_);
        pos_ = text.size();
        at_end_ = true;
    } else {
        line = text.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    return line;
}

void ScannedTextFile::skip_line() {
    after_value_ = skip_pending_ = false;
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

ScanResult ScannedTextFile::finish(long start, int converted, int wanted, bool finite,
                                   const ValueName& what, bool say_unparsed) {
    const std::string& text = input_.text();
    if (converted == wanted && (pos_ == text.size() || is_space(text[pos_]))) {
        // The pattern's closing newline: any run of white space.
        value_end_ = pos_;
        skip_white_space();
        after_value_ = true;
        return finite ? ScanResult::Complete : ScanResult::NotFinite;
    }
    if (converted < wanted && at_end())
        return finite ? ScanResult::EndOfFile : ScanResult::NotFinite;
    // No number where one was expected (the fault is on the line where the
    // record begins, however far scanf looked for it), or text glued to the
    // last one (on the line where it stands): that line is the one to quote
    // and to pass over.
    const long fault = converted == wanted
                           ? static_cast<long>(pos_)
                           : std::min(static_cast<long>(pos_), first_non_space(start));
    pos_ = static_cast<std::size_t>(line_start(fault));
    at_end_ = false;
    skip_pending_ = true;
    if (!finite) return ScanResult::NotFinite;
    if (say_unparsed)
        error(line(), "应为 " + what() + ", 读到 \"" + excerpt(static_cast<long>(pos_)) + "\".");
    return ScanResult::Unparsed;
}

ScanResult ScannedTextFile::read_number(const char* prefix, double& value, const ValueName& what,
                                        bool say_unparsed) {
    start_value();
    const long start = position();
    int r;
    if (*prefix == '\0' && read_plain_numbers(&value, 1)) {
        r = 1;
    } else {
        const std::string pattern = std::string(prefix) + "%lf";
        r = scan(pattern.c_str(), &value);
    }
    const bool finite = r < 1 || usable_values(&value, 1, start, what);
    return finish(start, r, 1, finite, what, say_unparsed);
}

ScanResult ScannedTextFile::read_point(Point3& p, const ValueName& what) {
    start_value();
    double v[3] = {p.x, p.y, p.z};
    const long start = position();
    const int r = read_plain_numbers(v, 3) ? 3 : scan("%lf,%lf,%lf", &v[0], &v[1], &v[2]);
    p.set(v[0], v[1], v[2]);
    const bool finite = r < 1 || usable_values(v, r, start, what);
    return finish(start, r, 3, finite, what);
}

ScanResult ScannedTextFile::read_record_number(int& number, const std::string& what) {
    start_value();
    const long start = position();
    const ValueName name = [&what] { return what; };
    // %n is stored only when the closing ':' has matched as well.
    int consumed = -1;
    const int r = scan("#%d:%n", &number, &consumed);
    return finish(start, r == 1 && consumed < 0 ? 0 : r, 1, true, name);
}

}  // namespace voxel
