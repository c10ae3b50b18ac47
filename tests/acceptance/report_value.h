// Measured values that the tests record (RecordProperty) for the reports.
#pragma once

#include <cstdio>
#include <string>

namespace acceptance {

// "1.234e-09": three significant digits in exponent form.
inline std::string scientific(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", v);
    return text;
}

}  // namespace acceptance
