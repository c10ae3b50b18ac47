// Cross curves of stability: the righting lever KN of a hull with its centre
// of gravity on the base line, at a set of displacements and heel angles.
//
// For a loading condition of centre of gravity G = (x_G, 0, KG) the lever is
// GZ = KN - KG sin(phi): with the weight and buoyancy both along the water
// plane's normal N, moving G up by KG along the body's z axis moves its line
// of action by KG sin(phi) across N, where phi is the heel. That holds while
// the trim state is the same for both centres, which it is when no trim
// arises (a hull symmetric fore and aft with x_G amidships); otherwise each
// centre has its own free-trim balance and the sheet's KN is that of G on
// the base line.
//
// A displacement of the sheet floats the hull upright at even keel at a level
// draft; G = (LCG, 0, 0) with LCG the centre of buoyancy's x there (or one
// given for all). At each heel the lever is the free-trim righting arm of
// righting_arm_at about the body's x axis, to both sides.
// Lengths in m, volumes in m^3, displacements in t (W_Den V), densities in
// t/m^3, heels in degrees.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/body/body.h"
#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

// One displacement of the sheet, upright at even keel.
struct KnStation {
    double displacement = 0.0;  // W_Den V, t
    double V = 0.0;             // moulded volume below the level waterline, m^3
    double draft = 0.0;         // level waterline above the base line z = 0, m
    double lcg = 0.0;           // x of G, m (body coordinates)
};

// A station, or why the hull cannot float there (`error` not empty: a text
// naming the value, without the file's name).
struct KnStationOutcome {
    KnStation station;
    std::string error;
};

// The station of the level draft T: V and the centre of buoyancy below the
// plane z = T as displacement_below sums them (the hydrostatic table's V, and
// W_Den V its DIS). No hull can float where nothing is submerged (T at or
// below the keel) or above its highest point (the whole hull under water).
// `lcg` given: G's x; otherwise the centre of buoyancy's.
KnStationOutcome station_at_draft(const VoxelGroup& hull, double density, double T,
                                  std::optional<double> lcg);

// The station of the displacement `displacement` (t): V = displacement /
// W_Den, the level waterline that displaces it found by the body's water-plane
// search along the vertical, its centre of buoyancy there. The hull cannot
// float at a displacement that is not positive or beyond that of the whole
// hull (the range of displacement_in_range), nor where that search fails.
KnStationOutcome station_at_displacement(const VoxelGroup& hull, double density,
                                         double displacement, std::optional<double> lcg);

// The arms of one (station, heel) pair.
struct KnPoint {
    ArmResult starboard;  // sigma = -1: the -y side immersed
    ArmResult port;       // sigma = +1
};

struct CrossCurves {
    std::vector<KnStation> stations;  // in the order given (the program sorts them)
    std::vector<double> heels;        // degrees, in the order given
    // stations.size() * heels.size() points, station by station:
    // point (i, j) is points[i * heels.size() + j].
    std::vector<KnPoint> points;

    const KnPoint& at(std::size_t station, std::size_t heel) const {
        return points[station * heels.size() + heel];
    }
};

// The arms of every station at every heel: for station i and heel j,
// righting_arm_at(body, V_i, (lcg_i, 0, 0), kHeelAboutX, theta_j, sigma,
// bounds) with theta_j = (heels[j] / 180) pi, sigma = -1 and +1. Every arm
// starts from upright trim, so up to `threads` threads share the pairs; each
// point is the same whichever thread computes it.
CrossCurves compute_cross_curves(const VoxelGroup& body, std::vector<KnStation> stations,
                                 std::vector<double> heels, const TrimBounds& bounds = {},
                                 int threads = 1);

}  // namespace voxel
