#include "model/hydrostatics/ship_checks.h"

#include <cmath>

#include "kernel/platform/number_format.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

std::vector<std::string> ship_data_errors(const ShipModel& ship, const std::string& path) {
    const struct {
        const char* name;
        double value;
    } used[] = {{"Lpp", ship.Lpp},
                {"B", ship.B},
                {"D", ship.D},
                {"Gra_Pt.x", ship.Gra_Pt.x},
                {"Gra_Pt.y", ship.Gra_Pt.y},
                {"Gra_Pt.z", ship.Gra_Pt.z},
                {"W_Den", ship.W_Den},
                {"C1", ship.C1}};
    std::vector<std::string> errors;
    for (const auto& u : used) {
        if (!std::isfinite(u.value)) {
            errors.push_back(path + ": " + u.name + " 的值不是有限数 (" + format_number(u.value) +
                             "), 无法计算静水力.");
        } else if (std::fabs(u.value) > kLargestInputMagnitude) {
            errors.push_back(path + ": " + u.name + " 的绝对值超过 1e100 (" +
                             format_number(u.value) + "), 无法计算静水力.");
        }
    }
    if (errors.empty() && waterline_count(ship.D) > kMaxWaterlines) {
        errors.push_back(path + ": 型深 D=" + format_number(ship.D) + " 给出 " +
                         std::to_string(waterline_count(ship.D)) + " 条水线, 超过上限 " +
                         std::to_string(kMaxWaterlines) + " 条, 无法计算静水力.");
    }
    return errors;
}

std::vector<std::string> particulars_warnings(const ShipModel& ship, const std::string& path) {
    std::vector<std::string> warnings;
    if (ship.table.count < 1) return warnings;
    const double T = ship.table.T[static_cast<std::size_t>(ship.table.count - 1)];
    // The waterplane in the ship's (x, y).
    const WaterplaneProps w = ship.hull.section(Plane{0.0, 0.0, 1.0, -T}, [](const Point3& q) {
        return Point2{q.x, q.y};
    });
    const struct {
        const char* key;
        double value;
        double hull;
        const char* what;
    } compared[] = {{"Lpp", ship.Lpp, w.length, "水线长"}, {"B", ship.B, w.breadth, "水线宽"}};
    for (const auto& c : compared) {
        if (!(c.hull > 0.0) || !(std::fabs(c.value - c.hull) > 0.1 * c.hull)) continue;
        const double percent = std::round(std::fabs(c.value - c.hull) / c.hull * 100.0);
        warnings.push_back(path + ": 警告: " + c.key + "=" + format_number(c.value) +
                           " 与船体在最深水线 (吃水 " + format_number(T) + " m) 处的" + c.what +
                           " " + format_number(c.hull) + " m 相差 " + format_number(percent) +
                           "%, 超过 10%; 请核对 " + c.key + " (以它计算的各列将随之而错).");
    }
    return warnings;
}

std::string no_waterline_message(const ShipModel& ship, const std::string& path) {
    return path + ": 型深 D=" + format_number(ship.D) +
           " 给出 0 条水线 (首条水线吃水 0.5 m, D 须超过约 0.6 m), "
           "静水力表只有表头; 没有计算结果.";
}

}  // namespace voxel
