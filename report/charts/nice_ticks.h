// Round tick values for an axis: steps of 1, 2, 2.5 or 5 times a power of
// ten (or the classic 1-2-5 series), the axis widened to whole steps.
#pragma once

#include <string>
#include <vector>

namespace voxel {

struct Ticks {
    // Tick values from the first to the last, ascending; the axis runs from
    // values.front() to values.back(), which enclose the requested range.
    std::vector<double> values;
    double step = 1.0;
    // Decimals that print every tick exactly: 0 for a step of 5, 1 for 2.5
    // or 0.5, 2 for 0.25 ...
    int decimals = 0;

    double first() const { return values.front(); }
    double last() const { return values.back(); }
};

// Ticks covering [lo, hi] with at most `max_intervals` steps (at least 1),
// the smallest round step that fits. Each value is computed as k * M * 10^p
// from whole numbers k, M (1, 2, 25 or 5) and p, so 0.3 prints as 0.3 and
// zero is exactly 0. lo > hi are swapped; an empty range (lo == hi) is
// widened by 10 % of |lo| (1 when lo is 0) on each side; non-finite bounds
// give the axis 0 to 1. With allow_two_and_a_half false the steps are 1, 2, 5.
Ticks nice_ticks(double lo, double hi, int max_intervals, bool allow_two_and_a_half = true);

// A tick value printed with the given decimals (fixed notation, locale-free,
// never "-0").
std::string tick_label(double value, int decimals);

// The width of the widest tick label in a font of that size, mm.
double widest_tick_label_mm(const Ticks& ticks, double font_mm);

}  // namespace voxel
