// Reading a table of offsets from CSV text.
//
//   # a remark                      lines starting with '#' are skipped,
//   x\z,z0,z1,...,zM                 and so are blank lines; the header row:
//   x0,y00,y01,...,y0M               waterline heights, then one row per
//   x1,y10,y11,...,y1M               station: its x and the half-breadth at
//   ...                              each waterline
//
// Fields are separated by commas; blanks and tabs around a field are
// allowed. A CR before the LF is dropped and a UTF-8 byte-order mark at the
// start is skipped. Numbers are read in the C locale's form (std::from_chars),
// whatever the locale of the process.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/io/offset_table.h"

namespace voxel {

// Where a table is wrong and what was expected there. Line and column count
// from 1; the column is the byte of the line (after a byte-order mark) where
// the field starts, or one past the line's end for a missing field.
struct TableError {
    int line = 0;
    int column = 0;
    std::string what;  // UTF-8, Chinese like the programs' own messages
};

struct OffsetTableRead {
    bool ok = false;
    OffsetTable table;  // complete only when ok
    TableError error;   // set when !ok
    // Positions of the header row's fields, for messages that concern the
    // waterlines as a whole (a draft outside them): the header's line and the
    // column of each waterline height.
    int header_line = 0;
    std::vector<int> waterline_columns;
    // Positions of the first and the last station's x, for messages that
    // concern the stations as a whole (a centre of gravity outside them).
    int first_station_line = 0, first_station_column = 0;
    int last_station_line = 0, last_station_column = 0;
};

// Reads and checks the whole table: every row as long as the header, every
// number finite and of magnitude at most kLargestInputMagnitude (the model
// readers' bound, model/io/scanned_text_file.h), waterlines and stations
// strictly increasing, at least two of each, half-breadths >= 0. Stops at the
// first fault.
OffsetTableRead read_offset_table(std::string_view text);

// "<file>:<line>:<column>: 错误: <what>"
std::string table_error_message(const std::string& file, const TableError& error);

}  // namespace voxel
