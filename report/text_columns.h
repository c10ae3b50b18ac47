// Rows of text cells set out in columns, for the plain-text result files.
#pragma once

#include <string>
#include <vector>

namespace voxel {

// How the cells of a column stand within its width (the widest cell's).
enum class ColumnAlign {
    // Every cell but the last of its row padded with blanks on the right to
    // its column's width + 2; the last as it is.
    Left,
    // Every cell padded with blanks on the left to its column's width, the
    // cells of a row joined by two blanks.
    Right
};

// The rows as lines, each ended by "\n". Rows may have different lengths.
std::string column_lines(const std::vector<std::vector<std::string>>& rows, ColumnAlign align);

// The text as one line of a file: every line end in it (a path's) a blank.
std::string one_line(std::string text);

}  // namespace voxel
