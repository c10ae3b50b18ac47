#include "arm_file.h"

#include <cstdlib>

#include "kernel/platform/console.h"
#include "support/process.h"

namespace acceptance {

namespace {

bool parse_series(const std::vector<std::string>& lines, std::size_t first,
                  std::vector<ArmLine>& series) {
    for (int j = 0; j < 19; ++j) {
        const std::string& line = lines[first + j];
        const std::size_t space = line.find(' ');
        if (space == std::string::npos) return false;
        ArmLine a;
        a.degrees = std::atoi(line.substr(0, space).c_str());
        a.text = line.substr(space + 1);
        char* end = nullptr;
        a.arm = std::strtod(a.text.c_str(), &end);
        if (a.degrees != 5 * j || a.text.empty() || *end != '\0') return false;
        series.push_back(a);
    }
    return true;
}

}  // namespace

ArmFile parse_arm_file(const std::string& bytes) {
    ArmFile f;
    const std::vector<std::string> lines = testing_support::split_lines(bytes);
    if (lines.size() != 40) return f;
    if (lines[0] != voxel::utf8_to_gbk("右倾回复力臂系列:")) return f;
    if (lines[20] != voxel::utf8_to_gbk("左倾回复力臂系列:")) return f;
    f.well_formed = parse_series(lines, 1, f.right) && parse_series(lines, 21, f.left);
    return f;
}

}  // namespace acceptance
