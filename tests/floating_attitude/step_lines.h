// Reading back the step lines of the equilibrium iteration.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace step_lines {

struct Step {
    int count = -1;
    std::string det_an;  // as printed
    double d = 0.0;
    double N[3] = {0.0, 0.0, 0.0};
};

inline bool is_step_line(const std::string& line) {
    return line.rfind("Step", 0) == 0;
}

// "Step%3d: det_an=<13>, d=<13>,N=<<10>,<10>,<10>>"
inline Step parse(const std::string& line) {
    Step s;
    s.count = std::atoi(line.c_str() + 4);
    const std::size_t a = line.find(": det_an=") + 9;
    const std::size_t d = line.find(", d=");
    const std::size_t n = line.find(",N=<");
    s.det_an = line.substr(a, line.find(' ', a) - a);
    s.d = std::strtod(line.c_str() + d + 4, nullptr);
    const char* p = line.c_str() + n + 4;
    for (double& c : s.N) {
        char* end = nullptr;
        c = std::strtod(p, &end);
        while (*end == ' ') ++end;
        p = end + 1;  // past ',' or '>'
    }
    return s;
}

inline std::vector<Step> steps_of(const std::vector<std::string>& lines) {
    std::vector<Step> steps;
    for (const std::string& l : lines)
        if (is_step_line(l)) steps.push_back(parse(l));
    return steps;
}

}  // namespace step_lines
