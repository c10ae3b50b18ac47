// "Hydro_Static.txt": the sweep's results as three tables of seven columns.
#pragma once

#include <string>
#include <vector>

#include "model/hydrostatics/ship_model.h"

namespace voxel {

constexpr const char* kTableFileName = "Hydro_Static.txt";
constexpr std::size_t kCellWidth = 15;  // bytes of GBK text

// The cell padded on the right with blanks to 15 bytes of its GBK form (a
// Chinese character counts two); a longer cell is left whole.
std::string table_cell(const std::string& utf8);

// The lines of the three tables (UTF-8, without line ends): per table the
// rows of names, symbols and units, then one row per waterline.
std::vector<std::string> hydrostatic_table_lines(const HydroTable& table);

// Writes the lines to `path` in GBK with CR LF through replace_file_contents:
// a run that fails before its table is complete leaves an existing file as it
// was, and so does a read-only one. If the file cannot be written, the
// console shows "Hydro_Static Data write error! ", standard error the file
// and why (unwritable_file_message), and false is returned; the run goes on.
bool write_hydrostatic_table(const HydroTable& table, const char* path = kTableFileName);

}  // namespace voxel
