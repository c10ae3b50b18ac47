#include "apps/righting_arm/stability_files.h"

#include "apps/righting_arm/arm_chart.h"
#include "apps/righting_arm/arm_csv.h"
#include "apps/righting_arm/stability_criteria.h"
#include "apps/righting_arm/upright_stability.h"
#include "kernel/platform/console.h"
#include "kernel/platform/file_replace.h"
#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

ArmSeries series_of(const std::vector<ArmResult>& arms, const VoxelGroup& body) {
    ArmSeries s;
    for (const ArmResult& a : arms) s.gz.push_back(a.GZ);
    s.gm0 = arms.empty() ? 0.0 : initial_metacentric_height(body, body.V, body.G, arms.front());
    return s;
}

void write(const std::string& folder, const char* name, const std::string& text) {
    const std::string path = folder.empty() ? std::string(name) : folder + "/" + name;
    if (!replace_file_contents(path, text))
        diagnostic_line(std::string("righting_arm: 无法写入文件 ") + path + ", 其余结果照常写出.");
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
    write(folder, kArmCsvFileName, righting_arm_csv(input.starboard.gz, input.port.gz));
    write(folder, kStabilityCriteriaFileName, stability_criteria_text(input));
    const std::string subtitle = model_path + "  V=" + format_number(body.V) + "  G=(" +
                                 format_number(body.G.x) + ", " + format_number(body.G.y) + ", " +
                                 format_number(body.G.z) + ")";
    write(folder, kArmChartFileName, righting_arm_chart_svg(input.starboard, input.port, subtitle));
}

}  // namespace voxel
