#include "report/text_columns.h"

#include "kernel/platform/number_format.h"

namespace voxel {

std::string column_lines(const std::vector<std::vector<std::string>>& rows, ColumnAlign align) {
    std::vector<std::size_t> width;
    for (const auto& row : rows) {
        if (row.size() > width.size()) width.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            if (row[c].size() > width[c]) width[c] = row[c].size();
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (align == ColumnAlign::Left) {
                line += c + 1 < row.size() ? pad_left_aligned(row[c], width[c] + 2) : row[c];
            } else {
                if (c > 0) line += "  ";
                line += pad_right_aligned(row[c], width[c]);
            }
        }
        text += line + "\n";
    }
    return text;
}

std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace voxel
