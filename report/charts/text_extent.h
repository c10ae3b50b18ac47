// An estimate of how wide a line of text prints, for laying out labels
// without measuring glyphs.
#pragma once

#include <string_view>

namespace voxel {

// Width (mm) of UTF-8 `text` at font size `font_mm`: a full-width character
// (CJK, U+2E80 and above) counts one em, any other character 0.6 em, which
// covers digits and most Latin letters of a sans-serif face.
double text_width_mm(std::string_view text, double font_mm);

}  // namespace voxel
