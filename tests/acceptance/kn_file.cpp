#include "kn_file.h"

#include <cstdio>

#include "support/process.h"

namespace acceptance {

KnFile parse_kn_csv(const std::string& bytes) {
    KnFile f;
    const std::vector<std::string> lines = testing_support::split_lines(bytes);
    if (lines.empty() ||
        lines[0] !=
            "displacement_t,volume_m3,draft_m,lcg_m,heel_deg,kn_starboard_m,kn_port_m,"
            "balanced_starboard,balanced_port")
        return f;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        KnRow r;
        int used = 0;
        if (std::sscanf(lines[i].c_str(), "%lf,%lf,%lf,%lf,%lf,%lf,%lf,%d,%d%n", &r.displacement,
                        &r.volume, &r.draft, &r.lcg, &r.heel, &r.starboard, &r.port,
                        &r.balanced_starboard, &r.balanced_port, &used) != 9 ||
            static_cast<std::size_t>(used) != lines[i].size())
            return f;
        f.rows.push_back(r);
    }
    f.well_formed = true;
    return f;
}

}  // namespace acceptance
