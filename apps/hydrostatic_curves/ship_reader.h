// The ship information file: ten key lines with the principal data, then the
// hull as blocks of solids, each decomposed into tetrahedra as it is read.
#pragma once

#include <string>
#include <vector>

#include "apps/hydrostatic_curves/ship_model.h"

namespace voxel {

struct ShipReadReport {
    bool opened = false;                // false: the file could not be opened or read
    std::vector<std::string> warnings;  // values that did not read; reading went on
    std::vector<std::string> errors;    // solids that cannot be used; the run must stop
};

// Fills the key members and the tetrahedra of `ship` (in file order, each
// block's tetrahedra in the order of its decomposition), then its bounding
// box and total volume.
//  - Key lines are positional: line n is scanned with "Key=%lf" for the n-th
//    key only, and the rest of the line (a unit, a remark) is skipped. A key
//    that does not match leaves its member at 0, with a warning.
//  - After the key lines the file is read in pieces of at most 99 characters;
//    a piece that is exactly "Tetrahedron\n", "Hexahedron\n",
//    "TrianglePrism\n" or "Cylinder\n" starts a block of 4, 8, 6 vertex lines
//    "%lf,%lf,%lf\n", or (cylinder) a vertex, a radius "%lf\n", a vertex and a
//    second radius that has no effect. All other pieces are ignored.
//  - A value that does not convert is 0 and reading goes on where the match
//    failed, with a warning. A block cut short by the end of the file is
//    dropped, with a warning.
//  - A non-finite coordinate or radius, a cylinder of zero axis length or of
//    radius <= 0 is an error; such a block is not built.
// Messages name the file and the line.
ShipReadReport read_ship_information(ShipModel& ship, const char* path);

}  // namespace voxel
