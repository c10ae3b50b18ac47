// Damaged stability by lost buoyancy: a flooded compartment stops giving
// buoyancy, the ship's mass, centre of gravity and liquids staying as they
// are. The damaged body is the hull less permeability x each flooded
// compartment (each a group of weight -permeability); on it, the damaged
// floating position, the stability there, the residual GZ curves, the
// openings' immersion and the residual-stability criteria. Lengths in m,
// angles in degrees, areas in m*rad.
#pragma once

#include <vector>

#include "model/loading/loading_result.h"
#include "model/loading/loading_run.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// The body of a case: the hull's solids (weight 1) and each named
// compartment's (weight -permeability), in the case's order.
void damaged_body(const LoadedCondition& c, const DamageEntry& d, VoxelGroup& out);

// One case after the intact run `intact` of the same condition (its
// floating position gives the sinkage). The residual curves run from the
// damaged equilibrium heel: towards the side the ship lists to onwards, and
// towards the other side back through upright, where the other side's arm
// with its sign changed continues the curve. Criteria per side:
//   final_heel       |equilibrium heel| <= 25
//   openings_clear   every opening above the final water plane (value: the
//                    least height, m; none without openings, then PASS)
//   residual_range   range of positive arm beyond the equilibrium >= 20
//   residual_gz_max  largest arm within 20 beyond the equilibrium >= 0.1 m
//   residual_area    area under the curve within the range, up to 20
//                    beyond the equilibrium, >= 0.0175 m*rad
// A ship that sinks (the damaged body cannot displace V), capsizes or has
// no equilibrium that the iteration finds is a result of that status, its
// criteria failed with no values.
DamageResult compute_damage(const LoadedCondition& c, const DamageEntry& d,
                            const LoadingResult& intact, int threads, const TrimBounds& bounds);

}  // namespace voxel
