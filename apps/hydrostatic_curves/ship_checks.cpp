#include "apps/hydrostatic_curves/ship_checks.h"

#include <cmath>

#include "kernel/platform/number_format.h"

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
            errors.push_back(path + ": " + u.name + " 的值不是有限数 (" +
                             format_number(u.value) + "), 无法计算静水力.");
        }
    }
    return errors;
}

}  // namespace voxel
