// The three model files as text: the ship information file, the Format2
// model and the pillar file. Lines end in LF; every number is the shortest
// text that reads back as the same double (std::to_chars, locale-free), so
// the programs see exactly the values computed here.
#pragma once

#include <string>
#include <vector>

#include "model/hydrostatics/hull_particulars.h"
#include "model/io/solid_blocks.h"

namespace voxel {

// Shortest round-trip text of v; 0 for -0.
std::string exact_number(double v);

// Ten key lines (Loa, Lpp, B, D, VD = the volume below the draft in m^3,
// Gra_Pt.x/y/z, W_Den, C1), the remark line "# <remark>", then the blocks.
std::string ship_file_text(const HullParticulars& h, const std::vector<SolidBlock>& solids,
                           const std::string& remark);

// "Volume of Displacement=" the volume below the draft, the three Gra_Pt
// lines, the remark line, then the blocks.
std::string format2_text(const HullParticulars& h, const std::vector<SolidBlock>& solids,
                         const std::string& remark);

// Four vertical draft marks from the lowest to the top waterline: #1 the aft
// perpendicular (first station) and #2 the forward one (last station) on the
// centre plane, #3 and #4 midship at y = +B/2 (port) and y = -B/2.
std::string pillars_text(const HullParticulars& h);

}  // namespace voxel
