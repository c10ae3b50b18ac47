// Reader of the Format2 model file (the "SET file") of the floating-attitude
// and righting-arm programs.
//
//   Volume of Displacement=<V>        header, four scanf patterns
//   Gra_Pt.x=<x>
//   Gra_Pt.y=<y>
//   Gra_Pt.z=<z>
//   solid blocks (model/io/solid_blocks.h)
//
// Lengths are in the file's own unit, V in that unit cubed.
#pragma once

#include <string>

#include "model/body/voxel_group.h"
#include "model/io/diagnostics.h"

namespace voxel {

// The console message of a model file that cannot be opened or read; the
// program then waits for one character and ends with status 1.
constexpr const char* kFormat2ReadErrorMessage = " SET file(Format2) read error! ";

// Fills an empty group from the file at `path`: V, G and its body, the
// solids built into it (each kind in file order; the body sums tetrahedra,
// cylinders, hexahedra, prisms in that order). `opened` is false when the file cannot be opened or read (a
// directory, for one); nothing is filled then.
//
// Beyond the format: V and G start at 0. A header key line that is missing,
// out of order or has no number is an error that names the key expected
// there (and the key found, when another stands in its place); the blocks
// are read as model/io/solid_blocks.h says. A value that is not finite or
// beyond kLargestInputMagnitude, in the header or in a block, is an error.
// After an error the group is still filled with the usable blocks, but the
// program must not go on. A UTF-16 or UTF-32 file, or one that is no text, is an error and fills
// nothing.
ReadResult read_format2_model(VoxelGroup& group, const std::string& path);

// The same over a file's bytes in memory, named `name` in the messages.
ReadResult read_format2_bytes(VoxelGroup& group, const std::string& name, const std::string& bytes);

}  // namespace voxel
