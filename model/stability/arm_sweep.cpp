#include "model/stability/arm_sweep.h"

#include <vector>

#include "kernel/angles.h"
#include "kernel/platform/task_pool.h"

namespace voxel {

namespace {

constexpr int kAnglesPerSeries = kLastHeelDegrees / kHeelStepDegrees + 1;

// Task k of the sweep: series -1 first, then +1, each from 0 degrees up.
double sigma_of(int k) {
    return k < kAnglesPerSeries ? -1.0 : 1.0;
}
int degrees_of(int k) {
    return (k % kAnglesPerSeries) * kHeelStepDegrees;
}

}  // namespace

void sweep_righting_arms(const VoxelGroup& body, double V, Point3 G, HeelAxis axis,
                         const ArmSink& sink, const TrimBounds& bounds, int threads) {

    // Every angle starts from upright trim, so the 38 arms are independent of
    // each other: workers take them in order, and each finished arm, with
    // every one before it, is handed to the sink at once, in order, one
    // thread at a time. An arm is the same whichever thread computes it.
    const int tasks = 2 * kAnglesPerSeries;
    // An arm is written by its worker and read, once marked ready under the
    // pool's lock, by whichever worker hands the next ones on.
    std::vector<ArmResult> done(static_cast<std::size_t>(tasks));
    std::vector<char> ready(static_cast<std::size_t>(tasks), 0);
    int emitted = 0;
    run_tasks(
        tasks, threads, [](int) {},
        [&](int k) {
            const int i = degrees_of(k);
            const double theta = (i / 180.0) * kPi;
            done[static_cast<std::size_t>(k)] =
                righting_arm_at(body, V, G, axis, theta, sigma_of(k), bounds);
        },
        [&](int k) {
            ready[static_cast<std::size_t>(k)] = 1;
            while (emitted < tasks && ready[static_cast<std::size_t>(emitted)]) {
                if (emitted % kAnglesPerSeries == 0) sink.series_begins(sigma_of(emitted));
                sink.arm(degrees_of(emitted), sigma_of(emitted),
                         done[static_cast<std::size_t>(emitted)]);
                ++emitted;
            }
        });
}

}  // namespace voxel
