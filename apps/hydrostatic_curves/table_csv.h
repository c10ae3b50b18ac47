// "Hydro_Static.csv": the hydrostatic table as one table for spreadsheets
// (UTF-8, LF line ends).
#pragma once

#include <string>

#include "apps/hydrostatic_curves/ship_model.h"

namespace voxel {

constexpr const char* kTableCsvFileName = "Hydro_Static.csv";

// The header row
// "T_m,V_m3,DIS_t,DISk_t,Zb_m,Xb_m,Aw_m2,Xf_m,Zm_m,TPC_t,MTC_t_m,ZmL_m,CB,Cw,Cm,Cp"
// (symbol and unit of each column of HydroTable), then one row per waterline
// in table order. Numbers by format_shortest, so they read back to the same
// doubles; rows of waterlines that met no hull hold "nan" or "inf".
std::string hydrostatic_table_csv(const HydroTable& table);

}  // namespace voxel
