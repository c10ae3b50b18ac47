#include "model/stability/stability_criteria.h"

#include <cmath>
#include <limits>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "model/stability/arm_sweep.h"

namespace voxel {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

double point(const std::vector<double>& gz, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= gz.size()) return kNaN;
    return gz[static_cast<std::size_t>(index)];
}

}  // namespace

// Area under the curve between the computed points j and j + 2m (angles in
// radians, step h = 5 degrees = pi / 36 rad). Composite Simpson's rule fits a
// parabola through each pair of intervals [phi_k, phi_k+2]:
//   integral over the pair = h/3 (y_k + 4 y_k+1 + y_k+2),
// so over 2m intervals
//   A = h/3 (y_j + 4 y_j+1 + 2 y_j+2 + 4 y_j+3 + ... + 4 y_j+2m-1 + y_j+2m).
// The rule is exact for cubics; its error is -(b - a) h^4 GZ''''(xi) / 180.
// 0-30 (6 intervals), 0-40 (8) and 30-40 (2) all have an even count. The sum
// runs in point order.
double gz_curve_area(const std::vector<double>& gz, int from_degrees, int to_degrees) {
    if (from_degrees % kHeelStepDegrees != 0 || to_degrees % kHeelStepDegrees != 0) return kNaN;
    const int first = from_degrees / kHeelStepDegrees;
    const int last = to_degrees / kHeelStepDegrees;
    if (last < first || (last - first) % 2 != 0) return kNaN;
    const double h = (kHeelStepDegrees / 180.0) * kPi;
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
        const double weight = (k == first || k == last) ? 1.0 : ((k - first) % 2 == 1 ? 4.0 : 2.0);
        sum += weight * point(gz, k);
    }
    return h / 3.0 * sum;
}

double largest_gz_from(const std::vector<double>& gz, int from_degrees) {
    const int first = (from_degrees + kHeelStepDegrees - 1) / kHeelStepDegrees;
    const int last = kLastHeelDegrees / kHeelStepDegrees;
    double largest = -std::numeric_limits<double>::infinity();
    for (int k = first; k <= last; ++k) {
        const double y = point(gz, k);
        if (std::isnan(y)) return kNaN;
        if (y > largest) largest = y;
    }
    return largest;
}

double angle_of_largest_gz(const std::vector<double>& gz) {
    const int last = kLastHeelDegrees / kHeelStepDegrees;
    double largest = -std::numeric_limits<double>::infinity();
    int at = 0;
    for (int k = 0; k <= last; ++k) {
        const double y = point(gz, k);
        if (std::isnan(y)) return kNaN;
        if (y > largest) {
            largest = y;
            at = k;
        }
    }
    return at * kHeelStepDegrees;
}

bool criterion_passes(double value, double limit) {
    return value >= limit;
}

PointRange criterion_points(const std::string& key) {
    if (key == "area_0_30_m_rad") return {0, 30};
    if (key == "area_0_40_m_rad") return {0, 40};
    if (key == "area_30_40_m_rad") return {30, 40};
    if (key == "gz_max_30_plus_m") return {30, kLastHeelDegrees};
    if (key == "gm0_m") return {0, 0};
    return {0, kLastHeelDegrees};
}

std::string criterion_verdict(bool pass, bool balanced) {
    if (!balanced) return "NOT_BALANCED";
    return pass ? "PASS" : "FAIL";
}

namespace {

bool balanced_over(const ArmSeries& s, PointRange range) {
    for (int d = range.from_degrees; d <= range.to_degrees; d += kHeelStepDegrees)
        if (!s.balanced_at(static_cast<std::size_t>(d / kHeelStepDegrees))) return false;
    return true;
}

}  // namespace

std::vector<CriterionResult> evaluate_stability_criteria(const ArmSeries& starboard,
                                                         const ArmSeries& port) {
    struct Rule {
        const char* key;
        double limit;
        double (*value)(const ArmSeries&);
    };
    static const Rule rules[] = {
        {"area_0_30_m_rad", 0.055, [](const ArmSeries& s) { return gz_curve_area(s.gz, 0, 30); }},
        {"area_0_40_m_rad", 0.090, [](const ArmSeries& s) { return gz_curve_area(s.gz, 0, 40); }},
        {"area_30_40_m_rad", 0.030, [](const ArmSeries& s) { return gz_curve_area(s.gz, 30, 40); }},
        {"gz_max_30_plus_m", 0.20, [](const ArmSeries& s) { return largest_gz_from(s.gz, 30); }},
        {"angle_gz_max_deg", 25.0, [](const ArmSeries& s) { return angle_of_largest_gz(s.gz); }},
        {"gm0_m", 0.15, [](const ArmSeries& s) { return s.gm0; }},
    };
    std::vector<CriterionResult> results;
    for (const Rule& rule : rules) {
        CriterionResult r;
        r.key = rule.key;
        r.limit = rule.limit;
        r.starboard = rule.value(starboard);
        r.port = rule.value(port);
        r.starboard_pass = criterion_passes(r.starboard, r.limit);
        r.port_pass = criterion_passes(r.port, r.limit);
        r.starboard_balanced = balanced_over(starboard, criterion_points(r.key));
        r.port_balanced = balanced_over(port, criterion_points(r.key));
        results.push_back(r);
    }
    return results;
}

}  // namespace voxel
