// "Hydro_Static.svg": the sheet of hydrostatic curves drawn from the table,
// draft on the vertical axis (A4 landscape, labels in Chinese).
#pragma once

#include <string>

#include "model/hydrostatics/ship_model.h"
#include "report/charts/curve_sheet.h"

namespace voxel {

constexpr const char* kTableChartFileName = "Hydro_Static.svg";

// The sheet: draft T (m) upwards; the fifteen other columns in five panels,
// each quantity a curve labelled with its symbol on a round scale of its own
// or shared with quantities of the same kind: V on its own, DIS and DISk on
// one; Aw, TPC and MTC each on its own; Zb and Zm on one, ZmL on its own; Xb
// and Xf (from midship) on one; CB, Cw, Cm, Cp on 0 to 1. Proportional
// curves (V and DIS, Aw and TPC) take different shares of their panel so
// they lie apart. The scales of Zm and of ZmL reach twice as far as the
// values of the deeper half of the drafts: where the metacentres run off at
// the shallowest drafts they are cut at the frame, with an arrow and a note
// of the value they go on to. Rows that met no hull (nan, inf) leave gaps.
// `subtitle` (the ship file ...) may be empty.
CurveSheet hydrostatic_sheet(const HydroTable& table, const std::string& subtitle);

// The SVG text of that sheet.
std::string hydrostatic_sheet_svg(const HydroTable& table, const std::string& subtitle);

}  // namespace voxel
