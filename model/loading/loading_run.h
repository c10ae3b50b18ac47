// The computations of a loading condition on its bodies: the weights with
// the liquids settled, the floating position, the stability there, the GZ
// curves with the liquids shifting at every heel and trim, the
// downflooding and vanishing angles and the criteria of intact stability.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/body/voxel_group.h"
#include "model/loading/compartment.h"
#include "model/loading/condition.h"
#include "model/loading/loading_result.h"
#include "model/loading/tank.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// A condition with the bodies its files give: the hull and every tank's
// inner space, and the particulars taken from the condition or the hull's
// ship file.
struct LoadedCondition {
    Condition condition;
    std::unique_ptr<VoxelGroup> hull;
    std::vector<Tank> tanks;
    std::vector<Compartment> compartments;  // in the order of the condition file
    double lpp = 0.0;
    double breadth = 0.0;
    double water_density = 1.025;
    std::string display_name;   // the condition's name, or the file's stem
    std::string hull_as_given;  // the hull's path as the condition file writes it
};

// Total mass (t) of the fixed weights and the liquids, in the order
// lightship, items, tanks.
double total_mass(const LoadedCondition& c);

// G at the water-plane normal N: (sum of fixed masses x centres + sum of
// liquid masses x their centres at N) / M, summed in the order lightship,
// items, tanks.
Point3 gravity_at(const LoadedCondition& c, const Point3& N);

struct LoadingOutcome {
    bool ok = false;
    LoadingResult result;
    std::vector<std::string> errors;  // why there is no result (sinks, capsized, not reached)
};

// Runs the whole condition; the GZ points are shared among `threads`
// threads, each independent of the others, so the result is the same for any
// count.
LoadingOutcome compute_loading(const LoadedCondition& c, int threads,
                               const TrimBounds& bounds = {});

}  // namespace voxel
