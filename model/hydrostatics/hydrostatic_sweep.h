// The waterline sweep: hydrostatic quantities of the hull at level drafts
// 0.5 m, 0.6 m, ... up to about one step below the moulded depth D.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/body/level_sweep.h"
#include "model/hydrostatics/ship_model.h"

namespace voxel {

// n = -5 - trunc(D / (-0.1)): 15 for D = 2.0, 1 for 0.7 and 0.65, 0 for 0.6
// and below. Never negative.
int waterline_count(double D);

// Most waterlines a sweep computes (D up to about 10000 m): the table's
// fifteen columns of doubles stay near 12 MB. A larger count is refused
// before the sweep (ship_data_errors).
constexpr int kMaxWaterlines = 100000;

// The ship's midship section: at x = Lpp / 2, within |y| <= B / 2.
MidshipStation midship_station(const ShipModel& ship);

// The progress line of waterline i (0-based), with its draft computed afresh
// as i * 0.1 + 0.5.
std::string progress_line(int i);

// Fills ship.table: set_waterlines(n, 0.5, 0.1) with n = waterline_count(D),
// which must not exceed kMaxWaterlines; then for every waterline in
// order `progress` gets its line before the work starts. Afterwards Xf and Xb
// are shifted to the midship station (x - Lpp / 2). Returns the drafts (m) at
// which the waterline met no hull (V = 0, Aw = 0 or no midship section), whose
// rows hold non-numbers. Up to `threads` threads share the waterlines; each
// row is computed exactly as one thread computes it, and the progress lines
// come in order, one thread at a time.
std::vector<double> compute_hydrostatics(ShipModel& ship,
                                         const std::function<void(const std::string&)>& progress,
                                         int threads = 1);

}  // namespace voxel
