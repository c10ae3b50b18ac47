#include "support/stored_outputs.h"

#include <cstdlib>
#include <sstream>

#include "support/process.h"

namespace testing_support {

namespace {

std::string stored_file(const std::string& case_name, const std::string& file) {
    return read_file_bytes(std::string(VOXEL_SOURCE_DIR) + "/tests/golden/expected/" + case_name +
                           "/" + file);
}

// The blank-separated fields of a line as numbers; false when the first
// field is not one.
bool number_fields(const std::string& line, std::vector<double>& values) {
    values.clear();
    std::istringstream in(line);
    std::string field;
    while (in >> field) {
        char* end = nullptr;
        const double v = std::strtod(field.c_str(), &end);
        if (end == field.c_str() || *end != '\0') return false;
        values.push_back(v);
    }
    return !values.empty();
}

}  // namespace

StoredArms read_stored_arms(const std::string& case_name) {
    StoredArms arms;
    int series = -1;
    std::vector<double> fields;
    for (const std::string& line :
         split_lines(stored_file(case_name, "RightingArm_Around_X_Axis.txt"))) {
        if (!number_fields(line, fields)) {
            ++series;
            continue;
        }
        if (fields.size() != 2) continue;
        (series == 0 ? arms.first : arms.second).push_back(fields[1]);
    }
    return arms;
}

std::map<std::string, std::vector<double>> read_stored_hydro_table(const std::string& case_name) {
    static const char* const kSymbols[3][7] = {{"T", "V", "DIS", "DISk", "Zb", "Xb", nullptr},
                                               {"T", "Aw", "Xf", "Zm", "TPC", "MTC", nullptr},
                                               {"T", "ZmL", "CB", "Cw", "Cm", "Cp", nullptr}};
    std::map<std::string, std::vector<double>> columns;
    int table = -1;
    bool in_header = false;
    std::vector<double> fields;
    for (const std::string& line : split_lines(stored_file(case_name, "Hydro_Static.txt"))) {
        if (!number_fields(line, fields)) {
            if (!in_header) ++table;
            in_header = true;
            continue;
        }
        in_header = false;
        if (table < 0 || table > 2) continue;
        for (std::size_t c = 0; c < fields.size() && kSymbols[table][c]; ++c) {
            if (table > 0 && c == 0) continue;  // T once, from the first table
            columns[kSymbols[table][c]].push_back(fields[c]);
        }
    }
    return columns;
}

}  // namespace testing_support
