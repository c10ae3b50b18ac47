// The run of the floating-attitude program after its model has been read:
// the displacement and centre of gravity, the timed equilibrium iteration,
// the water plane and centre of buoyancy found, the drafts at the pillars.
#pragma once

#include <string>
#include <vector>

#include "model/body/voxel_group.h"
#include "model/stability/equilibrium_iteration.h"

namespace voxel {

// The pillar file, read from the working folder.
constexpr const char* kPillarFileName = "FourPillars.txt";

// The standard-error message of a water plane or centre of buoyancy that is
// not a number.
constexpr const char* kNonFiniteAttitudeMessage =
    "floating_attitude: 水面或浮心不是有限数, 结果无效 (浮体各处坐标的数量级相差过大?); "
    "不计算立柱吃水.";

// The standard-error lines of an iteration outcome that is not the upright
// equilibrium a report would seem to show: no equilibrium reached (the
// distance left and its tolerance), and a capsized body (the angle between
// the water-plane normal and the body's z axis), both when both hold. None
// for an equilibrium with the normal pointing upwards.
std::vector<std::string> attitude_failure_lines(const IterationOutcome& outcome);

// Writes the report on the console, asking on the console when the iteration
// stalls. Returns the exit status: 1 when the plane or the centre of buoyancy
// found is not a number (after both have been written,
// kNonFiniteAttitudeMessage and a wait for one character), 1 when the pillar
// file cannot be read or used (after the plane and the centre of buoyancy
// have been written, its message and a wait for one character), 1 when the
// iteration reached no equilibrium or the body capsized (after the whole
// report, drafts included, and the final pause, so that the console text is
// that of any run), 0 otherwise (then the caller pauses). attitude_failure_lines go to standard
// error before the wait of any of these failures. The pillar warnings (draft_warnings) follow the
// drafts on standard error and change no status.
int run_floating_attitude(const VoxelGroup& group);

}  // namespace voxel
