#include "report/table_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "kernel/platform/console.h"
#include "kernel/platform/file_replace.h"
#include "kernel/platform/number_format.h"
#include "model/io/diagnostics.h"

namespace voxel {

namespace {

// The three header rows of each part of the table; its rows are T and the
// next five columns of kHydroColumns, in order.
struct TableLayout {
    const char* names[7];
    const char* symbols[7];
    const char* units[7];
};

const TableLayout kTables[3] = {
    {{"项目", "吃水", "型排水体积", "型排水量", "总排水量", "浮心垂向坐标", "浮心纵向坐标"},
     {"符号", "T", "V", "DIS", "DISk", "Zb", "Xb"},
     {"单位", "(m)", "(m^3)", "(t)", "(t)", "(m)", "(m)"}},
    {{"项目", "吃水", "水线面面积", "漂心纵向坐标", "横稳心垂向坐标", "每厘米吃水吨数",
      "每厘米纵倾力矩"},
     {"符号", "T", "Aw", "Xf", "Zm", "TPC", "MTC"},
     {"单位", "(m)", "(m^2)", "(m)", "(m)", "(t)", "(t*m)"}},
    {{"项目", "吃水", "纵稳心垂向坐标", "方型系数", "水线面系数", "舯横剖面系数", "纵向棱形系数"},
     {"符号", "T", "ZmL ", "CB", "Cw", "Cm", "Cp"},
     {"单位", "(m)", "(m)", " ", " ", " ", " "}},
};

std::string header_row(const char* const (&cells)[7]) {
    std::string line;
    for (const char* c : cells) line += table_cell(c);
    return line;
}

}  // namespace

std::string table_cell(const std::string& utf8) {
    const std::size_t bytes = utf8_to_gbk(utf8).size();
    if (bytes >= kCellWidth) return utf8;
    return utf8 + std::string(kCellWidth - bytes, ' ');
}

std::vector<std::string> hydrostatic_table_lines(const HydroTable& table) {
    std::vector<std::string> lines;
    for (int k = 0; k < 3; ++k) {
        const TableLayout& layout = kTables[k];
        lines.push_back(header_row(layout.names));
        lines.push_back(header_row(layout.symbols));
        lines.push_back(header_row(layout.units));
        for (int i = 0; i < table.count; ++i) {
            std::string line = table_cell(" ") + table_cell(format_number(table.T[i]));
            for (int c = 5 * k; c < 5 * k + 5; ++c)
                line += table_cell(format_number((table.*kHydroColumns[c])[i]));
            lines.push_back(line);
        }
    }
    return lines;
}

bool write_hydrostatic_table(const HydroTable& table, const char* path) {
    std::string bytes;
    for (const std::string& line : hydrostatic_table_lines(table)) {
        bytes += utf8_to_gbk(line);
        bytes += "\r\n";
    }
    // A table that may not be written (read-only) is left as it is, though
    // the rename of a new file could replace it.
    const bool may_write = access(path, F_OK) != 0 || access(path, W_OK) == 0;
    const bool written = may_write && replace_file_contents(path, bytes);
    if (!written) {
        const std::string reason = std::strerror(errno);
        console_line("Hydro_Static Data write error! ");
        diagnostic_line(unwritable_file_message(path, reason));
    }
    return written;
}

}  // namespace voxel
