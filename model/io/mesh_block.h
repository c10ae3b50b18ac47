// A SurfaceMesh block as a solid of a body: its mesh file read, checked and
// added as a surface (BodyBuilder::add_surface).
#pragma once

#include "model/body/body.h"
#include "model/io/scanned_text_file.h"
#include "model/io/solid_blocks.h"

namespace voxel {

// Reads the mesh file of block `b` (kind SurfaceMesh) from the path it
// names, taken from the folder of the model file `in` when it is relative,
// with the block's scale and offset (model/io/triangle_mesh.h). What the
// mesh reader says goes into the diagnostics of `in`, under the mesh file's
// name; a mesh that cannot be read or used adds one more error at the
// block's line of the model file, and nothing to `body`. A sound mesh is
// added as BodyBuilder::add_surface adds a surface, with `weight`.
void add_mesh_block(BodyBuilder& body, const SolidBlock& b, ScannedTextFile& in,
                    double weight = 1.0);

}  // namespace voxel
