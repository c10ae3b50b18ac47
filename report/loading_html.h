// The HTML report of a loading condition's run, "<stem>.html": one page
// that holds everything it shows (inline CSS and SVG, no script, nothing
// fetched), UTF-8, laid out for A4 paper. Its numbers are the result's own
// values rounded for display: lengths in m, masses in t, angles in degrees,
// areas in m*rad.
#pragma once

#include <string>
#include <vector>

#include "model/loading/loading_result.h"

namespace voxel {

// An input file of the run: what it is ("condition", "hull", "tank WB 1"),
// its path as the program was given or resolved it, and the SHA-256 of its
// bytes as 64 hexadecimal digits.
struct HtmlInputFile {
    std::string role;
    std::string path;
    std::string sha256;
};

struct HtmlInputs {
    std::vector<HtmlInputFile> files;
    std::string version;  // the program's version
};

// The page: the condition and the hull's particulars; the weights and tanks;
// the floating position with a drawing of the midship section (the hull's
// extent in y and z, the water line through the midship draft at the heel,
// G and B); the stability at rest; the GZ chart of loading_gz_chart; the
// largest arms and the vanishing and downflooding angles; the criteria
// (element id "criteria"), each with its clause of the IS Code, its limit,
// both sides' values and results in colour and in words; the weather
// criterion with the picture of each leeward side, or "not checked"; the
// listed side; a page per damage case (the damaged floating position and
// GM, the midship section with the damaged water line and the flooded
// compartments' extents, the residual curve through upright, the openings,
// the residual criteria); the notes; the input files with their SHA-256 and the
// program's version. Text that is not valid UTF-8 has its faulty bytes
// replaced by U+FFFD.
std::string loading_html(const LoadingResult& r, const HtmlInputs& inputs);

}  // namespace voxel
