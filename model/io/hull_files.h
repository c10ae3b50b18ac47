// From the text of a table of offsets to the texts of the three model files
// and the summary, everything checked before anything is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kernel/platform/file_set.h"
#include "model/hydrostatics/hull_particulars.h"

namespace voxel {

struct HullFiles {
    // UTF-8 message when the table is bad or the draft or G outside it; then there
    // are no files. For the table: "<file>:<line>:<column>: 错误: <what was expected>".
    std::string error;
    std::vector<OutputFile> files;     // ship.txt, model.txt, FourPillars.txt
    std::vector<std::string> summary;  // lines for standard output
};

// Reads the table (`file_name` names it in messages), checks that the draft
// lies strictly between the lowest and the top waterline with some volume
// below it, KG between them or on them and a given LCG between the first and
// the last station or on them, builds the solids, checks that the breadth,
// the length and the volume are within kLargestInputMagnitude as the model
// readers want them, and makes the three texts. The settings must be
// finite, density and C1 positive (the command line sees to it).
HullFiles build_hull_files(std::string_view csv_text, const std::string& file_name,
                           const HullSettings& settings);

}  // namespace voxel
