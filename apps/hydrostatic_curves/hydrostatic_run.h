// The sweep of hydrostatic_curves as the program runs it: on the console and
// into "Hydro_Static.txt".
#pragma once

#include <string>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

// The whole sweep of the program: progress lines on the console, the table
// computed, a warning on standard error naming the drafts that met no hull,
// then "Hydro_Static.txt" written. A sweep in which no waterline meets the
// hull has no result: an error naming the model file, nothing written, false.
bool sweep_hydrostatics(ShipModel& ship, const std::string& path, int threads);

}  // namespace voxel
