// The loading-condition file: a TOML document that names the hull model and
// gives the fixed weights, the tanks with their liquids, the downflooding
// openings and the heel step of the GZ curve. Lengths in m, masses in t,
// densities in t/m^3, volumes in m^3, the heel step in degrees; a point is an
// array of three numbers [x, y, z] in the hull's body coordinates. Where a
// number is asked for, an integer is taken as well.
//
//   name = "Full load departure"     # optional
//   [hull]                           # required
//   model = "ship.txt"               # required: path of the hull model
//   lpp = 100.0                      # optional, > 0
//   breadth = 20.0                   # optional, > 0
//   water_density = 1.025            # optional, > 0
//   [lightship]                      # required
//   mass = 2500.0                    # required, >= 0
//   centre = [48.0, 0.0, 6.5]        # required
//   [[item]]                         # any number: name, mass (>= 0), centre
//   [[tank]]                         # any number: name, shape (path of the
//                                    # tank's inner space), density (> 0),
//                                    # exactly one of fill (0..1), volume
//                                    # (>= 0) or mass (>= 0), permeability
//                                    # (optional, 0 < p <= 1, default 1)
//   [[opening]]                      # any number: name, point
//   [gz]                             # optional
//   heel_step = 1                    # optional, default 1: 0.1 to 5, and 5 /
//                                    # heel_step a whole number (5, 2.5, 1,
//                                    # 0.5, 0.25, ...), so that the areas'
//                                    # Simpson intervals are even in number
//   [[compartment]]                  # any number: name, shape (path of the
//                                    # space), permeability (0 < p <= 1)
//   [[damage]]                       # any number: name, compartments (an
//                                    # array of compartment names, each once,
//                                    # at least one)
//
// Every key of an item, a tank and an opening is required but the tank's
// permeability; every key of a compartment and a damage case is required.
// A relative path (model, shape) is taken from the folder of the condition
// file, as the mesh path of a SurfaceMesh block is from its model file; the
// files it names are not opened here.
//
// Each fault is an error with the line of the offending key, naming the key
// by its dotted path with 1-based numbers for the tables of an array
// (`tank[2].fill`, `lightship.centre[3]`): an unknown key (at any level), a
// value of the wrong type, a missing required key (at the line of its
// table's header, line 1 for a missing table), a number not finite or beyond
// kLargestInputMagnitude, a value out of its range, none or more than one of
// a tank's fill, volume and mass, two items (tanks, openings, compartments,
// damage cases) of one name, an empty path, a damage case's compartment
// that no [[compartment]] names or that it lists twice, a case without one.
// Every fault of the file is reported, but a TOML syntax error, which ends
// the reading. A UTF-8 byte-order mark is skipped; a file
// in a wide encoding, or no text, is refused.
#pragma once

#include <string>

#include "model/io/diagnostics.h"
#include "model/loading/condition.h"

namespace voxel {

struct ConditionReadResult {
    bool opened = false;  // false: the file could not be opened or read (a diagnostic says why)
    Condition condition;  // to be used only when the diagnostics hold no error
    Diagnostics diagnostics;
};

// Reads the condition file at `path` (a regular file: a folder, a FIFO or a
// device is refused without waiting).
ConditionReadResult read_condition_file(const std::string& path);

// The same over the file's bytes; `name` is the file's path, for the
// messages and for the folder that relative paths start from.
ConditionReadResult read_condition_bytes(const std::string& name, const std::string& bytes);

}  // namespace voxel
