// Reading "KN_Curves.csv" back: one row per displacement and heel.
#pragma once

#include <string>
#include <vector>

namespace acceptance {

struct KnRow {
    double displacement = 0.0, volume = 0.0, draft = 0.0, lcg = 0.0, heel = 0.0;
    double starboard = 0.0, port = 0.0;  // KN, m
    int balanced_starboard = -1, balanced_port = -1;
};

struct KnFile {
    bool well_formed = false;  // the header, then rows of nine values each
    std::vector<KnRow> rows;
};

KnFile parse_kn_csv(const std::string& bytes);

}  // namespace acceptance
