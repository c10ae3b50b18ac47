#include "kernel/platform/text_encoding.h"

#include <cstring>

namespace voxel {

namespace {

bool starts_with(std::string_view bytes, const char* mark, std::size_t n) {
    return bytes.size() >= n && bytes.compare(0, n, mark, n) == 0;
}

// A wide encoding without a mark, told by where the NUL bytes of its ASCII
// characters fall: an ASCII character of UTF-16 LE is "c 0", of UTF-16 BE
// "0 c", of UTF-32 LE "c 0 0 0", of UTF-32 BE "0 0 0 c". The first four
// bytes decide; anything else with a NUL is named by the NUL alone.
const char* unmarked_wide_encoding(std::string_view b) {
    if (b.size() >= 4) {
        const bool z0 = b[0] == '\0', z1 = b[1] == '\0', z2 = b[2] == '\0', z3 = b[3] == '\0';
        if (!z0 && z1 && z2 && z3) return "UTF-32 LE";
        if (z0 && z1 && z2 && !z3) return "UTF-32 BE";
        if (!z0 && z1 && !z2 && z3) return "UTF-16 LE";
        if (z0 && !z1 && z2 && !z3) return "UTF-16 BE";
    }
    return "UTF-16 或 UTF-32 (含 NUL 字节)";
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
        const std::size_t probe =
            bytes.size() < kEncodingProbeBytes ? bytes.size() : kEncodingProbeBytes;
        if (std::memchr(bytes.data(), '\0', probe) != nullptr)
            check.refused = unmarked_wide_encoding(bytes.substr(check.mark_bytes));
    }
    return check;
}

std::string refused_encoding_message(const char* encoding) {
    return std::string("文件是 ") + encoding +
           " 编码的文本, 无法读取; 请将其另存为纯文本 (ANSI/GBK 或 UTF-8) 后再试.";
}

}  // namespace voxel
