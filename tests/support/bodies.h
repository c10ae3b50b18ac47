// Small floating bodies built in code for the righting-arm tests.
#pragma once

#include <initializer_list>
#include <string>

#include "model/body/voxel_group.h"

namespace righting_arm_test {

// A hexahedron with the given corners, faces (V0..V3) at z0 and (V4..V7) at z1.
voxel::Hexahedron box_solid(double x0, double x1, double y0, double y1, double z0, double z1);

// Makes `body` the body of these hexahedra (in this order, weight 1).
void set_hexahedra(voxel::VoxelGroup& body, std::initializer_list<voxel::Hexahedron> hexahedra);

// The box barge: one hexahedron 10 x 4 x 3 (x from -5 to 5, y from -2 to 2, z
// from 0 to 3), V = 40 (draft 1), G = (0, 0, 0.8). Bounding box current.
void make_box_barge(voxel::VoxelGroup& body);

// The box barge with a forecastle (a block 3 x 2 x 2 on the deck at the bow)
// and G = (0.6, 0, 1.0), forward of the upright centre of buoyancy (x = 0):
// every heel angle needs trim balancing.
void make_trimmed_barge(voxel::VoxelGroup& body);

// Four cylindrical columns (radius 1.5, x = +-8, y = +-8, z from 2 to 12) on
// two pontoons (x from -10 to 10, |y| from 6 to 10, z from 0 to 2), V = 400,
// G = (0, 0, 5). Symmetric about y = 0 and about x = 0.
void make_four_column_body(voxel::VoxelGroup& body);

// The Format2 text of a body built above ("Volume of Displacement=" ...).
std::string format2_text(const voxel::VoxelGroup& body);

}  // namespace righting_arm_test
