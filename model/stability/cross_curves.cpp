#include "model/stability/cross_curves.h"

#include <cmath>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/task_pool.h"
#include "model/hydrostatics/level_displacement.h"
#include "model/stability/displacement_check.h"

namespace voxel {

namespace {

constexpr const char* kCannotFloat = ", 船体不能在此浮起.";

}  // namespace

KnStationOutcome station_at_draft(const VoxelGroup& hull, double density, double T,
                                  std::optional<double> lcg) {
    KnStationOutcome out;
    const Box3& box = hull.box();
    if (T > box.maxz) {
        out.error = "吃水 " + format_number(T) +
                    " m 高于船体的最高点 z = " + format_number(box.maxz) + " m (整个船体没入水中)" +
                    kCannotFloat;
        return out;
    }
    const LevelDisplacement below = displacement_below(hull.body(), T);
    if (!(below.V > 0.0)) {
        out.error = "吃水 " + format_number(T) +
                    " m 以下的排水体积为零 (船底在 z = " + format_number(box.minz) + " m)" +
                    kCannotFloat;
        return out;
    }
    out.station = {below.V * density, below.V, T, lcg.value_or(below.centre.x)};
    return out;
}

KnStationOutcome station_at_displacement(const VoxelGroup& hull, double density,
                                         double displacement, std::optional<double> lcg) {
    KnStationOutcome out;
    const double V = displacement / density;
    double total = 0.0;
    if (!(displacement > 0.0) || !displacement_in_range(hull, V, total)) {
        out.error = "排水量 " + format_number(displacement) + " t 不在 0 与整个船体的排水量 " +
                    format_number(total * density) + " t 之间" + kCannotFloat;
        return out;
    }
    double reached = 0.0;
    const std::optional<WaterPlane> w = level_water_plane(hull, V, reached);
    if (!w) {
        out.error = "排水量 " + format_number(displacement) +
                    " t: " + level_water_plane_message(V, reached);
        return out;
    }
    // The level plane z - T = 0 of the search: its unit normal is (0, 0, 1),
    // so its constant term is -T.
    out.station = {displacement, V, -w->plane.D, lcg.value_or(w->B.x)};
    return out;
}

CrossCurves compute_cross_curves(const VoxelGroup& body, std::vector<KnStation> stations,
                                 std::vector<double> heels, const TrimBounds& bounds, int threads) {
    CrossCurves curves;
    curves.stations = std::move(stations);
    curves.heels = std::move(heels);
    const std::size_t n = curves.heels.size();
    curves.points.resize(curves.stations.size() * n);
    // The pairs are independent of each other: every arm starts from upright
    // trim. Each worker takes the next pair and writes its own point.
    run_tasks(
        static_cast<int>(curves.points.size()), threads, [](int) {},
        [&](int k) {
            const auto index = static_cast<std::size_t>(k);
            const KnStation& s = curves.stations[index / n];
            const double theta = (curves.heels[index % n] / 180.0) * kPi;
            const Point3 G{s.lcg, 0.0, 0.0};
            KnPoint& p = curves.points[index];
            p.starboard = righting_arm_at(body, s.V, G, kHeelAboutX, theta, -1.0, bounds);
            p.port = righting_arm_at(body, s.V, G, kHeelAboutX, theta, 1.0, bounds);
        },
        [](int) {});
    return curves;
}

}  // namespace voxel
