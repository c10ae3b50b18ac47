// The bodies a condition file names, read: the hull and every tank's inner
// space, and the amounts of liquid checked against the capacities.
#pragma once

#include <string>

#include "model/io/diagnostics.h"
#include "model/loading/condition.h"
#include "model/loading/loading_run.h"

namespace voxel {

// The stem of a condition file's path: its last component without the
// extension; the result files are named after it.
std::string condition_stem(const std::string& path);

// Reads the hull, the tank shapes and the compartment shapes of `condition`
// (read_body_file), with the crossing test `crossing`. What their files say
// is kept under their own names; a file that cannot be opened or used, a
// shape of no volume, a required particular that neither the condition nor a
// ship file gives, and an amount of liquid beyond its tank's capacity are
// errors at the line of the key in the condition file, and so are two
// compartments of one damage case that share volume. A compartment more
// than 0.01 % of whose volume lies outside the hull's solids (with the
// share), and a tank that overlaps a compartment some damage case floods,
// are warnings. `out` is usable when no error was added.
void load_condition_bodies(const Condition& condition, CrossingTolerance crossing,
                           LoadedCondition& out, Diagnostics& diagnostics);

}  // namespace voxel
