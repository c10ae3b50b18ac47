#include "frame/value_list.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

// `word` as a whole number; false for anything else.
bool parse_value(const std::string& word, double& value) {
    const char* const end = word.data() + word.size();
    const std::from_chars_result r = std::from_chars(word.data(), end, value);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(value) &&
           std::fabs(value) <= kLargestInputMagnitude;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> words;
    std::size_t at = 0;
    for (;;) {
        const std::size_t next = text.find(separator, at);
        words.push_back(text.substr(at, next == std::string::npos ? std::string::npos : next - at));
        if (next == std::string::npos) return words;
        at = next + 1;
    }
}

std::string too_many(std::size_t max_count) {
    return "数值多于 " + std::to_string(max_count) + " 个";
}

}  // namespace

ValueList parse_value_list(const std::string& text, bool allow_range, std::size_t max_count) {
    ValueList list;
    if (allow_range && text.find(':') != std::string::npos) {
        const std::vector<std::string> parts = split(text, ':');
        double v[3] = {0.0, 0.0, 0.0};
        if (parts.size() != 3 || !parse_value(parts[0], v[0]) || !parse_value(parts[1], v[1]) ||
            !parse_value(parts[2], v[2])) {
            list.error = "范围应写作 起值:步长:终值 (三个数), 读到 " + text;
            return list;
        }
        const double from = v[0], step = v[1], to = v[2];
        if (!(step > 0.0) || !(to >= from)) {
            list.error = "范围 " + text + " 的步长须为正, 终值不小于起值";
            return list;
        }
        const double steps = (to - from) / step + 1e-9;
        if (!(steps < static_cast<double>(max_count))) {
            list.error = too_many(max_count) + ": " + text;
            return list;
        }
        for (std::size_t k = 0; static_cast<double>(k) <= steps; ++k)
            list.values.push_back(from + static_cast<double>(k) * step);
        return list;
    }
    for (const std::string& word : split(text, ',')) {
        double value = 0.0;
        if (!parse_value(word, value)) {
            list.error = "\"" + word + "\" 不是绝对值不超过 1e100 的有限数";
            list.values.clear();
            return list;
        }
        if (list.values.size() == max_count) {
            list.error = too_many(max_count) + ": " + text;
            list.values.clear();
            return list;
        }
        list.values.push_back(value);
    }
    return list;
}

}  // namespace voxel
