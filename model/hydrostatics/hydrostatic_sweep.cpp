#include "model/hydrostatics/hydrostatic_sweep.h"

#include <climits>
#include <cmath>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/task_pool.h"
#include "model/body/level_sweep.h"

namespace voxel {

namespace {

constexpr double kFirstDraft = 0.5;  // m
constexpr double kDraftStep = 0.1;   // m

}  // namespace

int waterline_count(double D) {
    const double n = -5.0 - std::trunc(D / (-0.1));
    if (!(n > 0.0)) return 0;
    return n < static_cast<double>(INT_MAX) ? static_cast<int>(n) : INT_MAX;
}

std::string progress_line(int i) {
    const double h = i * 0.1 + 0.5;
    return "正在计算第 " + std::to_string(i) + " 水线相关信息, 水线高度=" + format_number(h) + " m";
}

namespace {

// Row i of the table from the hull's properties at its draft; true when the
// waterline met no hull (nothing submerged, no waterplane or no midship
// section), so that the row holds non-numbers.
bool fill_row(ShipModel& ship, const LevelSweep& sweep, int i) {
    HydroTable& tab = ship.table;
    const double T = tab.T[i];
    const LevelSection level = sweep.at(T);
    const WaterplaneProps& w = level.waterplane;
    tab.Aw[i] = w.Aw;
    tab.Xf[i] = w.xf;

    const double V = level.submerged.volume;
    const double zb = level.submerged.centroid.z;
    tab.V[i] = V;
    tab.DIS[i] = V * ship.W_Den;
    tab.DISk[i] = (ship.C1 * V) * ship.W_Den;
    tab.Xb[i] = level.submerged.centroid.x;
    tab.Zb[i] = zb;

    // KM = KB + BM, with BM = IT / V.
    tab.Zm[i] = w.IT / V + zb;
    // Form coefficients against the waterplane's own length and breadth.
    tab.CB[i] = V / (T * (w.breadth * w.length));
    tab.Cw[i] = w.Aw / (w.breadth * w.length);

    const MidshipSection& m = level.midship;
    tab.Cm[i] = (m.Am / m.Bm) / T;
    tab.Cp[i] = V / (m.Am * ship.Lpp);

    // KML = KB + BML, BML = IL / V.
    tab.ZmL[i] = w.IL / V + zb;
    // MTC = DIS * GML / (100 Lpp): the moment (t*m) that trims the ship by
    // one centimetre over the length between perpendiculars.
    tab.MTC[i] = ((tab.ZmL[i] - ship.Gra_Pt.z) * tab.DIS[i]) / 100.0 / ship.Lpp;
    // One centimetre of immersion displaces Aw / 100 m^3.
    tab.TPC[i] = (ship.W_Den * w.Aw) / 100.0;

    return !(V > 0.0) || !(w.Aw > 0.0) || m.polygons == 0;
}

}  // namespace

MidshipStation midship_station(const ShipModel& ship) {
    return {0.5 * ship.Lpp, 0.5 * ship.B};
}

std::vector<double> compute_hydrostatics(ShipModel& ship,
                                         const std::function<void(const std::string&)>& progress,
                                         int threads) {
    HydroTable& tab = ship.table;
    tab.set_waterlines(waterline_count(ship.D), kFirstDraft, kDraftStep);
    if (tab.count == 0) return {};
    const LevelSweep sweep(ship.hull, midship_station(ship));

    // The waterlines are independent of each other: each worker takes the
    // next one, says so in its progress line (the lines keep their order and
    // each comes before its waterline's work), and fills its own row.
    std::vector<char> no_hull_at(static_cast<std::size_t>(tab.count), 0);
    run_tasks(
        tab.count, threads, [&](int i) { progress(progress_line(i)); },
        [&](int i) { no_hull_at[static_cast<std::size_t>(i)] = fill_row(ship, sweep, i); },
        [](int) {});

    std::vector<double> no_hull;
    for (int i = 0; i < tab.count; ++i)
        if (no_hull_at[static_cast<std::size_t>(i)]) no_hull.push_back(tab.T[i]);
    // Longitudinal centres are reported from the midship station.
    for (int i = 0; i < tab.count; ++i) {
        tab.Xf[i] = tab.Xf[i] - 0.5 * ship.Lpp;
        tab.Xb[i] = tab.Xb[i] - 0.5 * ship.Lpp;
    }
    return no_hull;
}

}  // namespace voxel
