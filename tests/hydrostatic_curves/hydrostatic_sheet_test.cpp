// The sheet of hydrostatic curves of the fine Wigley hull (its stored table):
// every curve reads back through its own scale bar's labels and the draft
// labels as its column; a waterline that met no hull leaves a gap; and
// rsvg-convert draws the sheet.
#include "apps/hydrostatic_curves/hydrostatic_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>

#include "support/chart_reading.h"
#include "support/process.h"
#include "support/scratch_dir.h"
#include "support/stored_outputs.h"
#include "support/svg_render.h"
#include "support/xml_check.h"

namespace {

using testing_support::axis_from_labels;
using testing_support::children_of;
using testing_support::parse_xml;
using testing_support::polyline_points;
using testing_support::XmlDocument;
using testing_support::XmlElement;

const char* const kSymbols[] = {"T",  "V",   "DIS", "DISk", "Zb", "Xb", "Aw", "Xf",
                                "Zm", "TPC", "MTC", "ZmL",  "CB", "Cw", "Cm", "Cp"};

voxel::HydroTable table_of(std::map<std::string, std::vector<double>> c) {
    voxel::HydroTable t;
    t.count = static_cast<int>(c["T"].size());
    t.T = c["T"], t.V = c["V"], t.DIS = c["DIS"], t.DISk = c["DISk"], t.Zb = c["Zb"];
    t.Xb = c["Xb"], t.Aw = c["Aw"], t.Xf = c["Xf"], t.Zm = c["Zm"], t.TPC = c["TPC"];
    t.MTC = c["MTC"], t.ZmL = c["ZmL"], t.CB = c["CB"], t.Cw = c["Cw"], t.Cm = c["Cm"];
    t.Cp = c["Cp"];
    return t;
}

struct WigleySheet : testing::Test {
    void SetUp() override {
        columns = testing_support::read_stored_hydro_table("wigley_fine");
        for (const char* s : kSymbols) ASSERT_EQ(columns[s].size(), 95u) << s;
        svg = voxel::hydrostatic_sheet_svg(table_of(columns), "Wigley 船型 L 100 m, B 10 m");
        doc = parse_xml(svg);
    }
    std::map<std::string, std::vector<double>> columns;
    std::string svg;
    XmlDocument doc;
};

TEST_F(WigleySheet, EveryCurveReadsBackThroughItsScaleBarAsItsColumn) {
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto draft = axis_from_labels(doc.elements, "tick-v", "y");
    ASSERT_TRUE(draft.ok);
    const double tol_t = 0.001 * std::fabs(draft.data_per_mm());
    int curves = 0;
    for (std::size_t g = 0; g < doc.elements.size(); ++g) {
        if (doc.elements[g].attribute("class") != "scale") continue;
        const auto members = children_of(doc, g);
        const auto scale = axis_from_labels(members, "tick-h", "x");
        ASSERT_TRUE(scale.ok);
        const double tol = 0.001 * std::fabs(scale.data_per_mm());
        EXPECT_LE(scale.worst_residual, tol);
        for (const XmlElement& e : members) {
            if (e.name != "polyline") continue;
            const std::string symbol = e.attribute("data-curve");
            const auto& values = columns[symbol];
            const auto points = polyline_points(e);
            ASSERT_EQ(points.size(), values.size()) << symbol;
            for (std::size_t i = 0; i < points.size(); ++i) {
                EXPECT_NEAR(scale.to_data(points[i].first), values[i], tol) << symbol << " " << i;
                EXPECT_NEAR(draft.to_data(points[i].second), columns["T"][i], tol_t);
            }
            ++curves;
        }
    }
    EXPECT_EQ(curves, 15);
}

TEST_F(WigleySheet, WaterlinesThatMetNoHullLeaveGaps) {
    auto c = columns;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const char* s : kSymbols)
        if (std::string(s) != "T") c[s][0] = c[s][1] = nan;
    c["ZmL"][50] = inf;
    const XmlDocument d = parse_xml(voxel::hydrostatic_sheet_svg(table_of(c), ""));
    ASSERT_TRUE(d.well_formed) << d.error;
    std::map<std::string, std::vector<std::size_t>> runs;
    for (const XmlElement& e : d.elements)
        if (e.name == "polyline" && e.attribute("class") == "curve")
            runs[e.attribute("data-curve")].push_back(polyline_points(e).size());
    EXPECT_EQ(runs["V"], std::vector<std::size_t>({93}));
    EXPECT_EQ(runs["ZmL"], std::vector<std::size_t>({48, 44}));
}

TEST_F(WigleySheet, RendersToAPictureThatIsNotBlank) {
    const std::string rsvg = testing_support::find_on_path("rsvg-convert");
    if (rsvg.empty()) GTEST_SKIP() << "rsvg-convert is not installed";
    if (const char* out = std::getenv("VOXEL_CHART_DIR"))
        testing_support::write_file_bytes(std::string(out) + "/hydrostatic_curves_chart.svg", svg);
    testing_support::ScratchDir dir;
    const auto sheet = testing_support::render_svg(rsvg, dir.path(), "sheet", svg);
    const auto blank = testing_support::render_svg(rsvg, dir.path(), "blank",
                                                   testing_support::blank_svg(297, 210));
    ASSERT_TRUE(sheet.ok) << sheet.message;
    ASSERT_TRUE(blank.ok) << blank.message;
    EXPECT_GT(sheet.bytes, 5 * blank.bytes);
}

}  // namespace
