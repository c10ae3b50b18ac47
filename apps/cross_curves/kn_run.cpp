#include "apps/cross_curves/kn_run.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "kernel/platform/clock.h"
#include "kernel/platform/console.h"
#include "kernel/platform/file_set.h"
#include "kernel/platform/number_format.h"
#include "model/body/voxel_group.h"
#include "model/io/ship_reader.h"
#include "model/stability/cross_curves.h"
#include "report/kn_chart.h"
#include "report/kn_curves_files.h"

namespace voxel {

namespace {

// Ascending, each value once.
std::vector<double> sorted_once(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// "排水量 8200 t (吃水 4 m), 横倾角 30 度, 右倾 (sigma = -1): ".
std::string arm_name(const KnStation& s, double heel, double sigma) {
    return "排水量 " + format_number(s.displacement) + " t (吃水 " + format_number(s.draft) +
           " m), 横倾角 " + format_number(heel) + " 度, " +
           (sigma < 0.0 ? "右倾 (sigma = -1)" : "左倾 (sigma = +1)") + ": ";
}

// The notes of one arm; false when the arm is not a number.
bool note_arm(const KnStation& s, double heel, double sigma, const ArmResult& arm) {
    for (const WaterPlane& w : arm.stalls) diagnostic_line(water_plane_stall_note(s.V, w));
    const std::string where = arm_name(s, heel, sigma);
    if (!trim_balanced(arm)) diagnostic_line("cross_curves: " + where + trim_stop_text(arm));
    if (std::isfinite(arm.GZ)) return true;
    diagnostic_line("cross_curves: 错误: " + where +
                    "KN 不是有限数 (浮体各处坐标的数量级相差过大?), 结果无效.");
    return false;
}

}  // namespace

int run_cross_curves(ShipModel& ship, const std::string& path, const KnRequest& request) {
    const Stopwatch clock;
    // The stations from the hull as the hydrostatic sweep sums it.
    VoxelGroup level(ship.crossing);
    level.set_body(std::move(ship.hull));

    std::vector<double> values = request.values;
    if (values.empty())
        for (int k = 1; k <= 9; ++k) values.push_back((k * ship.D) / 10.0);
    std::vector<KnStation> stations;
    bool cannot_float = false;
    for (double v : sorted_once(values)) {
        const KnStationOutcome o = request.by_displacement
                                       ? station_at_displacement(level, ship.W_Den, v, request.lcg)
                                       : station_at_draft(level, ship.W_Den, v, request.lcg);
        if (!o.error.empty()) {
            diagnostic_line(path + ": 错误: " + o.error);
            cannot_float = true;
        }
        stations.push_back(o.station);
    }
    if (cannot_float) return 1;

    // The arms from the same solids, each a group of its own: the heeled
    // water-plane searches pass over the solids that their bounding balls
    // show to lie wholly on one side of the plane. The file read well once.
    level.set_body(Body(ship.crossing));
    ShipModel solids(ship.crossing, Summation::PerSolid);
    read_ship_information(solids, path);
    VoxelGroup body(ship.crossing);
    body.set_body(std::move(solids.hull));

    const CrossCurves curves = compute_cross_curves(
        body, std::move(stations), sorted_once(request.heels), TrimBounds{}, request.threads);
    bool finite = true;
    for (std::size_t i = 0; i < curves.stations.size(); ++i)
        for (std::size_t j = 0; j < curves.heels.size(); ++j) {
            const KnPoint& p = curves.at(i, j);
            finite &= note_arm(curves.stations[i], curves.heels[j], -1.0, p.starboard);
            finite &= note_arm(curves.stations[i], curves.heels[j], 1.0, p.port);
        }
    if (!finite) return 1;

    const KnSheetNotes notes{path, ship.W_Den, request.lcg.has_value()};
    const std::string subtitle =
        path + "  W_Den=" + format_number(ship.W_Den) + " t/m³  LCG=" +
        (request.lcg ? format_number(*request.lcg) + " m" : std::string("各排水量的浮心纵向位置"));
    const std::string error = write_files_atomically(
        request.out_dir, {{kKnCsvFileName, kn_curves_csv(curves)},
                          {kKnTextFileName, kn_curves_text(curves, notes)},
                          {kKnChartFileName, kn_curves_chart_svg(curves, subtitle)}});
    if (!error.empty()) {
        diagnostic_line(error);
        return 1;
    }
    console_line("稳性横交曲线 (KN): " + path);
    console_line("排水量 " + std::to_string(curves.stations.size()) + " 个, 横倾角 " +
                 std::to_string(curves.heels.size()) + " 个, 两舷; 线程 " +
                 std::to_string(request.threads));
    console_line("已写出 " + std::string(kKnCsvFileName) + ", " + kKnTextFileName + ", " +
                 kKnChartFileName + " 于 " + (request.out_dir.empty() ? "." : request.out_dir));
    console_line("用时 " + format_fixed(clock.seconds(), 3) + " s");
    return 0;
}

}  // namespace voxel
