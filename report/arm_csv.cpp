#include "report/arm_csv.h"

#include <limits>

#include "kernel/platform/number_format.h"
#include "model/stability/arm_sweep.h"

namespace voxel {

namespace {

double value_at(const std::vector<double>& series, std::size_t i) {
    return i < series.size() ? series[i] : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

std::string righting_arm_csv(const ArmSeries& starboard, const ArmSeries& port) {
    std::string text = "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,balanced_port\n";
    for (int degrees = 0, i = 0; degrees <= kLastHeelDegrees; degrees += kHeelStepDegrees, ++i) {
        const auto k = static_cast<std::size_t>(i);
        text += std::to_string(degrees) + "," + format_shortest(value_at(starboard.gz, k)) + "," +
                format_shortest(value_at(port.gz, k)) + "," +
                (starboard.balanced_at(k) ? "1" : "0") + "," + (port.balanced_at(k) ? "1" : "0") +
                "\n";
    }
    return text;
}

}  // namespace voxel
