#include "apps/righting_arm/stability_files.h"

#include "frame/console_frame.h"
#include "kernel/platform/number_format.h"
#include "model/stability/stability_criteria.h"
#include "model/stability/upright_stability.h"
#include "report/arm_chart.h"
#include "report/arm_csv.h"
#include "report/criteria_file.h"

namespace voxel {

namespace {

ArmSeries series_of(const std::vector<ArmResult>& arms, const VoxelGroup& body) {
    ArmSeries s;
    for (const ArmResult& a : arms) {
        s.gz.push_back(a.GZ);
        s.balanced.push_back(trim_balanced(a));
    }
    s.gm0 = arms.empty() ? 0.0 : initial_metacentric_height(body, body.V, body.G, arms.front());
    return s;
}

}  // namespace

void write_stability_files(const std::string& folder, const std::string& model_path,
                           const VoxelGroup& body, const SweepResults& results) {
    StabilityInput input;
    input.model_path = model_path;
    input.V = body.V;
    input.G = body.G;
    input.starboard = series_of(results.starboard, body);
    input.port = series_of(results.port, body);
    write_side_file("righting_arm", folder, kArmCsvFileName,
                    righting_arm_csv(input.starboard, input.port));
    write_side_file("righting_arm", folder, kStabilityCriteriaFileName,
                    stability_criteria_text(input));
    const std::string subtitle = model_path + "  V=" + format_number(body.V) + "  G=(" +
                                 format_number(body.G.x) + ", " + format_number(body.G.y) + ", " +
                                 format_number(body.G.z) + ")";
    write_side_file("righting_arm", folder, kArmChartFileName,
                    righting_arm_chart_svg(input.starboard, input.port, subtitle));
}

}  // namespace voxel
