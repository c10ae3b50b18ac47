#include "kernel/platform/number_format.h"

#include <charconv>
#include <cmath>

namespace voxel {

std::string format_number(double value) {
    // std::to_chars is specified as printf in the "C" locale, whatever the
    // locale of the process.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    std::string s(buf, res.ptr);
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    const auto e = s.find('e');
    if (e == std::string::npos) return s;
    // "1e-05" -> "1e-005": the exponent gets at least three digits.
    const std::size_t digits_at = e + 2;
    const std::size_t digits = s.size() - digits_at;
    if (digits < 3) s.insert(digits_at, 3 - digits, '0');
    return s;
}

std::string format_shortest(double value) {
    if (std::isnan(value)) return "nan";
    // 24 bytes hold the longest shortest form ("-2.2250738585072014e-308").
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string format_fixed(double value, int decimals) {
    char buf[400];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return "nan";
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    return std::string(buf, res.ptr);
}

std::string format_fixed_unsigned_zero(double value, int decimals) {
    std::string s = format_fixed(value, decimals);
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string pad_left_aligned(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return text + std::string(width - text.size(), ' ');
}

std::string pad_right_aligned(const std::string& text, std::size_t width) {
    if (text.size() >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace voxel
