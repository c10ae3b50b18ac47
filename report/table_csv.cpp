#include "report/table_csv.h"

#include "kernel/platform/number_format.h"

namespace voxel {

std::string hydrostatic_table_csv(const HydroTable& table) {
    std::string text =
        "T_m,V_m3,DIS_t,DISk_t,Zb_m,Xb_m,Aw_m2,Xf_m,Zm_m,"
        "TPC_t_per_cm,MTC_t_m_per_cm,ZmL_m,CB,Cw,Cm,Cp\n";
    for (int row = 0; row < table.count; ++row) {
        const auto i = static_cast<std::size_t>(row);
        text += format_shortest(table.T[i]);
        for (HydroColumn column : kHydroColumns) {
            text += ',';
            text += format_shortest((table.*column)[i]);
        }
        text += '\n';
    }
    return text;
}

}  // namespace voxel
