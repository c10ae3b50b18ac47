// The two righting-arm series: heel angles 0, 5, ..., 90 degrees to the
// sigma = -1 side (the normal turns to (0, sin, cos) about the X axis, the -y
// side immerses), then the same to the sigma = +1 side.
#pragma once

#include <functional>

#include "kernel/point3.h"
#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

constexpr int kLastHeelDegrees = 90;
constexpr int kHeelStepDegrees = 5;

// Where the sweep hands each result as soon as it and every one before it
// are computed, in order, one call at a time.
struct ArmSink {
    // A series starts; sigma is -1 or +1.
    std::function<void(double sigma)> series_begins;
    // The arm at heel angle `degrees` (whole degrees) of series sigma.
    std::function<void(int degrees, double sigma, const ArmResult& arm)> arm;
};

// Computes both series for displacement V (model units cubed) and centre of gravity G about the heel
// axis `axis`. Every angle starts from upright trim, so up to `threads`
// threads share the angles; the sink gets the same results in the same order
// whatever their number.
void sweep_righting_arms(const VoxelGroup& body, double V, Point3 G, HeelAxis axis,
                         const ArmSink& sink, const TrimBounds& bounds = {}, int threads = 1);

}  // namespace voxel
