#include "report/charts/nice_ticks.h"

#include <algorithm>
#include <cmath>

#include "kernel/platform/number_format.h"
#include "report/charts/text_extent.h"

namespace voxel {

namespace {

// 10^n exactly for 0 <= n <= 22 (every such power is a double).
double power_of_ten(int n) {
    double p = 1.0;
    for (int i = 0; i < n; ++i) p *= 10.0;
    return p;
}

// k * M * 10^p: the product k * M is a whole number (exact below 2^53), then
// one multiplication or one division by an exact power of ten rounds it once.
double tick_value(long long k, int mantissa, int p) {
    const double whole = static_cast<double>(k * mantissa);
    return p >= 0 ? whole * power_of_ten(p) : whole / power_of_ten(-p);
}

}  // namespace

Ticks nice_ticks(double lo, double hi, int max_intervals, bool allow_two_and_a_half) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0.0;
        hi = 1.0;
    }
    if (lo > hi) std::swap(lo, hi);
    if (lo == hi) {
        const double d = lo == 0.0 ? 1.0 : 0.1 * std::fabs(lo);
        lo -= d;
        hi += d;
    }
    if (max_intervals < 1) max_intervals = 1;

    // The step is M * 10^p with M from the round mantissas; start one decade
    // below the raw step span / n and take the first candidate whose whole
    // steps around [lo, hi] number at most n.
    const double raw = (hi - lo) / max_intervals;
    int p = static_cast<int>(std::floor(std::log10(raw))) - 1;
    struct Mantissa {
        int whole;  // M as a whole number
        int shift;  // M = whole * 10^shift
    };
    const Mantissa all[] = {{1, 0}, {2, 0}, {25, -1}, {5, 0}};
    Ticks ticks;
    for (int decade = 0; decade < 4; ++decade, ++p) {
        for (const Mantissa& m : all) {
            if (m.whole == 25 && !allow_two_and_a_half) continue;
            const int q = p + m.shift;
            const double step = tick_value(1, m.whole, q);
            // A bound within a billionth of a step of a tick counts as on it,
            // so 0.3 / 0.1 = 2.9999999999999996 does not add a step.
            const double first = std::floor(lo / step + 1e-9);
            const double last = std::ceil(hi / step - 1e-9);
            if (last - first > max_intervals) continue;
            ticks.step = step;
            ticks.decimals = q < 0 ? -q : 0;
            for (auto k = static_cast<long long>(first); k <= static_cast<long long>(last); ++k)
                ticks.values.push_back(tick_value(k, m.whole, q));
            return ticks;
        }
    }
    // Not reached for finite input; a plain two-tick axis all the same.
    ticks.values = {lo, hi};
    ticks.step = hi - lo;
    return ticks;
}

std::string tick_label(double value, int decimals) {
    return format_fixed_unsigned_zero(value, decimals);
}

double widest_tick_label_mm(const Ticks& ticks, double font_mm) {
    double widest = 0.0;
    for (double v : ticks.values)
        widest = std::max(widest, text_width_mm(tick_label(v, ticks.decimals), font_mm));
    return widest;
}

}  // namespace voxel
