// Lists of numbers on the command line: "a,b,c", or a range "from:step:to".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace voxel {

struct ValueList {
    std::vector<double> values;  // in the order written
    std::string error;           // empty when the text is a list; else why not (Chinese)
};

// The numbers of `text`, separated by commas, each in the C locale's form
// (std::from_chars: "1.5", "-2", "3e1"; no blanks), finite and within
// kLargestInputMagnitude. With `allow_range`, "from:step:to" (step > 0,
// to >= from) stands for from + k step, k = 0, 1, ..., as long as
// k <= (to - from) / step + 1e-9 (so "0:5:90" ends at 90). More than
// `max_count` values, or none, is an error.
ValueList parse_value_list(const std::string& text, bool allow_range, std::size_t max_count);

}  // namespace voxel
