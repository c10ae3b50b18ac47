// The files of a loading condition's run, written from a result made by
// hand: the JSON parses back with its members in their order and every
// number bit for bit; the CSV reads back exactly; the chart is well-formed
// with one curve per side, the unbalanced point hollow and the marks where
// the angles are; the report marks and explains an unbalanced arm.
#include "report/loading_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "support/chart_reading.h"
#include "support/process.h"
#include "support/xml_check.h"

namespace {

using Json = nlohmann::ordered_json;
using testing_support::parse_xml;
using testing_support::XmlDocument;
using testing_support::XmlElement;

constexpr std::size_t kUnbalanced = 17;  // the starboard arm at 85 degrees

// Two tanks, 19 heels of a sine curve, the starboard trim at 85 degrees not
// balanced, no downflooding to port, listed to starboard, and numbers whose
// shortest text is long, tiny, huge, negative zero or not finite.
voxel::LoadingResult sample_result() {
    voxel::LoadingResult r;
    r.condition = "departure, 满载";
    r.hull = "hull/barge.txt";
    r.water_density = 1.025;
    r.weights.fixed = {{"lightship", 1200.0, {45.5, -0.0, 5.2}},
                       {"crew", 0.1 + 0.2, {10.0 / 3.0, 1e-300, 12.0}}};
    r.weights.tanks = {
        {"FW 1", 150.0, 50.0, 50.0, 1.0 / 3.0, {20.0, -2.5, 1.75}, 83.33333333333333},
        {"HFO 2",
         80.0,
         80.0,
         76.8,
         1.0,
         {60.0, 2.5, 2.0},
         std::numeric_limits<double>::infinity()}};
    r.weights.displacement = 1200.0 + (0.1 + 0.2) + 50.0 + 76.8;
    r.weights.volume = r.weights.displacement / r.water_density;
    r.weights.centre_of_gravity = {44.1, -std::numeric_limits<double>::denorm_min(), 4.9};
    r.equilibrium.heel = 2.5;
    r.equilibrium.trim_deg = 0.12;
    r.equilibrium.trim_m = 0.2094;
    r.equilibrium.draft_ap = 3.1;
    r.equilibrium.draft_fp = 2.8906;
    r.equilibrium.draft_mid = 2.9953;
    const double heel = 2.5 * voxel::kPi / 180.0;
    r.equilibrium.plane = {0.0020943951023931952, std::sin(heel), std::cos(heel), -2.99};
    r.equilibrium.B = {45.0, -0.31, 1.52};
    r.stability = {8.4, 4.9, 3.5, 0.069, 3.5 - 0.069};
    for (int i = 0; i <= 18; ++i) {
        const double deg = 5.0 * i;
        r.gz.heel_deg.push_back(deg);
        r.gz.starboard.push_back(1.5 * std::sin(2.0 * deg * voxel::kPi / 180.0));
        r.gz.port.push_back(1.4 * std::sin(2.0 * deg * voxel::kPi / 180.0) - 0.1);
        r.gz.balanced_starboard.push_back(i != static_cast<int>(kUnbalanced));
        r.gz.balanced_port.push_back(true);
    }
    r.gz_max_starboard = 1.5;
    r.gz_max_starboard_deg = 45.0;
    r.gz_max_port = 1.3;
    r.gz_max_port_deg = 45.0;
    r.vanishing = {89.99, std::nullopt};
    r.downflooding = {41.27, std::nullopt};
    r.downflooding_opening_starboard = "vent, engine room";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    r.criteria = {{"area_0_30", 0.055, {0.3721, "PASS"}, {0.298, "PASS"}},
                  {"area_0_40", 0.09, {0.5, "PASS"}, {0.41, "PASS"}},
                  {"area_30_40", 0.03, {0.12, "PASS"}, {0.11, "PASS"}},
                  {"gz_30_plus", 0.2, {1.299, "PASS"}, {1.112, "PASS"}},
                  {"angle_gz_max", 25.0, {45.0, "PASS"}, {nan, "NOT_BALANCED"}},
                  {"gm0", 0.15, {3.431, "PASS"}, {3.431, "PASS"}}};
    r.listed_side = "starboard";
    r.list_deg = 2.5;
    r.notes = {"starboard 85°: trim not balanced", "a name with a stray byte \xC0 in it"};
    return r;
}

std::vector<std::string> keys(const Json& object) {
    std::vector<std::string> k;
    for (const auto& item : object.items()) k.push_back(item.key());
    return k;
}

bool same_bits(double a, double b) {
    std::uint64_t x = 0, y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

TEST(LoadingFiles, JsonParsesBackWithItsMembersInOrderAndEveryNumberBitForBit) {
    const voxel::LoadingResult r = sample_result();
    const std::string text = voxel::loading_json(r);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const Json j = Json::parse(text);  // throws on text that is not JSON

    using Keys = std::vector<std::string>;
    EXPECT_EQ(keys(j), (Keys{"condition", "hull", "water_density_t_m3", "weights", "equilibrium",
                             "stability", "gz", "gz_max", "vanishing_deg", "downflooding",
                             "criteria", "weather", "list", "notes", "particulars"}));
    EXPECT_TRUE(j["weather"].is_null());
    EXPECT_EQ(keys(j["weights"]),
              (Keys{"fixed", "tanks", "displacement_t", "volume_m3", "centre_of_gravity_m"}));
    ASSERT_EQ(j["weights"]["fixed"].size(), 2u);
    for (const Json& f : j["weights"]["fixed"])
        EXPECT_EQ(keys(f), (Keys{"name", "mass_t", "centre_m"}));
    ASSERT_EQ(j["weights"]["tanks"].size(), 2u);
    for (const Json& t : j["weights"]["tanks"])
        EXPECT_EQ(keys(t), (Keys{"name", "capacity_m3", "volume_m3", "mass_t", "fill", "centre_m",
                                 "free_surface_moment_t_m"}));
    EXPECT_EQ(keys(j["equilibrium"]),
              (Keys{"heel_deg", "trim_deg", "trim_m", "draft_ap_m", "draft_fp_m", "draft_mid_m",
                    "plane", "centre_of_buoyancy_m"}));
    EXPECT_EQ(keys(j["stability"]),
              (Keys{"km_m", "kg_m", "gm_solid_m", "free_surface_correction_m", "gm_fluid_m"}));
    EXPECT_EQ(keys(j["gz"]),
              (Keys{"heel_deg", "starboard_m", "port_m", "balanced_starboard", "balanced_port"}));
    EXPECT_EQ(keys(j["gz_max"]), (Keys{"starboard_m", "starboard_deg", "port_m", "port_deg"}));
    EXPECT_EQ(keys(j["vanishing_deg"]), (Keys{"starboard", "port"}));
    EXPECT_EQ(keys(j["downflooding"]),
              (Keys{"starboard_deg", "port_deg", "starboard_opening", "port_opening"}));
    ASSERT_EQ(j["criteria"].size(), r.criteria.size());
    for (const Json& c : j["criteria"]) {
        EXPECT_EQ(keys(c), (Keys{"id", "limit", "starboard", "port"}));
        EXPECT_EQ(keys(c["starboard"]), (Keys{"value", "result"}));
        EXPECT_EQ(keys(c["port"]), (Keys{"value", "result"}));
    }
    EXPECT_EQ(keys(j["list"]), (Keys{"side", "from_deg"}));

    voxel::LoadingResult w = r;
    w.weather = voxel::WeatherResult{};
    w.weather->starboard.theta_c = 61.25;
    w.weather->warnings = {"B/d"};
    const Json jw = Json::parse(voxel::loading_json(w));
    EXPECT_EQ(keys(jw["weather"]), (Keys{"starboard", "port", "warnings"}));
    const Keys side{"windage_area_m2", "windage_centre_z_m", "lateral_centre_z_m", "lever_m",
                    "lw1_m",           "lw2_m",              "theta0_deg",         "theta1_deg",
                    "theta2_deg",      "theta_c_deg",        "roll_period_s",      "x1",
                    "x2",              "k",                  "r",                  "s",
                    "area_a_m_rad",    "area_b_m_rad",       "deck_edge_deg"};
    EXPECT_EQ(keys(jw["weather"]["starboard"]), side);
    EXPECT_EQ(keys(jw["weather"]["port"]), side);
    EXPECT_EQ(jw["weather"]["starboard"]["theta_c_deg"].get<double>(), 61.25);
    EXPECT_TRUE(jw["weather"]["port"]["theta_c_deg"].is_null());
    EXPECT_EQ(jw["weather"]["warnings"].size(), 1u);
    EXPECT_NE(voxel::loading_text(w).find("Weather criterion (IS Code 2008, A 2.3)"),
              std::string::npos);
    EXPECT_NE(voxel::loading_text(r).find("Weather criterion (IS Code 2008, A 2.3)\nnot checked\n"),
              std::string::npos);

    // Every finite number reads back to the same bits; the rest is null.
    int compared = 0;
    auto expect_number = [&](const Json& value, double expected, const std::string& where) {
        if (!std::isfinite(expected)) {
            EXPECT_TRUE(value.is_null()) << where;
            return;
        }
        ASSERT_TRUE(value.is_number()) << where;
        EXPECT_TRUE(same_bits(value.get<double>(), expected))
            << where << ": " << value.dump() << " for " << voxel::format_shortest(expected);
        ++compared;
    };
    auto expect_point = [&](const Json& value, const voxel::Point3& p, const std::string& where) {
        ASSERT_EQ(value.size(), 3u) << where;
        expect_number(value[0], p.x, where + " x");
        expect_number(value[1], p.y, where + " y");
        expect_number(value[2], p.z, where + " z");
    };
    expect_number(j["water_density_t_m3"], r.water_density, "water density");
    for (std::size_t i = 0; i < 2; ++i) {
        const Json& f = j["weights"]["fixed"][i];
        EXPECT_EQ(f["name"], r.weights.fixed[i].name);
        expect_number(f["mass_t"], r.weights.fixed[i].mass, "fixed mass");
        expect_point(f["centre_m"], r.weights.fixed[i].centre, "fixed centre");
        const Json& t = j["weights"]["tanks"][i];
        const voxel::TankState& s = r.weights.tanks[i];
        EXPECT_EQ(t["name"], s.name);
        expect_number(t["capacity_m3"], s.capacity, "capacity");
        expect_number(t["volume_m3"], s.volume, "volume");
        expect_number(t["mass_t"], s.mass, "tank mass");
        expect_number(t["fill"], s.fill, "fill");
        expect_point(t["centre_m"], s.centre, "tank centre");
        expect_number(t["free_surface_moment_t_m"], s.free_surface_moment, "fsm");
    }
    expect_number(j["weights"]["displacement_t"], r.weights.displacement, "displacement");
    expect_number(j["weights"]["volume_m3"], r.weights.volume, "volume");
    expect_point(j["weights"]["centre_of_gravity_m"], r.weights.centre_of_gravity, "G");
    const Json& e = j["equilibrium"];
    expect_number(e["heel_deg"], r.equilibrium.heel, "heel");
    expect_number(e["trim_deg"], r.equilibrium.trim_deg, "trim");
    expect_number(e["trim_m"], r.equilibrium.trim_m, "trim m");
    expect_number(e["draft_ap_m"], r.equilibrium.draft_ap, "draft AP");
    expect_number(e["draft_fp_m"], r.equilibrium.draft_fp, "draft FP");
    expect_number(e["draft_mid_m"], r.equilibrium.draft_mid, "draft mid");
    ASSERT_EQ(e["plane"].size(), 4u);
    expect_number(e["plane"][0], r.equilibrium.plane.A, "A");
    expect_number(e["plane"][1], r.equilibrium.plane.B, "B");
    expect_number(e["plane"][2], r.equilibrium.plane.C, "C");
    expect_number(e["plane"][3], r.equilibrium.plane.D, "D");
    expect_point(e["centre_of_buoyancy_m"], r.equilibrium.B, "B");
    expect_number(j["stability"]["km_m"], r.stability.km, "KM");
    expect_number(j["stability"]["kg_m"], r.stability.kg, "KG");
    expect_number(j["stability"]["gm_solid_m"], r.stability.gm_solid, "GM solid");
    expect_number(j["stability"]["free_surface_correction_m"], r.stability.free_surface_correction,
                  "FSC");
    expect_number(j["stability"]["gm_fluid_m"], r.stability.gm_fluid, "GM fluid");
    const Json& gz = j["gz"];
    ASSERT_EQ(gz["heel_deg"].size(), 19u);
    for (std::size_t i = 0; i < 19; ++i) {
        expect_number(gz["heel_deg"][i], r.gz.heel_deg[i], "gz heel");
        expect_number(gz["starboard_m"][i], r.gz.starboard[i], "gz starboard");
        expect_number(gz["port_m"][i], r.gz.port[i], "gz port");
        ASSERT_TRUE(gz["balanced_starboard"][i].is_boolean());
        EXPECT_EQ(gz["balanced_starboard"][i].get<bool>(), i != kUnbalanced);
        EXPECT_EQ(gz["balanced_port"][i], true);
    }
    expect_number(j["gz_max"]["starboard_m"], r.gz_max_starboard, "gz max");
    expect_number(j["gz_max"]["port_deg"], r.gz_max_port_deg, "gz max angle");
    expect_number(j["vanishing_deg"]["starboard"], *r.vanishing.starboard, "vanishing");
    EXPECT_TRUE(j["vanishing_deg"]["port"].is_null());
    expect_number(j["downflooding"]["starboard_deg"], *r.downflooding.starboard, "flooding");
    EXPECT_TRUE(j["downflooding"]["port_deg"].is_null());
    EXPECT_EQ(j["downflooding"]["starboard_opening"], *r.downflooding_opening_starboard);
    EXPECT_TRUE(j["downflooding"]["port_opening"].is_null());
    for (std::size_t i = 0; i < r.criteria.size(); ++i) {
        const Json& c = j["criteria"][i];
        EXPECT_EQ(c["id"], r.criteria[i].id);
        expect_number(c["limit"], r.criteria[i].limit, "limit");
        expect_number(c["starboard"]["value"], r.criteria[i].starboard.value, "starboard value");
        expect_number(c["port"]["value"], r.criteria[i].port.value, "port value");
        EXPECT_EQ(c["port"]["result"], r.criteria[i].port.result);
    }
    EXPECT_EQ(j["list"]["side"], "starboard");
    expect_number(j["list"]["from_deg"], r.list_deg, "list");
    ASSERT_EQ(j["notes"].size(), 2u);
    EXPECT_EQ(j["notes"][0], r.notes[0]);  // UTF-8 kept as it is
    EXPECT_EQ(j["condition"], r.condition);
    EXPECT_GT(compared, 100);

    voxel::LoadingResult upright = r;
    upright.listed_side.reset();
    EXPECT_TRUE(Json::parse(voxel::loading_json(upright))["list"].is_null());
}

std::vector<std::string> fields_of(const std::string& row) {
    std::vector<std::string> f;
    std::stringstream in(row);
    std::string cell;
    while (std::getline(in, cell, ',')) f.push_back(cell);
    return f;
}

TEST(LoadingFiles, CsvHasItsHeaderAndReadsBackExactly) {
    voxel::LoadingResult r = sample_result();
    r.gz.port[3] = 0.1 + 0.2;
    r.gz.port[4] = -0.0;
    const std::string text = voxel::loading_gz_csv(r);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto lines = testing_support::split_lines(text);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,balanced_port");
    for (std::size_t i = 0; i < 19; ++i) {
        const auto f = fields_of(lines[i + 1]);
        ASSERT_EQ(f.size(), 5u) << lines[i + 1];
        EXPECT_TRUE(same_bits(std::strtod(f[0].c_str(), nullptr), r.gz.heel_deg[i]));
        EXPECT_TRUE(same_bits(std::strtod(f[1].c_str(), nullptr), r.gz.starboard[i])) << f[1];
        EXPECT_TRUE(same_bits(std::strtod(f[2].c_str(), nullptr), r.gz.port[i])) << f[2];
        EXPECT_EQ(f[3], i == kUnbalanced ? "0" : "1");
        EXPECT_EQ(f[4], "1");
    }
}

double number(const XmlElement& e, const std::string& key) {
    return std::strtod(e.attribute(key).c_str(), nullptr);
}

TEST(LoadingFiles, ChartHasBothCurvesTheHollowPointAndTheMarks) {
    const voxel::LoadingResult r = sample_result();
    const XmlDocument doc = parse_xml(voxel::loading_gz_svg(r));
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto x = testing_support::axis_from_labels(doc.elements, "tick-x", "x");
    const auto y = testing_support::axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x.ok && y.ok);
    EXPECT_EQ(x.value0, 0.0);
    EXPECT_EQ(x.value1, 90.0);

    // One polyline per side through all 19 points, the port one dashed.
    std::vector<const XmlElement*> curves;
    int hollow = 0;
    for (const XmlElement& e : doc.elements) {
        if (e.name == "polyline" && e.attribute("class") == "series") curves.push_back(&e);
        if (e.attribute("class") == "hollow-point") ++hollow;
    }
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0]->attribute("data-series"), "0");
    EXPECT_EQ(curves[1]->attribute("data-series"), "1");
    EXPECT_FALSE(curves[0]->has_attribute("stroke-dasharray"));
    EXPECT_TRUE(curves[1]->has_attribute("stroke-dasharray"));
    const auto points = testing_support::polyline_points(*curves[0]);
    ASSERT_EQ(points.size(), 19u);
    EXPECT_NEAR(y.to_data(points[9].second), r.gz.starboard[9], 0.001 * std::fabs(y.data_per_mm()));
    EXPECT_EQ(hollow, 1);

    // Vertical marks at 30, 40 and the starboard downflooding angle, one
    // "θf" label (no port angle); the tangent rises GM fluid per radian.
    std::vector<double> verticals;
    int tangents = 0;
    for (const XmlElement& e : doc.elements) {
        if (e.name != "line" || e.attribute("class") != "chart-line") continue;
        const double x1 = x.to_data(number(e, "x1")), x2 = x.to_data(number(e, "x2"));
        const double y1 = y.to_data(number(e, "y1")), y2 = y.to_data(number(e, "y2"));
        if (std::fabs(x1 - x2) < 1e-6) verticals.push_back(x1);
        if (e.attribute("stroke-dasharray") == "0.8 0.8") {
            ++tangents;
            EXPECT_NEAR(x1, 0.0, 0.01);
            EXPECT_NEAR(y1, 0.0, 0.001);
            EXPECT_NEAR(y2, r.stability.gm_fluid * x2 * voxel::kPi / 180.0, 0.002);
        }
    }
    EXPECT_EQ(tangents, 1);
    for (double at : {30.0, 40.0, *r.downflooding.starboard}) {
        bool found = false;
        for (double v : verticals) found |= std::fabs(v - at) < 0.01;
        EXPECT_TRUE(found) << at;
    }
    int flooding_labels = 0;
    for (const XmlElement& e : doc.elements)
        if (e.attribute("class") == "line-label" && e.text.find("θf") != std::string::npos)
            ++flooding_labels;
    EXPECT_EQ(flooding_labels, 1);
}

// The rows of the GZ table: from the line after its header to the blank line.
std::vector<std::string> gz_rows(const std::string& text) {
    const auto lines = testing_support::split_lines(text);
    std::vector<std::string> rows;
    bool in = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!in && lines[i].find("gz_starboard_m") != std::string::npos) {
            in = true;
            continue;
        }
        if (in && lines[i].empty()) break;
        if (in && lines[i].rfind("*:", 0) != 0) rows.push_back(lines[i]);
    }
    return rows;
}

bool has_line_starting(const std::string& text, const std::string& start) {
    for (const std::string& line : testing_support::split_lines(text))
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

TEST(LoadingFiles, ReportMarksAnUnbalancedArmAndSaysWhatTheMarkMeans) {
    voxel::LoadingResult r = sample_result();
    const std::string text = voxel::loading_text(r);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto rows = gz_rows(text);
    ASSERT_EQ(rows.size(), 19u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].find('*') != std::string::npos, i == kUnbalanced) << rows[i];
    EXPECT_TRUE(has_line_starting(text, "*: "));
    // No port downflooding angle; the listed side's areas from the list.
    EXPECT_NE(text.find("none up to 90°"), std::string::npos);
    EXPECT_NE(text.find("vent, engine room"), std::string::npos);
    bool listed = false;
    for (const std::string& line : testing_support::split_lines(text))
        listed |= line.find("starboard") != std::string::npos &&
                  line.find("equilibrium heel of " + voxel::format_fixed(r.list_deg, 3)) !=
                      std::string::npos;
    EXPECT_TRUE(listed);

    r.gz.balanced_starboard.assign(19, true);
    const std::string balanced = voxel::loading_text(r);
    for (const std::string& row : gz_rows(balanced))
        EXPECT_EQ(row.find('*'), std::string::npos) << row;
    EXPECT_FALSE(has_line_starting(balanced, "*: "));
}

}  // namespace
