// Reader of the Format2 model file (the "SET file") of the floating-attitude
// and righting-arm programs.
//
//   Volume of Displacement=<V>        header, four scanf patterns
//   Gra_Pt.x=<x>
//   Gra_Pt.y=<y>
//   Gra_Pt.z=<z>
//   Tetrahedron | Hexahedron | TrianglePrism | Cylinder
//   x,y,z                             4, 8 or 6 vertex lines; a cylinder has
//   ...                               P0, r, P1, r2 (r2 is read, not used)
//
// Blocks come in any order up to the end of the file. A keyword line must be
// the keyword and its line end alone; any other line is passed over. Lengths
// are in the file's own unit, V in that unit cubed.
#pragma once

#include "model/voxel_group.h"

namespace voxel {

// Fills an empty group from the file at `path`: V, G, the four kinds of
// solids (each kind in file order, in exactly sized arrays) and the bounding
// box. A file that cannot be opened or read: " SET file(Format2) read error! "
// on the console, a wait for one character, exit status 1.
//
// Beyond the format: a value that does not parse stays 0 (V, G and every
// block's values start at 0) and is reported on standard error with the file
// and line; a block cut short by the end of the file is dropped with a
// warning; a number that is not finite, a cylinder whose two end centres
// coincide or whose radius is not positive ends the process with status 1
// after a message on standard error and a wait for one character.
void read_format2_model(VoxelGroup& group, const char* path);

}  // namespace voxel
