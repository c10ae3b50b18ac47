#include "report/kn_curves_files.h"

#include <vector>

#include "kernel/platform/number_format.h"
#include "report/text_columns.h"

namespace voxel {

namespace {

// KN with 4 decimals, a rounded negative zero without its sign, and "*" when
// the trim was not balanced.
std::string kn_cell(const ArmResult& arm) {
    std::string text = format_fixed(arm.GZ, 4);
    if (text == "-0.0000") text = "0.0000";
    return trim_balanced(arm) ? text : text + "*";
}

// The table of one side (sigma = -1 for starboard): header and rows.
std::vector<std::vector<std::string>> side_table(const CrossCurves& curves, bool starboard) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header = {"displacement_t", "volume_m3", "draft_m", "lcg_m"};
    for (double heel : curves.heels) header.push_back(format_number(heel));
    rows.push_back(header);
    for (std::size_t i = 0; i < curves.stations.size(); ++i) {
        const KnStation& s = curves.stations[i];
        std::vector<std::string> row = {format_number(s.displacement), format_number(s.V),
                                        format_number(s.draft), format_number(s.lcg)};
        for (std::size_t j = 0; j < curves.heels.size(); ++j) {
            const KnPoint& p = curves.at(i, j);
            row.push_back(kn_cell(starboard ? p.starboard : p.port));
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string kn_curves_csv(const CrossCurves& curves) {
    std::string text =
        "displacement_t,volume_m3,draft_m,lcg_m,heel_deg,kn_starboard_m,kn_port_m,"
        "balanced_starboard,balanced_port\n";
    for (std::size_t i = 0; i < curves.stations.size(); ++i) {
        const KnStation& s = curves.stations[i];
        const std::string station = format_shortest(s.displacement) + "," + format_shortest(s.V) +
                                    "," + format_shortest(s.draft) + "," + format_shortest(s.lcg) +
                                    ",";
        for (std::size_t j = 0; j < curves.heels.size(); ++j) {
            const KnPoint& p = curves.at(i, j);
            text += station + format_shortest(curves.heels[j]) + "," +
                    format_shortest(p.starboard.GZ) + "," + format_shortest(p.port.GZ) + "," +
                    (trim_balanced(p.starboard) ? "1" : "0") + "," +
                    (trim_balanced(p.port) ? "1" : "0") + "\n";
        }
    }
    return text;
}

std::string kn_curves_text(const CrossCurves& curves, const KnSheetNotes& notes) {
    const auto starboard = side_table(curves, true);
    const auto port = side_table(curves, false);
    bool any_unbalanced = false;
    for (const KnPoint& p : curves.points)
        any_unbalanced |= !trim_balanced(p.starboard) || !trim_balanced(p.port);

    std::string text;
    auto note = [&text](const std::string& line) { text += "# " + line + "\n"; };
    note("Cross curves of stability (KN), written by cross_curves");
    note("model file: " + one_line(notes.model_path));
    note("water density W_Den = " + format_number(notes.density) +
         " t/m^3; displacement = W_Den x moulded volume below the level waterline");
    note(
        "KN: the righting arm with G on the base line (z = 0) and the centre plane (y = 0), "
        "free trim; GZ = KN - KG sin(heel)");
    note(notes.lcg_given
             ? "lcg_m: x of G, as given for every displacement"
             : "lcg_m: x of G, the longitudinal centre of buoyancy of the level waterline at that "
               "displacement (upright, even keel)");
    note(
        "starboard = heel to starboard (右倾, the -y side immersed, sigma = -1), port = heel to "
        "port (左倾, sigma = +1)");
    note("lengths in m, volumes in m^3, displacements in t, heels in degrees, KN in m");
    if (any_unbalanced)
        note(
            "*: the trim balancing stopped at its bound; that KN is the arm of the last accepted "
            "trim, not of the body in longitudinal balance");
    if (starboard == port)
        note("port: the same KN as starboard at every printed digit; one table for both sides");
    text += "\n";
    text += starboard == port ? "KN (m), both sides\n" : "KN (m), starboard\n";
    text += column_lines(starboard, ColumnAlign::Right);
    if (!(starboard == port)) {
        text += "\nKN (m), port\n";
        text += column_lines(port, ColumnAlign::Right);
    }
    return text;
}

}  // namespace voxel
