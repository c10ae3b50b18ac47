// Tolerances for numbers that the programs print with 6 significant digits.
#pragma once

#include <algorithm>
#include <cmath>

namespace acceptance {

// Half a unit in the sixth significant digit of a number of magnitude |v|:
// the most by which the general 6-digit format moves a value. The larger of
// the exact and the printed magnitude is used, so a value that rounds up to
// the next decade (0.9999996 -> 1) is covered.
inline double sixth_digit_half_unit(double exact, double printed) {
    const double m = std::max(std::fabs(exact), std::fabs(printed));
    if (m == 0.0) return 0.0;
    return 0.5 * std::pow(10.0, std::floor(std::log10(m)) - 5.0);
}

// How far a printed value may lie from the exact one: the rounding of the
// output plus `absolute` (a length or volume scaled to the body, for the
// program's own convergence tolerances and for values that are exactly 0).
inline double printed_tolerance(double exact, double printed, double absolute) {
    return sixth_digit_half_unit(exact, printed) + absolute;
}

}  // namespace acceptance
