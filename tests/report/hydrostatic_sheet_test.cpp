// The sheet of hydrostatic curves of the fine Wigley hull (its stored table):
// every curve reads back through its own scale bar's labels and the draft
// labels as its column; a waterline that met no hull leaves a gap; and
// rsvg-convert draws the sheet. A box barge from the closed forms of a box,
// whose metacentres run off at the shallow drafts: they are cut at the frame
// where the closed forms reach the scale's end, and the other curves keep
// their width. On both sheets no label overlaps another or a curve.
#include "report/hydrostatic_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>

#include "kernel/clip_segment.h"
#include "report/charts/text_extent.h"
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

// Page x of a value on an axis read from its labels.
double page_of(const testing_support::AxisFromLabels& a, double value) {
    return a.page0 + (value - a.value0) * (a.page1 - a.page0) / (a.value1 - a.value0);
}

TEST_F(WigleySheet, EveryCurveReadsBackThroughItsScaleBarAsItsColumn) {
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto draft = axis_from_labels(doc.elements, "tick-v", "y");
    ASSERT_TRUE(draft.ok);
    const double tol_t = 0.001 * std::fabs(draft.data_per_mm());
    const std::vector<double>& T = columns["T"];
    std::map<std::string, std::size_t> rows_drawn;
    std::map<std::string, std::size_t> rows_inside;
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
            ASSERT_EQ(values.size(), T.size()) << symbol;
            if (rows_inside.count(symbol) == 0)
                for (double v : values)
                    rows_inside[symbol] += v >= scale.value0 - tol && v <= scale.value1 + tol;
            // A row inside the scale is drawn at its value; where the curve
            // runs beyond the scale it ends on the frame, on the straight line
            // between the rows either side.
            std::size_t row = 0;
            for (const auto& [x, y] : polyline_points(e)) {
                const double t = draft.to_data(y);
                while (row < T.size() && T[row] < t - tol_t) ++row;
                ASSERT_LT(row, T.size()) << symbol;
                if (std::fabs(T[row] - t) <= tol_t) {
                    EXPECT_NEAR(scale.to_data(x), values[row], tol) << symbol << " " << row;
                    ++rows_drawn[symbol];
                    continue;
                }
                ASSERT_GT(row, 0u) << symbol;
                const double v = scale.to_data(x);
                EXPECT_TRUE(std::fabs(v - scale.value0) <= tol ||
                            std::fabs(v - scale.value1) <= tol)
                    << symbol << " leaves the scale inside the frame at " << v;
                const double ax = page_of(scale, values[row - 1]);
                const double ay = page_of(draft, T[row - 1]);
                const double bx = page_of(scale, values[row]);
                const double by = page_of(draft, T[row]);
                const double off_line =
                    ((bx - ax) * (y - ay) - (by - ay) * (x - ax)) / std::hypot(bx - ax, by - ay);
                EXPECT_LE(std::fabs(off_line), 0.002) << symbol << " at T " << t;
            }
        }
    }
    EXPECT_EQ(rows_drawn.size(), 15u);
    for (const auto& [symbol, n] : rows_inside) EXPECT_EQ(rows_drawn[symbol], n) << symbol;
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
    // ZmL runs off the frame at the shallow end of its first run.
    ASSERT_EQ(runs["ZmL"].size(), 2u);
    EXPECT_EQ(runs["ZmL"][1], 44u);
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

// A box barge of L 100 m, B 20 m, KG 6 m from the closed forms of a box: at
// draft T, V = L B T, KB = T/2, KM = T/2 + B^2/(12 T), KML = T/2 + L^2/(12 T),
// MTC = (KML - KG) DIS / (100 L). Drafts 0.5 m to 9.9 m: KM at the first
// waterline is eight times KM at the deepest.
constexpr double kBoxL = 100.0, kBoxB = 20.0;

double box_km(double T) {
    return T / 2.0 + kBoxB * kBoxB / (12.0 * T);
}
double box_kml(double T) {
    return T / 2.0 + kBoxL * kBoxL / (12.0 * T);
}

voxel::HydroTable box_barge_table() {
    voxel::HydroTable t;
    t.set_waterlines(95, 0.5, 0.1);
    for (std::size_t i = 0; i < t.T.size(); ++i) {
        const double T = t.T[i];
        t.V[i] = kBoxL * kBoxB * T;
        t.DIS[i] = 1.025 * t.V[i];
        t.DISk[i] = 1.005 * t.DIS[i];
        t.Zb[i] = T / 2.0;
        t.Aw[i] = kBoxL * kBoxB;
        t.Zm[i] = box_km(T);
        t.ZmL[i] = box_kml(T);
        t.TPC[i] = 1.025 * t.Aw[i] / 100.0;
        t.MTC[i] = (t.ZmL[i] - 6.0) * t.DIS[i] / 100.0 / kBoxL;
        t.CB[i] = t.Cw[i] = t.Cm[i] = t.Cp[i] = 1.0;
    }
    return t;
}

// The curves of a sheet as read from its SVG, by symbol: their polylines,
// their scale (from its labels) and the page x of the frame's sides (the
// first and last tick of the scale bar).
struct SheetCurveReading {
    std::vector<std::vector<std::pair<double, double>>> lines;
    testing_support::AxisFromLabels scale;
    double left = 0.0, right = 0.0;
};

std::map<std::string, SheetCurveReading> read_curves(const XmlDocument& d) {
    std::map<std::string, SheetCurveReading> curves;
    for (std::size_t g = 0; g < d.elements.size(); ++g) {
        if (d.elements[g].attribute("class") != "scale") continue;
        const auto members = children_of(d, g);
        const auto scale = axis_from_labels(members, "tick-h", "x");
        for (const XmlElement& e : members) {
            if (e.name != "polyline") continue;
            SheetCurveReading& c = curves[e.attribute("data-curve")];
            c.lines.push_back(polyline_points(e));
            c.scale = scale;
            c.left = std::min(scale.page0, scale.page1);
            c.right = std::max(scale.page0, scale.page1);
        }
    }
    return curves;
}

TEST(BoxBargeSheet, MetacentresAreCutAtTheFrameAndTheOtherCurvesKeepTheirWidth) {
    const voxel::HydroTable t = box_barge_table();
    ASSERT_GT(t.Zm.front(), 8.0 * t.Zm.back());
    const XmlDocument d = parse_xml(voxel::hydrostatic_sheet_svg(t, ""));
    ASSERT_TRUE(d.well_formed) << d.error;
    const auto draft = axis_from_labels(d.elements, "tick-v", "y");
    ASSERT_TRUE(draft.ok);
    const auto curves = read_curves(d);

    // KB and the metacentres span a fifth of their panel at least (KB took
    // 6 % when the scale had to hold KM at 0.5 m).
    for (const char* symbol : {"Zb", "Zm", "ZmL"}) {
        const SheetCurveReading& c = curves.at(symbol);
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        for (const auto& line : c.lines)
            for (const auto& point : line) {
                lo = std::min(lo, point.first);
                hi = std::max(hi, point.first);
                EXPECT_GE(point.first, c.left - 0.001) << symbol;
                EXPECT_LE(point.first, c.right + 0.001) << symbol;
            }
        EXPECT_GE(hi - lo, 0.2 * (c.right - c.left)) << symbol;
    }

    // KM and KML leave the frame where the closed form reaches the scale's
    // end K: T/2 + b^2/(12 T) = K at T = K - sqrt(K^2 - b^2/6); the deeper
    // half of the drafts (from 5.2 m) stays inside.
    std::map<std::string, std::vector<std::pair<double, double>>> tips;
    for (const XmlElement& e : d.elements)
        if (e.name == "polygon" && e.attribute("class") == "clip-mark")
            tips[e.attribute("data-curve")].push_back(polyline_points(e).front());
    EXPECT_EQ(tips.size(), 2u);
    for (const auto& [symbol, beam] :
         {std::pair<std::string, double>{"Zm", kBoxB}, {"ZmL", kBoxL}}) {
        const SheetCurveReading& c = curves.at(symbol);
        const double K = c.scale.value1;
        EXPECT_GE(K, symbol == "Zm" ? box_km(5.2) : box_kml(5.2)) << symbol;
        ASSERT_EQ(tips[symbol].size(), 1u) << symbol;
        EXPECT_NEAR(tips[symbol][0].first, c.right, 0.01) << symbol;
        EXPECT_NEAR(draft.to_data(tips[symbol][0].second), K - std::sqrt(K * K - beam * beam / 6.0),
                    0.01)
            << symbol;
    }

    // Each note names its curve and the value it goes on to, at 0.5 m.
    std::vector<std::string> notes;
    for (const XmlElement& e : d.elements)
        if (e.name == "text" && e.attribute("class") == "clip-note") notes.push_back(e.text);
    ASSERT_EQ(notes.size(), 4u);
    for (std::size_t i = 0; i < notes.size(); i += 2) {
        const bool km = notes[i].rfind("Zm 超出图框", 0) == 0;
        EXPECT_TRUE(km || notes[i].rfind("ZmL 超出图框", 0) == 0) << notes[i];
        ASSERT_EQ(notes[i + 1].rfind("至 ", 0), 0u) << notes[i + 1];
        const double value = std::strtod(notes[i + 1].c_str() + std::string("至 ").size(), nullptr);
        const double expected = km ? box_km(0.5) : box_kml(0.5);
        EXPECT_NEAR(value, expected, 0.001 * expected) << notes[i + 1];
    }
}

// The boxes of the labels (curve symbols and notes) from their text, size
// and anchor: the estimated width, from 0.8 em above the baseline to 0.2 em
// below it. Pairwise apart, and no curve crosses one.
void expect_labels_apart(const XmlDocument& d) {
    struct Label {
        std::string text;
        double x0, y0, x1, y1;
    };
    std::vector<Label> labels;
    std::vector<std::vector<std::pair<double, double>>> lines;
    for (const XmlElement& e : d.elements) {
        if (e.name == "polyline" && e.attribute("class") == "curve")
            lines.push_back(polyline_points(e));
        if (e.name == "polygon" && e.attribute("class") == "clip-mark")
            lines.push_back(polyline_points(e));
        if (e.name != "text") continue;
        const std::string kind = e.attribute("class");
        if (kind != "curve-label" && kind != "clip-note") continue;
        const double font = std::strtod(e.attribute("font-size").c_str(), nullptr);
        const double x = std::strtod(e.attribute("x").c_str(), nullptr);
        const double y = std::strtod(e.attribute("y").c_str(), nullptr);
        const double w = voxel::text_width_mm(e.text, font);
        const std::string anchor = e.attribute("text-anchor");
        const double x0 = anchor == "end" ? x - w : anchor == "middle" ? x - 0.5 * w : x;
        labels.push_back({e.text, x0, y - 0.8 * font, x0 + w, y + 0.2 * font});
    }
    EXPECT_GE(labels.size(), 15u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const Label& a = labels[i];
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            const Label& b = labels[j];
            EXPECT_FALSE(a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1)
                << a.text << " and " << b.text;
        }
        int crossings = 0;
        for (const auto& line : lines)
            for (std::size_t k = 1; k < line.size(); ++k) {
                voxel::Segment2 inside;
                crossings += voxel::clip_segment(
                    {line[k - 1].first, line[k - 1].second, line[k].first, line[k].second}, a.x0,
                    a.x1, a.y0, a.y1, inside);
            }
        EXPECT_EQ(crossings, 0) << a.text << " at " << a.x0 << ", " << a.y1;
    }
}

// The box barge's sheet and the sheets of every stored table of the
// program, hulls of all four solid kinds (the cylinders' CB runs to 30 on
// the scale of 0 to 1); every curve also stays inside its panel.
TEST(HydrostaticSheet, NoLabelOverlapsAnotherOrACurveAndNoCurveLeavesItsPanel) {
    {
        SCOPED_TRACE("box barge");
        const XmlDocument box = parse_xml(voxel::hydrostatic_sheet_svg(box_barge_table(), ""));
        ASSERT_TRUE(box.well_formed) << box.error;
        expect_labels_apart(box);
    }
    for (const char* name : {"box_barge_hydrostatics", "wigley_coarse", "wigley_fine",
                             "mixed_hydrostatics", "tetrahedra_hydrostatics", "prisms_hydrostatics",
                             "hexahedra_hydrostatics", "cylinders_hydrostatics"}) {
        SCOPED_TRACE(name);
        auto columns = testing_support::read_stored_hydro_table(name);
        ASSERT_FALSE(columns["T"].empty());
        const XmlDocument d = parse_xml(voxel::hydrostatic_sheet_svg(table_of(columns), name));
        ASSERT_TRUE(d.well_formed) << d.error;
        expect_labels_apart(d);
        for (const auto& [symbol, c] : read_curves(d))
            for (const auto& line : c.lines)
                for (const auto& point : line) {
                    EXPECT_GE(point.first, c.left - 0.06) << symbol;
                    EXPECT_LE(point.first, c.right + 0.06) << symbol;
                }
    }
}

}  // namespace
