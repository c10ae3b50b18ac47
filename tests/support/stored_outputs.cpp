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

StoredArmTable read_stored_arm_csv(const std::string& case_name) {
    StoredArmTable t;
    const auto lines = split_lines(stored_file(case_name, "RightingArm_Around_X_Axis.csv"));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> f;
        std::stringstream in(lines[i]);
        std::string cell;
        while (std::getline(in, cell, ',')) f.push_back(cell);
        if (f.size() != 5) continue;
        t.starboard.push_back(std::strtod(f[1].c_str(), nullptr));
        t.port.push_back(std::strtod(f[2].c_str(), nullptr));
        t.starboard_balanced.push_back(f[3] == "1");
        t.port_balanced.push_back(f[4] == "1");
    }
    return t;
}

std::map<std::string, std::pair<double, double>> read_stored_criteria(
    const std::string& case_name) {
    std::map<std::string, std::pair<double, double>> values;
    for (const std::string& line : split_lines(stored_file(case_name, "Stability_Criteria.txt"))) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        std::string key, limit, starboard, starboard_result, port;
        if (!(in >> key >> limit >> starboard >> starboard_result >> port)) continue;
        values[key] = {std::strtod(starboard.c_str(), nullptr), std::strtod(port.c_str(), nullptr)};
    }
    return values;
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
