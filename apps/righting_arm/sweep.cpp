#include "apps/righting_arm/sweep.h"

#include "kernel/angles.h"

namespace voxel {

void sweep_righting_arms(VoxelGroup& body, double V, Point3 G, double ax, double ay,
                         const ArmSink& sink, const TrimBounds& bounds) {
    body.bounding_box();
    for (const double sigma : {-1.0, 1.0}) {
        sink.series_begins(sigma);
        for (int i = 0; i <= kLastHeelDegrees; i += kHeelStepDegrees) {
            const double theta = (i / 180.0) * kPi;
            sink.arm(i, sigma, righting_arm_at(body, V, G, ax, ay, theta, sigma, bounds));
        }
    }
}

}  // namespace voxel
