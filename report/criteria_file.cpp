#include "report/criteria_file.h"

#include <string>
#include <vector>

#include "kernel/platform/number_format.h"
#include "model/stability/arm_sweep.h"
#include "model/stability/stability_criteria.h"
#include "report/text_columns.h"

namespace voxel {

namespace {

// " 40 45 50": the angles of the series whose trim was not balanced.
std::string unbalanced_angles(const ArmSeries& s) {
    std::string angles;
    for (std::size_t i = 0; i < s.balanced.size(); ++i)
        if (!s.balanced[i]) angles += " " + std::to_string(static_cast<int>(i) * kHeelStepDegrees);
    return angles;
}

}  // namespace

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
    const std::string starboard_off = unbalanced_angles(input.starboard);
    const std::string port_off = unbalanced_angles(input.port);
    if (!starboard_off.empty() || !port_off.empty())
        note(
            "NOT_BALANCED: the value uses a point whose trim balancing stopped at its bound (the "
            "arm there is that of the last accepted trim, not of the body in longitudinal "
            "balance), so it is neither passed nor failed; trim not balanced at heel (degrees): "
            "starboard" +
            (starboard_off.empty() ? std::string(" none") : starboard_off) + "; port" +
            (port_off.empty() ? std::string(" none") : port_off));

    std::vector<std::vector<std::string>> rows;
    rows.push_back({"key", "limit", "starboard", "starboard_result", "port", "port_result"});
    for (const CriterionResult& r : evaluate_stability_criteria(input.starboard, input.port))
        rows.push_back({r.key, format_number(r.limit), format_number(r.starboard),
                        criterion_verdict(r.starboard_pass, r.starboard_balanced),
                        format_number(r.port), criterion_verdict(r.port_pass, r.port_balanced)});
    text += column_lines(rows, ColumnAlign::Left);
    return text;
}

}  // namespace voxel
