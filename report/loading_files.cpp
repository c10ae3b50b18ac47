#include "report/loading_files.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "report/charts/chart_style.h"
#include "report/charts/value_range.h"
#include "report/text_columns.h"

namespace voxel {

namespace {

// ---- JSON ------------------------------------------------------------------

// Members keep the order in which they are set.
using Json = nlohmann::ordered_json;

// nlohmann writes a double in the shortest text that reads back to it, and a
// non-finite one as null; the null is set here so that the file says so
// whatever the library's choice.
Json number(double v) {
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

Json number(const std::optional<double>& v) {
    return v ? number(*v) : Json(nullptr);
}

Json text(const std::optional<std::string>& s) {
    return s ? Json(*s) : Json(nullptr);
}

Json point(const Point3& p) {
    return Json::array({number(p.x), number(p.y), number(p.z)});
}

Json numbers(const std::vector<double>& values) {
    Json a = Json::array();
    for (double v : values) a.push_back(number(v));
    return a;
}

Json flags(const std::vector<bool>& values) {
    Json a = Json::array();
    for (bool v : values) a.push_back(v);
    return a;
}

Json side_value(const SideValue& s) {
    Json o = Json::object();
    o["value"] = number(s.value);
    o["result"] = s.result;
    return o;
}

Json weather_side_json(const WeatherSide& w) {
    Json o = Json::object();
    o["windage_area_m2"] = number(w.windage_area);
    o["windage_centre_z_m"] = number(w.windage_centre_z);
    o["lateral_centre_z_m"] = number(w.lateral_centre_z);
    o["lever_m"] = number(w.lever);
    o["lw1_m"] = number(w.lw1);
    o["lw2_m"] = number(w.lw2);
    o["theta0_deg"] = number(w.theta0);
    o["theta1_deg"] = number(w.theta1);
    o["theta2_deg"] = number(w.theta2);
    o["theta_c_deg"] = number(w.theta_c);
    o["roll_period_s"] = number(w.roll_period);
    o["x1"] = number(w.x1);
    o["x2"] = number(w.x2);
    o["k"] = number(w.k);
    o["r"] = number(w.r);
    o["s"] = number(w.s);
    o["area_a_m_rad"] = number(w.area_a);
    o["area_b_m_rad"] = number(w.area_b);
    o["deck_edge_deg"] = number(w.deck_edge);
    return o;
}

Json weights_json(const WeightSummary& w) {
    Json fixed = Json::array();
    for (const FixedWeight& f : w.fixed) {
        Json o = Json::object();
        o["name"] = f.name;
        o["mass_t"] = number(f.mass);
        o["centre_m"] = point(f.centre);
        fixed.push_back(o);
    }
    Json tanks = Json::array();
    for (const TankState& t : w.tanks) {
        Json o = Json::object();
        o["name"] = t.name;
        o["capacity_m3"] = number(t.capacity);
        o["volume_m3"] = number(t.volume);
        o["mass_t"] = number(t.mass);
        o["fill"] = number(t.fill);
        o["centre_m"] = point(t.centre);
        o["free_surface_moment_t_m"] = number(t.free_surface_moment);
        tanks.push_back(o);
    }
    Json o = Json::object();
    o["fixed"] = fixed;
    o["tanks"] = tanks;
    o["displacement_t"] = number(w.displacement);
    o["volume_m3"] = number(w.volume);
    o["centre_of_gravity_m"] = point(w.centre_of_gravity);
    return o;
}

Json equilibrium_json(const Equilibrium& e) {
    Json o = Json::object();
    o["heel_deg"] = number(e.heel);
    o["trim_deg"] = number(e.trim_deg);
    o["trim_m"] = number(e.trim_m);
    o["draft_ap_m"] = number(e.draft_ap);
    o["draft_fp_m"] = number(e.draft_fp);
    o["draft_mid_m"] = number(e.draft_mid);
    o["plane"] =
        Json::array({number(e.plane.A), number(e.plane.B), number(e.plane.C), number(e.plane.D)});
    o["centre_of_buoyancy_m"] = point(e.B);
    return o;
}

Json stability_json(const StabilityAtRest& s) {
    Json o = Json::object();
    o["km_m"] = number(s.km);
    o["kg_m"] = number(s.kg);
    o["gm_solid_m"] = number(s.gm_solid);
    o["free_surface_correction_m"] = number(s.free_surface_correction);
    o["gm_fluid_m"] = number(s.gm_fluid);
    return o;
}

Json gz_json(const GzCurves& gz) {
    Json o = Json::object();
    o["heel_deg"] = numbers(gz.heel_deg);
    o["starboard_m"] = numbers(gz.starboard);
    o["port_m"] = numbers(gz.port);
    o["balanced_starboard"] = flags(gz.balanced_starboard);
    o["balanced_port"] = flags(gz.balanced_port);
    return o;
}

Json criteria_json(const std::vector<CriterionOutcome>& list) {
    Json criteria = Json::array();
    for (const CriterionOutcome& c : list) {
        Json o = Json::object();
        o["id"] = c.id;
        o["limit"] = number(c.limit);
        o["starboard"] = side_value(c.starboard);
        o["port"] = side_value(c.port);
        criteria.push_back(o);
    }
    return criteria;
}

Json damage_json(const DamageResult& d) {
    Json o = Json::object();
    o["name"] = d.name;
    Json names = Json::array();
    for (const std::string& n : d.compartments) names.push_back(n);
    o["compartments"] = names;
    Json flooded = Json::array();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i < d.compartments.size(); ++i) {
        Json x = Json::object();
        x["name"] = d.compartments[i];
        x["permeability"] = number(i < d.permeabilities.size() ? d.permeabilities[i] : nan);
        x["volume_m3"] = number(i < d.compartment_volumes.size() ? d.compartment_volumes[i] : nan);
        flooded.push_back(x);
    }
    o["flooded"] = flooded;
    o["status"] = d.status;
    o["lost_volume_m3"] = number(d.lost_volume);
    o["sinkage_m"] = number(d.sinkage);
    if (d.status == "floats") {
        o["equilibrium"] = equilibrium_json(d.equilibrium);
        Json st = Json::object();
        st["km_m"] = number(d.stability.km);
        st["gm_solid_m"] = number(d.stability.gm_solid);
        st["gm_fluid_m"] = number(d.stability.gm_fluid);
        o["stability"] = st;
    } else {
        o["equilibrium"] = nullptr;
        o["stability"] = nullptr;
    }
    // A ship that capsizes still has the curve that shows why.
    if (d.gz.heel_deg.empty())
        o["gz"] = nullptr;
    else
        o["gz"] = gz_json(d.gz);
    Json openings = Json::array();
    for (const OpeningImmersion& im : d.downflooding) {
        Json x = Json::object();
        x["opening"] = im.name;
        x["height_m"] = number(im.height);
        x["starboard_deg"] = number(im.starboard);
        x["port_deg"] = number(im.port);
        openings.push_back(x);
    }
    o["downflooding"] = openings;
    o["criteria"] = criteria_json(d.criteria);
    Json notes = Json::array();
    for (const std::string& n : d.notes) notes.push_back(n);
    o["notes"] = notes;
    return o;
}

// ---- Text ------------------------------------------------------------------

// Fixed decimals; a rounded negative zero without its sign; "-" for a value
// that is not finite.
std::string fixed(double v, int decimals) {
    if (!std::isfinite(v)) return "-";
    return format_fixed_unsigned_zero(v, decimals);
}

constexpr int kLengthDecimals = 4;  // m: lengths, coordinates, drafts, arms
constexpr int kNormalDecimals = 6;  // the water plane's unit normal
constexpr int kAngleDecimals = 3;   // degrees
constexpr int kMassDecimals = 2;    // t, and t*m of a free-surface moment
constexpr int kVolumeDecimals = 3;  // m^3
constexpr int kRatioDecimals = 4;   // a fill, a density

std::string length(double v) {
    return fixed(v, kLengthDecimals) + " m";
}

std::string angle(double v) {
    return fixed(v, kAngleDecimals) + "°";
}

std::string point_text(const Point3& p) {
    return "(" + fixed(p.x, kLengthDecimals) + ", " + fixed(p.y, kLengthDecimals) + ", " +
           fixed(p.z, kLengthDecimals) + ") m";
}

std::string optional_angle(const std::optional<double>& v) {
    return v ? angle(*v) : std::string("none up to 90°");
}

// A table whose first `left` columns stand left-aligned and the others
// right-aligned, the columns joined by two blanks.
std::string table(std::vector<std::vector<std::string>> rows, std::size_t left) {
    for (std::size_t c = 0; c < left; ++c) {
        std::size_t width = 0;
        for (const auto& row : rows)
            if (c < row.size()) width = std::max(width, row[c].size());
        for (auto& row : rows)
            if (c < row.size()) row[c] = pad_left_aligned(row[c], width);
    }
    std::string lines = column_lines(rows, ColumnAlign::Right);
    // A left-aligned last cell leaves blanks at the line's end.
    std::string out;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = lines.find('\n', start);
        std::string line = lines.substr(start, end - start);
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
        start = end + 1;
    }
    return out;
}

// Lines "label  value", the values in one column.
std::string pairs(const std::vector<std::vector<std::string>>& rows) {
    return table(rows, 2);
}

std::string gz_cell(const std::vector<double>& arms, const std::vector<bool>& balanced,
                    std::size_t i) {
    const double v = i < arms.size() ? arms[i] : std::numeric_limits<double>::quiet_NaN();
    const bool ok = i >= balanced.size() || balanced[i];
    return fixed(v, kLengthDecimals) + (ok ? "" : "*");
}

bool any_unbalanced(const GzCurves& gz) {
    for (std::size_t i = 0; i < gz.heel_deg.size(); ++i) {
        if (i < gz.balanced_starboard.size() && !gz.balanced_starboard[i]) return true;
        if (i < gz.balanced_port.size() && !gz.balanced_port[i]) return true;
    }
    return false;
}

// The decimals and unit of a criterion's values, by its id: areas in m*rad,
// the angle of the largest arm in degrees, arms and GM in m.
struct CriterionUnit {
    int decimals;
    const char* unit;
};

CriterionUnit criterion_unit(const std::string& id) {
    if (id == "weather_area_ratio") return {kRatioDecimals, "-"};
    if (id == "final_heel" || id == "residual_range") return {kAngleDecimals, "deg"};
    if (id == "residual_area") return {kLengthDecimals, "m*rad"};
    if (id == "weather_heel") return {kAngleDecimals, "deg"};
    if (id.compare(0, 4, "area") == 0) return {kLengthDecimals, "m*rad"};
    if (id.compare(0, 5, "angle") == 0) return {kAngleDecimals, "deg"};
    return {kLengthDecimals, "m"};
}

std::string floating_position_text(const Equilibrium& e) {
    return pairs({{"heel", angle(e.heel)},
                  {"trim", angle(e.trim_deg) + ", " + length(e.trim_m)},
                  {"draft at AP", length(e.draft_ap)},
                  {"draft at FP", length(e.draft_fp)},
                  {"draft amidships", length(e.draft_mid)},
                  {"centre of buoyancy B", point_text(e.B)},
                  {"water plane (A, B, C, D)", "(" + fixed(e.plane.A, kNormalDecimals) + ", " +
                                                   fixed(e.plane.B, kNormalDecimals) + ", " +
                                                   fixed(e.plane.C, kNormalDecimals) + ", " +
                                                   fixed(e.plane.D, kLengthDecimals) + ")"}});
}

std::string gz_table_text(const GzCurves& gz) {
    std::string t;
    std::vector<std::vector<std::string>> rows = {{"heel_deg", "gz_starboard_m", "gz_port_m"}};
    for (std::size_t i = 0; i < gz.heel_deg.size(); ++i)
        rows.push_back({format_number(gz.heel_deg[i]),
                        gz_cell(gz.starboard, gz.balanced_starboard, i),
                        gz_cell(gz.port, gz.balanced_port, i)});
    t += table(rows, 0);
    if (any_unbalanced(gz))
        t += "*: the trim balancing stopped at its bound; that arm is the one of the last "
             "accepted trim, not of the body in longitudinal balance\n";
    return t;
}

std::string criteria_text(const std::vector<CriterionOutcome>& list) {
    std::vector<std::vector<std::string>> rows = {
        {"id", "unit", "limit", "starboard", "result", "port", "result"}};
    for (const CriterionOutcome& c : list) {
        const CriterionUnit u = criterion_unit(c.id);
        rows.push_back({one_line(c.id), u.unit, fixed(c.limit, u.decimals),
                        fixed(c.starboard.value, u.decimals), c.starboard.result,
                        fixed(c.port.value, u.decimals), c.port.result});
    }
    return table(rows, 2);
}

// One damage case's section of the report.
std::string damage_text(const DamageResult& d, std::size_t number) {
    std::string t = "\nDamage case " + std::to_string(number) + ": " + one_line(d.name) + "\n";
    std::string names;
    for (std::size_t i = 0; i < d.compartments.size(); ++i) {
        names += (i == 0 ? "" : ", ") + one_line(d.compartments[i]);
        if (i < d.permeabilities.size() && i < d.compartment_volumes.size())
            names += " (permeability " + fixed(d.permeabilities[i], kRatioDecimals) + ", " +
                     fixed(d.compartment_volumes[i], kVolumeDecimals) + " m^3)";
    }
    t += pairs(
        {{"flooded compartments", names},
         {"status", d.status},
         {"lost volume below the water plane", fixed(d.lost_volume, kVolumeDecimals) + " m^3"},
         {"sinkage amidships", length(d.sinkage)}});
    if (d.status == "floats") {
        t += "\nDamaged floating position\n";
        t += floating_position_text(d.equilibrium);
        t += "\nStability at the damaged position\n";
        t += pairs({{"KM", length(d.stability.km)},
                    {"GM solid", length(d.stability.gm_solid)},
                    {"GM fluid", length(d.stability.gm_fluid)}});
        t += "\nResidual GZ curves\n";
        t += gz_table_text(d.gz);
        t += "\nOpenings (immersion: heel beyond the equilibrium towards that side)\n";
        if (d.downflooding.empty()) {
            t += "none\n";
        } else {
            std::vector<std::vector<std::string>> rows = {
                {"name", "height_m", "starboard_deg", "port_deg"}};
            for (const OpeningImmersion& o : d.downflooding)
                rows.push_back({one_line(o.name), fixed(o.height, kLengthDecimals),
                                optional_angle(o.starboard), optional_angle(o.port)});
            t += table(rows, 1);
        }
    }
    if (d.status != "floats" && !d.gz.heel_deg.empty()) {
        t += "\nResidual GZ curves (from upright; no stable equilibrium)\n";
        t += gz_table_text(d.gz);
    }
    t += "\nResidual stability criteria (MARPOL Annex I, reg. 28(6); range, arm and area from "
         "the equilibrium heel towards each side)\n";
    t += criteria_text(d.criteria);
    if (!d.notes.empty()) {
        t += "\nNotes on the case\n";
        for (const std::string& n : d.notes) t += "- " + one_line(n) + "\n";
    }
    return t;
}

// ---- Chart -----------------------------------------------------------------

struct SideLook {
    const char* name;
    const char* colour;
    const char* dash;
};

const SideLook kStarboardLook = {"starboard", kSeriesColours[0], ""};
const SideLook kPortLook = {"port", kSeriesColours[1], "2.4 1.2"};

ChartSeries gz_series(const GzCurves& gz, const std::vector<double>& arms,
                      const std::vector<bool>& balanced, const SideLook& look) {
    ChartSeries s;
    s.name = std::string("GZ ") + look.name;
    s.colour = look.colour;
    s.dash = look.dash;
    for (std::size_t i = 0; i < gz.heel_deg.size(); ++i) {
        s.x.push_back(gz.heel_deg[i]);
        s.y.push_back(i < arms.size() ? arms[i] : std::numeric_limits<double>::quiet_NaN());
        s.hollow.push_back(i < balanced.size() && !balanced[i]);
    }
    return s;
}

// The tangent at the origin: GZ ~ GM * phi for small heel (phi in rad), the
// line from the origin through (1 rad = 57.3°, GM fluid). Its point at one
// radian is marked, with a construction line down to the axis, when it is no
// more than twice the largest arm; a larger GM would squeeze the curves, and
// the tangent then runs out of the plot with the value where it does.
void draw_gm_tangent(LineChart& chart, double gm, double top_arm) {
    const double one_radian = 180.0 / kPi;
    const std::string value = "GM = " + format_number(gm) + " m";
    const bool show_point = !(top_arm > 0.0) || gm <= 2.0 * top_arm;
    chart.lines.push_back({0.0, 0.0, one_radian, gm, true, "#404040", "0.8 0.8", 0.35,
                           "GM tangent (through φ = 1 rad, GM fluid)",
                           show_point ? "" : value + " (at φ = 1 rad, off the chart)"});
    if (!show_point) return;
    chart.lines.push_back(
        {one_radian, 0.0, one_radian, gm, false, "#606060", "0.5 0.8", 0.3, "", ""});
    chart.markers.push_back({one_radian, gm, value, "#404040"});
    chart.y_axis.include.push_back(gm);
    chart.notes.push_back({one_radian, 0.0, "1 rad = 57.3°", "#404040", "start", 1.0, -1.2});
}

}  // namespace

std::string loading_json(const LoadingResult& r) {
    Json j = Json::object();
    j["condition"] = r.condition;
    j["hull"] = r.hull;
    j["water_density_t_m3"] = number(r.water_density);
    j["weights"] = weights_json(r.weights);
    j["equilibrium"] = equilibrium_json(r.equilibrium);
    j["stability"] = stability_json(r.stability);
    j["gz"] = gz_json(r.gz);

    Json gz_max = Json::object();
    gz_max["starboard_m"] = number(r.gz_max_starboard);
    gz_max["starboard_deg"] = number(r.gz_max_starboard_deg);
    gz_max["port_m"] = number(r.gz_max_port);
    gz_max["port_deg"] = number(r.gz_max_port_deg);
    j["gz_max"] = gz_max;

    Json vanishing = Json::object();
    vanishing["starboard"] = number(r.vanishing.starboard);
    vanishing["port"] = number(r.vanishing.port);
    j["vanishing_deg"] = vanishing;

    Json downflooding = Json::object();
    downflooding["starboard_deg"] = number(r.downflooding.starboard);
    downflooding["port_deg"] = number(r.downflooding.port);
    downflooding["starboard_opening"] = text(r.downflooding_opening_starboard);
    downflooding["port_opening"] = text(r.downflooding_opening_port);
    j["downflooding"] = downflooding;

    j["criteria"] = criteria_json(r.criteria);
    if (r.weather) {
        Json weather = Json::object();
        weather["starboard"] = weather_side_json(r.weather->starboard);
        weather["port"] = weather_side_json(r.weather->port);
        Json warnings = Json::array();
        for (const std::string& n : r.weather->warnings) warnings.push_back(n);
        weather["warnings"] = warnings;
        j["weather"] = weather;
    } else {
        j["weather"] = nullptr;
    }

    if (r.listed_side) {
        Json list = Json::object();
        list["side"] = *r.listed_side;
        list["from_deg"] = number(r.list_deg);
        j["list"] = list;
    } else {
        j["list"] = nullptr;
    }
    Json notes = Json::array();
    for (const std::string& n : r.notes) notes.push_back(n);
    j["notes"] = notes;
    // The hull's particulars the report prints beside the results.
    Json particulars = Json::object();
    particulars["lpp_m"] = number(r.lpp);
    particulars["breadth_m"] = number(r.breadth);
    j["particulars"] = particulars;
    // Only a condition with damage cases has the member.
    if (!r.damage.empty()) {
        Json cases = Json::array();
        for (const DamageResult& d : r.damage) cases.push_back(damage_json(d));
        j["damage"] = cases;
    }
    // Non-ASCII text stays UTF-8; invalid bytes are replaced rather than
    // thrown on.
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string loading_text(const LoadingResult& r) {
    std::string t;
    t += "Loading condition: " + one_line(r.condition) + "\n";
    t += "Hull model: " + one_line(r.hull) + "\n";
    t += "Water density: " + fixed(r.water_density, kRatioDecimals) + " t/m^3\n";

    t += "\nConventions\n";
    t += "  body coordinates: x forward, y to port, z up from the base plane\n";
    t += "  heel > 0 with the starboard (-y) side down; trim > 0 by the stern\n";
    t += "  trim (m) = draft at AP - draft at FP\n";
    t += "  drafts on the centre line (y = 0) at x = 0 (AP), x = lpp (FP) and x = lpp/2 (mid)\n";
    t += "  water plane A x + B y + C z + D = 0, unit normal (A, B, C) out of the water\n";
    t += "  GZ starboard / port: the righting arm of a heel to that side, with the liquids "
         "shifting and free trim\n";
    t += "  lengths, coordinates and arms in m with 4 decimals, angles in degrees with 3,\n";
    t += "  masses in t and free-surface moments in t*m with 2, volumes in m^3 with 3, fills "
         "with 4\n";

    const WeightSummary& w = r.weights;
    t += "\nFixed weights\n";
    {
        std::vector<std::vector<std::string>> rows = {{"name", "mass_t", "x_m", "y_m", "z_m"}};
        for (const FixedWeight& f : w.fixed)
            rows.push_back({one_line(f.name), fixed(f.mass, kMassDecimals),
                            fixed(f.centre.x, kLengthDecimals), fixed(f.centre.y, kLengthDecimals),
                            fixed(f.centre.z, kLengthDecimals)});
        t += table(rows, 1);
    }
    t += "\nTanks (liquid at the floating position)\n";
    if (w.tanks.empty()) {
        t += "none\n";
    } else {
        std::vector<std::vector<std::string>> rows = {
            {"name", "capacity_m3", "volume_m3", "mass_t", "fill", "x_m", "y_m", "z_m", "fsm_t_m"}};
        for (const TankState& k : w.tanks)
            rows.push_back({one_line(k.name), fixed(k.capacity, kVolumeDecimals),
                            fixed(k.volume, kVolumeDecimals), fixed(k.mass, kMassDecimals),
                            fixed(k.fill, kRatioDecimals), fixed(k.centre.x, kLengthDecimals),
                            fixed(k.centre.y, kLengthDecimals), fixed(k.centre.z, kLengthDecimals),
                            fixed(k.free_surface_moment, kMassDecimals)});
        t += table(rows, 1);
    }
    t += "\nTotals\n";
    t += pairs({{"displacement", fixed(w.displacement, kMassDecimals) + " t"},
                {"volume", fixed(w.volume, kVolumeDecimals) + " m^3"},
                {"centre of gravity G", point_text(w.centre_of_gravity)}});

    t += "\nFloating position\n";
    t += floating_position_text(r.equilibrium);

    const StabilityAtRest& s = r.stability;
    t += "\nStability at the floating position\n";
    t += pairs({{"KM", length(s.km)},
                {"KG", length(s.kg)},
                {"GM solid", length(s.gm_solid)},
                {"free-surface correction", length(s.free_surface_correction)},
                {"GM fluid", length(s.gm_fluid)}});

    t += "\nGZ curves\n";
    t += gz_table_text(r.gz);

    t += "\nLargest arm, vanishing and downflooding angles\n";
    auto opening = [](const std::optional<double>& angle_deg,
                      const std::optional<std::string>& name) {
        return optional_angle(angle_deg) +
               (angle_deg && name ? " (opening " + one_line(*name) + ")" : std::string());
    };
    t += pairs(
        {{"GZ max, starboard", length(r.gz_max_starboard) + " at " + angle(r.gz_max_starboard_deg)},
         {"GZ max, port", length(r.gz_max_port) + " at " + angle(r.gz_max_port_deg)},
         {"vanishing angle, starboard", optional_angle(r.vanishing.starboard)},
         {"vanishing angle, port", optional_angle(r.vanishing.port)},
         {"downflooding angle, starboard",
          opening(r.downflooding.starboard, r.downflooding_opening_starboard)},
         {"downflooding angle, port", opening(r.downflooding.port, r.downflooding_opening_port)}});

    t += "\nCriteria\n";
    t += criteria_text(r.criteria);
    t += "\nWeather criterion (IS Code 2008, A 2.3)\n";
    if (!r.weather) {
        t += "not checked\n";
    } else {
        const WeatherSide* sides[2] = {&r.weather->starboard, &r.weather->port};
        auto row = [&](const char* name, int decimals, double WeatherSide::*m) {
            return std::vector<std::string>{name, fixed(sides[0]->*m, decimals),
                                            fixed(sides[1]->*m, decimals)};
        };
        auto opt = [&](const char* name, std::optional<double> WeatherSide::*m) {
            return std::vector<std::string>{
                name, sides[0]->*m ? fixed(*(sides[0]->*m), kAngleDecimals) : "none",
                sides[1]->*m ? fixed(*(sides[1]->*m), kAngleDecimals) : "none"};
        };
        std::vector<std::vector<std::string>> rows = {
            {"leeward side", "starboard", "port"},
            row("windage area A (m^2)", kLengthDecimals, &WeatherSide::windage_area),
            row("windage centre z (m)", kLengthDecimals, &WeatherSide::windage_centre_z),
            row("lateral centre z (m)", kLengthDecimals, &WeatherSide::lateral_centre_z),
            row("lever Z (m)", kLengthDecimals, &WeatherSide::lever),
            row("lw1 (m)", kLengthDecimals, &WeatherSide::lw1),
            row("lw2 (m)", kLengthDecimals, &WeatherSide::lw2),
            row("theta0 (deg)", kAngleDecimals, &WeatherSide::theta0),
            row("theta1 (deg)", kAngleDecimals, &WeatherSide::theta1),
            row("theta2 (deg)", kAngleDecimals, &WeatherSide::theta2),
            opt("theta_c (deg)", &WeatherSide::theta_c),
            row("roll period T (s)", kLengthDecimals, &WeatherSide::roll_period),
            row("X1", kRatioDecimals, &WeatherSide::x1),
            row("X2", kRatioDecimals, &WeatherSide::x2),
            row("k", kRatioDecimals, &WeatherSide::k),
            row("r", kRatioDecimals, &WeatherSide::r),
            row("s", kRatioDecimals, &WeatherSide::s),
            row("area a (m*rad)", kLengthDecimals, &WeatherSide::area_a),
            row("area b (m*rad)", kLengthDecimals, &WeatherSide::area_b),
            opt("deck edge immersion (deg)", &WeatherSide::deck_edge)};
        t += table(rows, 1);
        for (const std::string& n : r.weather->warnings) t += "warning: " + one_line(n) + "\n";
    }

    if (r.listed_side)
        t += "\nThe ship lists to " + one_line(*r.listed_side) + ": the areas of the " +
             one_line(*r.listed_side) + " side are measured from the equilibrium heel of " +
             angle(r.list_deg) + "\n";

    for (std::size_t i = 0; i < r.damage.size(); ++i) t += damage_text(r.damage[i], i + 1);

    if (!r.notes.empty()) {
        t += "\nNotes\n";
        for (const std::string& n : r.notes) t += "- " + one_line(n) + "\n";
    }
    return t;
}

std::string gz_csv(const GzCurves& gz) {
    std::string text = "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,balanced_port\n";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i < gz.heel_deg.size(); ++i) {
        const bool s = i >= gz.balanced_starboard.size() || gz.balanced_starboard[i];
        const bool p = i >= gz.balanced_port.size() || gz.balanced_port[i];
        text += format_shortest(gz.heel_deg[i]) + "," +
                format_shortest(i < gz.starboard.size() ? gz.starboard[i] : nan) + "," +
                format_shortest(i < gz.port.size() ? gz.port[i] : nan) + "," + (s ? "1" : "0") +
                "," + (p ? "1" : "0") + "\n";
    }
    return text;
}

std::string loading_gz_csv(const LoadingResult& r) {
    return gz_csv(r.gz);
}

std::string damage_gz_csv(const DamageResult& d) {
    return gz_csv(d.gz);
}

LineChart loading_gz_chart(const LoadingResult& r) {
    LineChart chart;
    chart.title = "GZ curves: " + one_line(r.condition);
    chart.subtitle = "Δ = " + format_number(r.weights.displacement) +
                     " t, KG = " + format_number(r.stability.kg) +
                     " m, GM fluid = " + format_number(r.stability.gm_fluid) + " m";
    chart.x_axis.label = "heel φ (°)";
    chart.x_axis.fixed = true;
    chart.x_axis.min = 0.0;
    chart.x_axis.max = 90.0;
    chart.x_axis.max_intervals = 9;
    chart.y_axis.label = "righting arm GZ (m)";
    chart.y_axis.include = {0.0};
    chart.y_axis.max_intervals = 10;

    chart.series.push_back(
        gz_series(r.gz, r.gz.starboard, r.gz.balanced_starboard, kStarboardLook));
    chart.series.push_back(gz_series(r.gz, r.gz.port, r.gz.balanced_port, kPortLook));
    chart.hollow_legend = "hollow point: trim not balanced";

    // The largest arms, once when both sides have the same.
    const bool same_max =
        r.gz_max_starboard == r.gz_max_port && r.gz_max_starboard_deg == r.gz_max_port_deg;
    const struct {
        double gz, deg;
        const SideLook* look;
    } maxima[] = {{r.gz_max_starboard, r.gz_max_starboard_deg, &kStarboardLook},
                  {r.gz_max_port, r.gz_max_port_deg, &kPortLook}};
    for (std::size_t k = 0; k < 2; ++k) {
        const auto& m = maxima[k];
        if (!std::isfinite(m.gz) || !std::isfinite(m.deg)) continue;
        if (k == 1 && same_max) break;
        const std::string side = same_max ? "" : std::string(" ") + m.look->name;
        chart.markers.push_back({m.deg, m.gz,
                                 "GZmax" + side + " = " + format_number(m.gz) +
                                     " m (φ = " + format_number(m.deg) + "°)",
                                 m.look->colour});
    }

    if (std::isfinite(r.stability.gm_fluid)) {
        ValueRange arms;
        for (const std::vector<double>* side : {&r.gz.starboard, &r.gz.port})
            for (double v : *side) arms.add(v);
        draw_gm_tangent(chart, r.stability.gm_fluid, arms.hi);
    }

    // The vertical marks span the plot, whose range the lines do not change.
    const LineChartLayout layout = layout_line_chart(chart);
    const double y0 = layout.y.data0, y1 = layout.y.data1;
    chart.lines.push_back(
        {30.0, y0, 30.0, y1, false, "#606060", "1.5 1", 0.3, "criteria angles φ = 30°, 40°", ""});
    chart.lines.push_back({40.0, y0, 40.0, y1, false, "#606060", "1.5 1", 0.3, "", ""});
    const std::optional<double>& fs = r.downflooding.starboard;
    const std::optional<double>& fp = r.downflooding.port;
    const bool same_flooding = fs && fp && *fs == *fp;
    if (fs && std::isfinite(*fs))
        chart.lines.push_back({*fs, y0, *fs, y1, false, kStarboardLook.colour, "3 1", 0.35, "",
                               same_flooding ? "θf = " + format_number(*fs) + "°"
                                             : "θf starboard = " + format_number(*fs) + "°"});
    if (fp && std::isfinite(*fp) && !same_flooding)
        chart.lines.push_back({*fp, y0, *fp, y1, false, kPortLook.colour, "3 1", 0.35, "",
                               "θf port = " + format_number(*fp) + "°"});
    return chart;
}

LineChart damage_gz_chart(const DamageResult& d) {
    LineChart chart;
    chart.title = "Residual GZ: " + one_line(d.name);
    chart.subtitle = "heel φ > 0 to starboard; the arm > 0 turns the ship to port";
    chart.x_axis.label = "heel φ (°), port < 0 < starboard";
    chart.x_axis.fixed = true;
    chart.x_axis.min = -90.0;
    chart.x_axis.max = 90.0;
    chart.x_axis.max_intervals = 12;
    chart.y_axis.label = "residual arm (m)";
    chart.y_axis.include = {0.0};
    chart.y_axis.max_intervals = 10;
    if (d.status != "floats") return chart;

    // One curve through upright: a heel to port is a negative heel, whose
    // righting arm turns the ship to starboard.
    ChartSeries s;
    s.name = "residual arm";
    s.colour = kStarboardLook.colour;
    s.dash = "";
    const GzCurves& gz = d.gz;
    for (std::size_t k = gz.heel_deg.size(); k-- > 1;) {
        s.x.push_back(-gz.heel_deg[k]);
        s.y.push_back(k < gz.port.size() ? -gz.port[k] : std::numeric_limits<double>::quiet_NaN());
        s.hollow.push_back(k < gz.balanced_port.size() && !gz.balanced_port[k]);
    }
    for (std::size_t k = 0; k < gz.heel_deg.size(); ++k) {
        s.x.push_back(gz.heel_deg[k]);
        s.y.push_back(k < gz.starboard.size() ? gz.starboard[k]
                                              : std::numeric_limits<double>::quiet_NaN());
        s.hollow.push_back(k < gz.balanced_starboard.size() && !gz.balanced_starboard[k]);
    }
    chart.series.push_back(s);
    chart.hollow_legend = "hollow point: trim not balanced";

    const LineChartLayout layout = layout_line_chart(chart);
    const double y0 = layout.y.data0, y1 = layout.y.data1;
    const double heel = d.equilibrium.heel;
    chart.lines.push_back({heel, y0, heel, y1, false, "#a00000", "", 0.35, "",
                           "equilibrium φ = " + format_number(heel) + "°"});
    chart.lines.push_back({std::max(heel - 20.0, -90.0), y0, std::max(heel - 20.0, -90.0), y1,
                           false, "#606060", "1.5 1", 0.3, "20° beyond the equilibrium", ""});
    chart.lines.push_back({std::min(heel + 20.0, 90.0), y0, std::min(heel + 20.0, 90.0), y1, false,
                           "#606060", "1.5 1", 0.3, "", ""});
    return chart;
}

std::string damage_gz_svg(const DamageResult& d) {
    return render_line_chart(damage_gz_chart(d));
}

std::string loading_gz_svg(const LoadingResult& r) {
    return render_line_chart(loading_gz_chart(r));
}

}  // namespace voxel
