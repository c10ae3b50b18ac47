// A body read from a file of any of the kinds that hold solids: a ship
// information file, a Format2 model (their solid blocks; the key lines read
// and checked as those readers do), a file of solid blocks alone, or a
// closed triangle mesh (.stl or .obj, in the model's unit, as it stands).
#pragma once

#include <optional>
#include <string>

#include "model/body/voxel_group.h"
#include "model/io/diagnostics.h"

namespace voxel {

enum class BodyFileKind { ShipInformation, Format2, Solids, Mesh };

struct BodyFileResult {
    bool opened = false;  // false: `reason` says why the file gave no bytes
    std::string reason;
    BodyFileKind kind = BodyFileKind::Solids;
    Diagnostics diagnostics;
    // A ship information file's Lpp, B and W_Den.
    std::optional<double> lpp, breadth, water_density;
};

// The kind is told by the name for a mesh (.stl, .obj, any case), otherwise
// by the first key of the text: "Loa=" opens a ship information file,
// "Volume of Displacement=" a Format2 model; any other text is solid blocks
// alone. The body is built PerSolid, with the group's crossing test.
BodyFileResult read_body_file(VoxelGroup& group, const std::string& path);

}  // namespace voxel
