// Slow reference passes over a body, which the fast queries are compared
// against to the bit.
#pragma once

#include "kernel/plane.h"
#include "kernel/waterplane_section.h"
#include "model/body/body.h"
#include "model/body/level_sweep.h"

namespace testing_support {

// The section of a level plane p in the ship's (x, y): every tetrahedron's
// polygon in body order.
voxel::WaterplaneProps level_waterplane(const voxel::Body& hull, const voxel::Plane& p);

// The midship section at the draft T from the whole slab (no piece left out
// beforehand).
voxel::MidshipSection midship_section(const voxel::Body& hull, const voxel::MidshipStation& s,
                                      double T);

}  // namespace testing_support
