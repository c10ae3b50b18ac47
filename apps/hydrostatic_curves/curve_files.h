// The files that hydrostatic_curves writes beside "Hydro_Static.txt": the
// table for spreadsheets (CSV) and the sheet of hydrostatic curves (SVG).
#pragma once

#include <string>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

// Writes "Hydro_Static.csv" and "Hydro_Static.svg" into `folder` ("" for the
// working folder), each to a temporary name first and then renamed, so that
// no half-written file is left. A file that cannot be written gives one
// message on standard error; the other is still written. `model_path` names
// the model on the sheet.
void write_curve_files(const std::string& folder, const std::string& model_path,
                       const HydroTable& table);

}  // namespace voxel
