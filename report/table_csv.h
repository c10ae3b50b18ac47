// "Hydro_Static.csv": the hydrostatic table as one table for spreadsheets
// (UTF-8, LF line ends).
#pragma once

#include <string>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

constexpr const char* kTableCsvFileName = "Hydro_Static.csv";

// The header row (symbol and unit of each column of HydroTable; TPC is in
// tonnes per centimetre of immersion, MTC in tonne-metres per centimetre of
// trim, the coefficients have none)
//   T_m,V_m3,DIS_t,DISk_t,Zb_m,Xb_m,Aw_m2,Xf_m,Zm_m,
//   TPC_t_per_cm,MTC_t_m_per_cm,ZmL_m,CB,Cw,Cm,Cp
// on one line, then one row per waterline in table order. Numbers by
// format_shortest, so they read back to the same doubles; rows of
// waterlines that met no hull hold "nan" or "inf".
std::string hydrostatic_table_csv(const HydroTable& table);

}  // namespace voxel
