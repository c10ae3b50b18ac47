// "KN_Curves.csv" and "KN_Curves.txt": the cross curves of stability as a
// table for spreadsheets and as the table a stability booklet prints
// (UTF-8, LF line ends).
#pragma once

#include <string>

#include "model/stability/cross_curves.h"

namespace voxel {

constexpr const char* kKnCsvFileName = "KN_Curves.csv";
constexpr const char* kKnTextFileName = "KN_Curves.txt";

// What the text file says of the sheet besides its numbers.
struct KnSheetNotes {
    std::string model_path;  // the ship file
    double density = 0.0;    // W_Den, t/m^3
    bool lcg_given = false;  // LCG given for every displacement, not the centre of buoyancy's
};

// The header "displacement_t,volume_m3,draft_m,lcg_m,heel_deg,kn_starboard_m,
// kn_port_m,balanced_starboard,balanced_port", then one row per station and
// heel, station by station in the order of `curves`. Numbers by
// format_shortest, so they read back to the same doubles; a balanced column
// is 1 where that arm's trim was balanced or needed no balancing, 0 where the
// balancing stopped at its bound (trim_balanced).
std::string kn_curves_csv(const CrossCurves& curves);

// "#" lines naming the model, the density and the convention, then the table
// of the starboard side: a header row (displacement_t, volume_m3, draft_m,
// lcg_m, then each heel in degrees), one row per station with its
// displacement, volume, draft and LCG in format_number and KN (m) at each heel
// with 4 decimals, right-aligned; "*" after a KN whose trim was not balanced.
// A second table for the port side follows when any of its printed values
// differs from the starboard one. A value that prints as -0.0000 is written
// 0.0000.
std::string kn_curves_text(const CrossCurves& curves, const KnSheetNotes& notes);

}  // namespace voxel
