#include "apps/hydrostatic_curves/hydrostatic_run.h"

#include <string>
#include <vector>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "report/table_file.h"

namespace voxel {

bool sweep_hydrostatics(ShipModel& ship, const std::string& path, int threads) {
    const std::vector<double> no_hull = compute_hydrostatics(
        ship, [](const std::string& line) { console_line(line); }, threads);
    if (ship.table.count > 0 && no_hull.size() == static_cast<std::size_t>(ship.table.count)) {
        diagnostic_line(path + ": 错误: 吃水 " + format_number(ship.table.T[0]) + " m 至 " +
                        format_number(ship.table.T[ship.table.count - 1]) +
                        " m 的水线都未与船体相交 (船体的实体是否在基线 z=0 与型深 D 之间?); "
                        "没有计算结果, 不写出静水力表.");
        return false;
    }
    if (!no_hull.empty()) {
        std::string drafts;
        for (double T : no_hull) drafts += (drafts.empty() ? "" : ", ") + format_number(T);
        diagnostic_line(
            "警告: 以下吃水 (m) 的水线未与船体相交 (排水体积、水线面面积或舯横剖面为零), "
            "表中相应的值为 nan 或 inf: " +
            drafts);
    }
    write_hydrostatic_table(ship.table);
    return true;
}

}  // namespace voxel
