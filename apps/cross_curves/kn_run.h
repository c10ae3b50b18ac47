// The run of cross_curves: the stations of the sheet, the arms, the notes on
// standard error, the three files and the summary on standard output.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

// What the command line asks for.
struct KnRequest {
    // Level drafts (m) or, with by_displacement, displacements (t); empty:
    // the nine drafts D/10, 2D/10, ..., 9D/10 of the ship's moulded depth.
    std::vector<double> values;
    bool by_displacement = false;
    std::vector<double> heels;  // degrees
    std::optional<double> lcg;  // x of G for every displacement, m
    int threads = 1;
    std::string out_dir;  // "" for the working folder
};

// The whole run on the ship read from `path`: the displacements and heels
// sorted ascending, each once; one error per displacement the hull cannot
// float at ("<path>: 错误: ..."), then status 1 and nothing written.
// Otherwise every (displacement, heel) pair to both sides; a note per arm whose
// trim balancing stopped at its bound, and per water-plane search that its
// bound ended; an error and status 1 when a KN is not a number. Then
// "KN_Curves.csv", "KN_Curves.txt" and "KN_Curves.svg" in the output folder
// (created when missing), written as a set under temporary names and renamed
// (status 1 when they cannot be), the summary, and status 0. The ship's hull
// is moved out of `ship`.
int run_cross_curves(ShipModel& ship, const std::string& path, const KnRequest& request);

}  // namespace voxel
