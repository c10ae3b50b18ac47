#include "apps/righting_arm/stability_criteria.h"

#include <cmath>
#include <limits>

#include "apps/righting_arm/sweep.h"
#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

double point(const std::vector<double>& gz, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= gz.size()) return kNaN;
    return gz[static_cast<std::size_t>(index)];
}

// A line of the file's text: no line end may slip in with a path.
std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
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
    const double h = (kHeelStepDegrees / 180.0) * std::acos(-1.0);
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
        results.push_back(r);
    }
    return results;
}

std::string stability_criteria_text(const StabilityInput& input) {
    std::string text;
    auto note = [&text](const std::string& line) { text += "# " + line + "\n"; };
    note("Intact stability criteria checked on the righting-arm (GZ) curves of righting_arm");
    note("model file: " + one_line(input.model_path));
    note("displacement volume V = " + format_number(input.V) + " m^3");
    note("centre of gravity G = (" + format_number(input.G.x) + ", " + format_number(input.G.y) +
         ", " + format_number(input.G.z) + ") m");
    note("lengths of the model are taken as metres (arms in m, areas in m*rad)");
    note(
        "series: starboard = heel to starboard (右倾, sigma = -1), port = heel to port (左倾, "
        "sigma = +1), heel angles 0, 5, ..., 90 degrees");
    note("downflooding angle: not modelled; it is taken to lie beyond 40 degrees");
    note(
        "areas under the GZ curve: Simpson's rule over the computed 5-degree points, angles in "
        "radians");
    note("angle_gz_max_deg: the computed point with the largest GZ of the whole curve");
    note(
        "GM0 = z_B + I_T/V - z_G at the upright state of the sweep (I_T: transverse second "
        "moment of the waterplane area)");
    note(
        "PASS when value >= limit; FAIL otherwise, and for a value that could not be computed "
        "(nan)");

    std::vector<std::vector<std::string>> rows;
    rows.push_back({"key", "limit", "starboard", "starboard_result", "port", "port_result"});
    for (const CriterionResult& r : evaluate_stability_criteria(input.starboard, input.port))
        rows.push_back({r.key, format_number(r.limit), format_number(r.starboard),
                        r.starboard_pass ? "PASS" : "FAIL", format_number(r.port),
                        r.port_pass ? "PASS" : "FAIL"});
    std::vector<std::size_t> width(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            if (row[c].size() > width[c]) width[c] = row[c].size();
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? pad_left_aligned(row[c], width[c] + 2) : row[c];
        text += line + "\n";
    }
    return text;
}

}  // namespace voxel
