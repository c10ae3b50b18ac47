#include "apps/hydrostatic_curves/table_csv.h"

#include <limits>
#include <vector>

#include "kernel/platform/number_format.h"

namespace voxel {

std::string hydrostatic_table_csv(const HydroTable& table) {
    const std::vector<const std::vector<double>*> columns = {
        &table.T,  &table.V,   &table.DIS, &table.DISk, &table.Zb, &table.Xb, &table.Aw, &table.Xf,
        &table.Zm, &table.TPC, &table.MTC, &table.ZmL,  &table.CB, &table.Cw, &table.Cm, &table.Cp};
    std::string text =
        "T_m,V_m3,DIS_t,DISk_t,Zb_m,Xb_m,Aw_m2,Xf_m,Zm_m,TPC_t,MTC_t_m,ZmL_m,CB,Cw,Cm,Cp\n";
    for (int row = 0; row < table.count; ++row) {
        const auto i = static_cast<std::size_t>(row);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::vector<double>& column = *columns[c];
            // A column shorter than `count` is a table not yet filled in.
            const double v =
                i < column.size() ? column[i] : std::numeric_limits<double>::quiet_NaN();
            if (c > 0) text += ',';
            text += format_shortest(v);
        }
        text += '\n';
    }
    return text;
}

}  // namespace voxel
