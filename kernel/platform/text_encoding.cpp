#include "kernel/platform/text_encoding.h"

#include <cstring>

namespace voxel {

namespace {

bool starts_with(std::string_view bytes, const char* mark, std::size_t n) {
    return bytes.size() >= n && bytes.compare(0, n, mark, n) == 0;
}

unsigned byte(std::string_view b, std::size_t i) {
    return static_cast<unsigned char>(b[i]);
}

// Every unit of four bytes a character of UTF-32 other than NUL: high byte 0,
// the next one a plane 0..0x10. `high` is the index of the high byte within
// the unit (3 for LE, 0 for BE), `plane` that of the plane byte.
bool is_utf32(std::string_view b, std::size_t high, std::size_t plane) {
    const std::size_t units = b.size() / 4;
    if (units == 0) return false;
    for (std::size_t u = 0; u < 4 * units; u += 4) {
        if (byte(b, u + high) != 0 || byte(b, u + plane) > 0x10) return false;
        if ((byte(b, u) | byte(b, u + 1) | byte(b, u + 2) | byte(b, u + 3)) == 0) return false;
    }
    return true;
}

// No unit of two bytes NUL, and at least half of them with the high byte 0
// (ASCII and Latin-1: the keys, numbers and line ends of a model file).
bool is_utf16(std::string_view b, std::size_t high) {
    const std::size_t units = b.size() / 2;
    std::size_t narrow = 0;
    for (std::size_t u = 0; u < 2 * units; u += 2) {
        if ((byte(b, u) | byte(b, u + 1)) == 0) return false;
        if (byte(b, u + high) == 0) ++narrow;
    }
    return units > 0 && 2 * narrow >= units;
}

// A byte that text does not hold: a control character other than the white
// space of text (tab, line feed, vertical tab, form feed, carriage return).
bool is_control(unsigned c) {
    return (c < 0x20 && !(c >= 0x09 && c <= 0x0D)) || c == 0x7F;
}

// The file without a byte-order mark of a wide encoding: a wide encoding
// told by where its NUL bytes fall, no text, or nullptr for byte text.
const char* unmarked_refusal(std::string_view probe) {
    if (std::memchr(probe.data(), '\0', probe.size()) != nullptr) {
        // UTF-32 first: its ASCII character "c 0 0 0" holds a NUL unit of
        // UTF-16, so it is never taken for UTF-16.
        if (is_utf32(probe, 3, 2)) return "UTF-32 LE";
        if (is_utf32(probe, 0, 1)) return "UTF-32 BE";
        if (is_utf16(probe, 1)) return "UTF-16 LE";
        if (is_utf16(probe, 0)) return "UTF-16 BE";
        return kNotTextFile;
    }
    std::size_t controls = 0;
    for (char c : probe) controls += is_control(static_cast<unsigned char>(c)) ? 1 : 0;
    return 16 * controls > probe.size() ? kNotTextFile : nullptr;
}

}  // namespace

TextEncodingCheck check_text_encoding(std::string_view bytes) {
    TextEncodingCheck check;
    // UTF-32 LE's mark begins with UTF-16 LE's, so the longer is tried first.
    if (starts_with(bytes, "\xFF\xFE\0\0", 4)) {
        check.refused = "UTF-32 LE";
    } else if (starts_with(bytes, "\0\0\xFE\xFF", 4)) {
        check.refused = "UTF-32 BE";
    } else if (starts_with(bytes, "\xFF\xFE", 2)) {
        check.refused = "UTF-16 LE";
    } else if (starts_with(bytes, "\xFE\xFF", 2)) {
        check.refused = "UTF-16 BE";
    } else {
        if (starts_with(bytes, "\xEF\xBB\xBF", 3)) check.mark_bytes = 3;
        std::string_view probe = bytes.substr(0, kEncodingProbeBytes);
        probe.remove_prefix(check.mark_bytes);
        check.refused = unmarked_refusal(probe);
    }
    return check;
}

std::string refused_encoding_message(const char* refused) {
    if (std::strcmp(refused, kNotTextFile) == 0)
        return "不是文本文件 (其中有 NUL 字节或大量控制字符, 像是图片, 压缩包或程序), 无法读取; "
               "请给出纯文本 (ANSI/GBK 或 UTF-8) 的文件.";
    return std::string("文件是 ") + refused +
           " 编码的文本, 无法读取; 请将其另存为纯文本 (ANSI/GBK 或 UTF-8) 后再试.";
}

}  // namespace voxel
