#include "apps/righting_arm/sweep.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "kernel/angles.h"

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

void sweep_righting_arms(VoxelGroup& body, double V, Point3 G, double ax, double ay,
                         const ArmSink& sink, const TrimBounds& bounds, int threads) {
    body.bounding_box();
    const VoxelGroup& fixed = body;

    // Every angle starts from upright trim, so the 38 arms are independent of
    // each other: workers take them in order, and each finished arm, with
    // every one before it, is handed to the sink at once, in order, one
    // thread at a time. An arm is the same whichever thread computes it.
    const int tasks = 2 * kAnglesPerSeries;
    std::vector<std::optional<ArmResult>> done(static_cast<std::size_t>(tasks));
    std::mutex lock;
    int next = 0, emitted = 0;
    std::exception_ptr failure;
    auto work = [&] {
        try {
            for (;;) {
                int k;
                {
                    const std::lock_guard<std::mutex> guard(lock);
                    if (next == tasks || failure) return;
                    k = next++;
                }
                const int i = degrees_of(k);
                const double theta = (i / 180.0) * kPi;
                ArmResult arm = righting_arm_at(fixed, V, G, ax, ay, theta, sigma_of(k), bounds);
                const std::lock_guard<std::mutex> guard(lock);
                done[static_cast<std::size_t>(k)] = std::move(arm);
                while (emitted < tasks && done[static_cast<std::size_t>(emitted)]) {
                    if (emitted % kAnglesPerSeries == 0) sink.series_begins(sigma_of(emitted));
                    sink.arm(degrees_of(emitted), sigma_of(emitted),
                             *done[static_cast<std::size_t>(emitted)]);
                    ++emitted;
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
        }
    };
    const int helpers = std::max(0, std::min(threads, tasks) - 1);
    std::vector<std::thread> pool;
    for (int h = 0; h < helpers; ++h) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace voxel
