// Reading "Hydro_Static.txt" back: three tables of seven 15-byte cells per
// line (GBK, CR LF), each with rows of names, symbols and units, then one row
// per waterline. The columns are found by their symbols.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace acceptance {

struct HydroTableFile {
    std::vector<std::string> problems;  // layout faults found; empty when well formed
    int rows = 0;                       // waterlines
    // Symbol ("T", "V", ..., "ZmL" without its trailing blank) -> values, one
    // per waterline. T comes from the first table.
    std::map<std::string, std::vector<double>> columns;
    std::map<std::string, std::vector<std::string>> texts;  // the same cells as printed
};

HydroTableFile parse_hydro_table_file(const std::string& bytes);

}  // namespace acceptance
