// The righting-arm chart of the box barge (stored arms of the example, GM0
// from its closed form): the curves read back through the tick labels as the
// arms, the largest arm is marked where it is, the GM0 tangent has the slope
// GM0 per radian, and rsvg-convert draws it. On the examples and on a wide
// shallow box of very large GM0, no label overlaps another, the legend or a
// curve; the points of unbalanced trim are hollow.
#include "report/arm_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "kernel/angles.h"
#include "model/stability/arm_sweep.h"
#include "report/charts/text_extent.h"
#include "support/bodies.h"
#include "support/chart_reading.h"
#include "support/process.h"
#include "support/scratch_dir.h"
#include "support/stored_outputs.h"
#include "support/svg_render.h"
#include "support/xml_check.h"

namespace {

using testing_support::axis_from_labels;
using testing_support::parse_xml;
using testing_support::polyline_points;
using testing_support::XmlDocument;
using testing_support::XmlElement;

// The example barge: B = 20, draft 4, KG = 6, so KB = 2, BM = B^2 / (12 d) =
// 25/3 and GM0 = KB + BM - KG = 13/3 m.
const double kBargeGM0 = 13.0 / 3.0;

struct BargeChart : testing::Test {
    void SetUp() override {
        const auto stored = testing_support::read_stored_arms("box_barge_arms");
        starboard = {stored.first, kBargeGM0, {}};
        port = {stored.second, kBargeGM0, {}};
        ASSERT_EQ(starboard.gz.size(), 19u);
        ASSERT_EQ(port.gz.size(), 19u);
        svg = voxel::righting_arm_chart_svg(starboard, port,
                                            "箱形驳船 L 100 m, B 20 m, T 4 m, KG 6 m");
        doc = parse_xml(svg);
    }
    voxel::ArmSeries starboard, port;
    std::string svg;
    XmlDocument doc;
};

TEST_F(BargeChart, BothCurvesReadBackThroughTheTickLabelsAsTheArms) {
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto x = axis_from_labels(doc.elements, "tick-x", "x");
    const auto y = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x.ok && y.ok);
    EXPECT_EQ(x.value0, 0.0);
    EXPECT_EQ(x.value1, 90.0);
    const double tol_x = 0.001 * std::fabs(x.data_per_mm());
    const double tol_y = 0.001 * std::fabs(y.data_per_mm());
    for (const std::string index : {"0", "1"}) {
        const auto& gz = index == "0" ? starboard.gz : port.gz;
        std::vector<std::pair<double, double>> points;
        for (const XmlElement& e : doc.elements)
            if (e.name == "polyline" && e.attribute("data-series") == index)
                for (const auto& p : polyline_points(e)) points.push_back(p);
        ASSERT_EQ(points.size(), 19u);
        for (std::size_t i = 0; i < 19; ++i) {
            EXPECT_NEAR(x.to_data(points[i].first), 5.0 * i, tol_x);
            EXPECT_NEAR(y.to_data(points[i].second), gz[i], tol_y);
        }
    }
}

TEST_F(BargeChart, LargestArmIsMarkedWithItsValueAndTheTangentRisesGM0PerRadian) {
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto x = axis_from_labels(doc.elements, "tick-x", "x");
    const auto y = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x.ok && y.ok);
    const auto top = std::max_element(starboard.gz.begin(), starboard.gz.end());
    const double top_degrees = 5.0 * static_cast<double>(top - starboard.gz.begin());
    bool marked = false;
    for (const XmlElement& e : doc.elements)
        if (e.name == "circle" && e.attribute("class") == "marker" &&
            std::fabs(x.to_data(std::strtod(e.attribute("cx").c_str(), nullptr)) - top_degrees) <
                0.01 &&
            std::fabs(y.to_data(std::strtod(e.attribute("cy").c_str(), nullptr)) - *top) < 0.001)
            marked = true;
    EXPECT_TRUE(marked);
    bool labelled = false;
    for (const XmlElement& e : doc.elements)
        if (e.attribute("class") == "marker-label" &&
            e.text.find("GZmax = 2.61787 m") != std::string::npos)
            labelled = true;
    EXPECT_TRUE(labelled);

    // Both sides have one GM0: one tangent, from the origin, GZ = GM0 * phi
    // (phi in rad) at its far end.
    int tangents = 0;
    for (const XmlElement& e : doc.elements) {
        if (e.name != "line" || e.attribute("stroke-dasharray") != "0.8 0.8") continue;
        if (e.parent >= 0 &&
            doc.elements[static_cast<std::size_t>(e.parent)].attribute("class") == "legend")
            continue;
        ++tangents;
        const double x1 = x.to_data(std::strtod(e.attribute("x1").c_str(), nullptr));
        const double y1 = y.to_data(std::strtod(e.attribute("y1").c_str(), nullptr));
        const double x2 = x.to_data(std::strtod(e.attribute("x2").c_str(), nullptr));
        const double y2 = y.to_data(std::strtod(e.attribute("y2").c_str(), nullptr));
        EXPECT_NEAR(x1, 0.0, 0.01);
        EXPECT_NEAR(y1, 0.0, 0.001);
        EXPECT_NEAR(y2, kBargeGM0 * x2 * voxel::kPi / 180.0, 0.002);
        EXPECT_GT(x2, 57.0);
    }
    EXPECT_EQ(tangents, 1);
}

TEST(ArmChart, DifferentGM0GiveOneTangentPerSideAndNoneForNaN) {
    const std::vector<double> gz(19, 0.5);
    auto dashed_lines = [](const std::string& svg) {
        const XmlDocument doc = parse_xml(svg);
        int n = 0;
        for (const XmlElement& e : doc.elements)
            if (e.name == "line" && e.attribute("stroke-dasharray") == "0.8 0.8" &&
                doc.elements[static_cast<std::size_t>(e.parent)].attribute("class") != "legend")
                ++n;
        return n;
    };
    EXPECT_EQ(dashed_lines(voxel::righting_arm_chart_svg({gz, 1.0, {}}, {gz, 1.2, {}}, "")), 2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(dashed_lines(voxel::righting_arm_chart_svg({gz, nan, {}}, {gz, nan, {}}, "")), 0);
}

// rsvg-convert draws the chart: its PNG is far larger than that of the empty
// page of the same size. With VOXEL_CHART_DIR set, the SVG is also written
// there (how the picture in docs/ is made).
TEST_F(BargeChart, RendersToAPictureThatIsNotBlank) {
    const std::string rsvg = testing_support::find_on_path("rsvg-convert");
    if (rsvg.empty()) GTEST_SKIP() << "rsvg-convert is not installed";
    if (const char* out = std::getenv("VOXEL_CHART_DIR"))
        testing_support::write_file_bytes(std::string(out) + "/righting_arm_chart.svg", svg);
    testing_support::ScratchDir dir;
    const auto chart = testing_support::render_svg(rsvg, dir.path(), "chart", svg);
    const auto blank = testing_support::render_svg(rsvg, dir.path(), "blank",
                                                   testing_support::blank_svg(297, 210));
    ASSERT_TRUE(chart.ok) << chart.message;
    ASSERT_TRUE(blank.ok) << blank.message;
    EXPECT_GT(chart.bytes, 5 * blank.bytes);
}

// ---- Labels keep clear ----------------------------------------------------

struct Rect {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
};

bool overlap(const Rect& a, const Rect& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.x0 >= outer.x0 && inner.x1 <= outer.x1 && inner.y0 >= outer.y0 &&
           inner.y1 <= outer.y1;
}

// Separating axes of a segment and a rectangle: the two coordinate axes (the
// segment's bounding box misses the rectangle) and the segment's normal (all
// four corners strictly on one side of its line). No axis separates them:
// they meet.
bool segment_meets(const Rect& r, const std::array<double, 4>& s) {
    const auto [ax, ay, bx, by] = s;
    if (std::max(ax, bx) < r.x0 || std::min(ax, bx) > r.x1 || std::max(ay, by) < r.y0 ||
        std::min(ay, by) > r.y1)
        return false;
    int above = 0, below = 0;
    for (const auto& [cx, cy] : {std::pair{r.x0, r.y0}, std::pair{r.x1, r.y0},
                                 std::pair{r.x0, r.y1}, std::pair{r.x1, r.y1}}) {
        const double side = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
        if (side > 0.0) ++above;
        if (side < 0.0) ++below;
    }
    return !(above == 4 || below == 4);
}

double number(const XmlElement& e, const std::string& key) {
    return std::strtod(e.attribute(key).c_str(), nullptr);
}

// What a reader of the SVG finds of the chart's layout: the plot (the clip
// rectangle), the legend box, the labels with the boxes the charts' text
// width estimate gives them (one font size above the baseline, a quarter
// below), and every segment of the curves and straight lines.
struct ReadLayout {
    Rect plot;
    Rect legend;
    bool has_legend = false;
    std::vector<std::pair<std::string, Rect>> labels;
    std::vector<std::array<double, 4>> segments;
};

ReadLayout read_layout(const XmlDocument& doc) {
    ReadLayout r;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        const XmlElement& e = doc.elements[i];
        const std::string parent =
            e.parent >= 0 ? doc.elements[static_cast<std::size_t>(e.parent)].name : "";
        const std::string parent_class =
            e.parent >= 0 ? doc.elements[static_cast<std::size_t>(e.parent)].attribute("class")
                          : "";
        const std::string cls = e.attribute("class");
        if (e.name == "rect" && (parent == "clipPath" || parent_class == "legend")) {
            const Rect box{number(e, "x"), number(e, "y"), number(e, "x") + number(e, "width"),
                           number(e, "y") + number(e, "height")};
            if (parent == "clipPath") {
                r.plot = box;
            } else {
                r.legend = box;
                r.has_legend = true;
            }
        } else if (e.name == "text" &&
                   (cls == "marker-label" || cls == "line-label" || cls == "note")) {
            EXPECT_FALSE(e.has_attribute("text-anchor")) << e.text;
            const double f = number(e, "font-size");
            const double x = number(e, "x");
            const double y = number(e, "y");
            r.labels.push_back(
                {e.text, {x, y - f, x + voxel::text_width_mm(e.text, f), y + 0.25 * f}});
        } else if (e.name == "polyline" && cls == "series") {
            const auto p = polyline_points(e);
            for (std::size_t k = 1; k < p.size(); ++k)
                r.segments.push_back({p[k - 1].first, p[k - 1].second, p[k].first, p[k].second});
        } else if (e.name == "line" && cls == "chart-line") {
            r.segments.push_back(
                {number(e, "x1"), number(e, "y1"), number(e, "x2"), number(e, "y2")});
        }
    }
    return r;
}

// Every label inside the plot, clear of every other label, of the legend and
// of every segment drawn; the legend itself crosses no segment.
void expect_labels_clear(const std::string& name, const std::string& svg) {
    const XmlDocument doc = parse_xml(svg);
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const ReadLayout r = read_layout(doc);
    ASSERT_GE(r.labels.size(), 2u) << name;
    ASSERT_GT(r.segments.size(), 30u) << name;
    for (const auto& s : r.segments) {
        if (r.has_legend) {
            EXPECT_FALSE(segment_meets(r.legend, s)) << name << ": legend";
        }
    }
    for (std::size_t i = 0; i < r.labels.size(); ++i) {
        const auto& [text, box] = r.labels[i];
        EXPECT_TRUE(inside(box, r.plot)) << name << ": " << text;
        if (r.has_legend) {
            EXPECT_FALSE(overlap(box, r.legend)) << name << ": " << text;
        }
        for (std::size_t j = i + 1; j < r.labels.size(); ++j)
            EXPECT_FALSE(overlap(box, r.labels[j].second))
                << name << ": " << text << " / " << r.labels[j].first;
        for (const auto& s : r.segments)
            EXPECT_FALSE(segment_meets(box, s))
                << name << ": " << text << " crosses (" << s[0] << ", " << s[1] << ")-(" << s[2]
                << ", " << s[3] << ")";
    }
}

// The arms (in full precision, with their balanced flags) and GM0 of a
// stored case.
std::pair<voxel::ArmSeries, voxel::ArmSeries> stored_series(const std::string& case_name) {
    const auto table = testing_support::read_stored_arm_csv(case_name);
    const auto criteria = testing_support::read_stored_criteria(case_name);
    const auto gm0 = criteria.at("gm0_m");
    return {{table.starboard, gm0.first, table.starboard_balanced},
            {table.port, gm0.second, table.port_balanced}};
}

// A wide shallow box, 100 x 60 x 4 m at draft 1 m with KG 0.5 m: KB = 0.5,
// BM = B^2 / (12 T) = 300, so GM0 = 300 m, while the deck edge immerses at
// 5.7 degrees and the arms stay near 20 m: the tangent's point at one radian
// lies far above the plot.
constexpr double kWideBoxGM0 = 300.0;

voxel::ArmSeries wide_box_series(double sigma) {
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);  // as the program builds it
    righting_arm_test::set_hexahedra(body, {righting_arm_test::box_solid(0, 100, -30, 30, 0, 4)});
    body.V = 6000.0;
    body.G = {50.0, 0.0, 0.5};
    voxel::ArmSeries s{{}, kWideBoxGM0, {}};
    voxel::ArmSink sink;
    sink.series_begins = [](double) {};
    sink.arm = [&](int, double side, const voxel::ArmResult& arm) {
        if (side == sigma) s.gz.push_back(arm.GZ);
    };
    voxel::sweep_righting_arms(body, body.V, body.G, voxel::kHeelAboutX, sink);
    return s;
}

TEST(ArmChartLabels, KeepOffEachOtherTheLegendAndEveryCurve) {
    for (const char* name :
         {"box_barge_arms", "semisub_arms", "semisub_symmetric_arms", "mixed_arms"}) {
        const auto [starboard, port] = stored_series(name);
        ASSERT_EQ(starboard.gz.size(), 19u) << name;
        expect_labels_clear(name, voxel::righting_arm_chart_svg(starboard, port, name));
    }
    const voxel::ArmSeries wide = wide_box_series(-1.0);
    ASSERT_EQ(wide.gz.size(), 19u);
    expect_labels_clear("wide box", voxel::righting_arm_chart_svg(wide, wide, ""));
    // The two maxima a hair apart, and two different GM0 (two tangents).
    voxel::ArmSeries near = wide;
    for (double& v : near.gz) v *= 1.0 + 1e-4;
    near.gm0 = 250.0;
    expect_labels_clear("nearly symmetric", voxel::righting_arm_chart_svg(wide, near, ""));
}

TEST(ArmChartLabels, TangentAboveThePlotEndsOnTheFrameWithItsValueInside) {
    const voxel::ArmSeries wide = wide_box_series(-1.0);
    const XmlDocument doc = parse_xml(voxel::righting_arm_chart_svg(wide, wide, ""));
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const ReadLayout r = read_layout(doc);
    const auto x = axis_from_labels(doc.elements, "tick-x", "x");
    const auto y = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x.ok && y.ok);
    int tangents = 0;
    for (const XmlElement& e : doc.elements) {
        if (e.name != "line" || e.attribute("class") != "chart-line") continue;
        ++tangents;
        // From the origin to the top of the frame, rising GM0 per radian.
        EXPECT_NEAR(number(e, "y2"), r.plot.y0, 1e-3);
        const double x2 = x.to_data(number(e, "x2"));
        EXPECT_NEAR(y.to_data(number(e, "y2")), kWideBoxGM0 * x2 * voxel::kPi / 180.0, 0.01);
    }
    EXPECT_EQ(tangents, 1);  // no construction line at one radian
    int valued = 0;
    for (const auto& [text, box] : r.labels) {
        EXPECT_EQ(text.find("1 rad = 57.3°"), std::string::npos) << text;
        if (text.find("GM0 = 300 m") != std::string::npos) ++valued;
    }
    EXPECT_EQ(valued, 1);
}

TEST(ArmChart, PointsOfUnbalancedTrimAreHollowWithALegendEntry) {
    const auto hollow_points = [](const std::string& svg, bool& legend_entry) {
        const XmlDocument doc = parse_xml(svg);
        std::vector<std::pair<double, double>> points;
        legend_entry = false;
        for (const XmlElement& e : doc.elements) {
            if (e.name == "circle" && e.attribute("class") == "hollow-point")
                points.push_back({number(e, "cx"), number(e, "cy")});
            if (e.name == "text" && e.text.find("空心点") != std::string::npos) legend_entry = true;
        }
        return std::pair{points, axis_from_labels(doc.elements, "tick-x", "x")};
    };
    // The semi-submersible's trim balancing stops at its bound from some
    // heel on: exactly those points are hollow, at their angles.
    const auto [starboard, port] = stored_series("semisub_arms");
    bool entry = false;
    const auto [points, x] =
        hollow_points(voxel::righting_arm_chart_svg(starboard, port, ""), entry);
    std::vector<double> expected;
    for (const auto* s : {&starboard, &port})
        for (std::size_t i = 0; i < s->gz.size(); ++i)
            if (!s->balanced_at(i)) expected.push_back(5.0 * static_cast<double>(i));
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(points.size(), expected.size());
    for (std::size_t k = 0; k < points.size(); ++k)
        EXPECT_NEAR(x.to_data(points[k].first), expected[k], 0.01);
    EXPECT_TRUE(entry);
    // All balanced: none, and no legend entry.
    const auto [barge_starboard, barge_port] = stored_series("box_barge_arms");
    EXPECT_TRUE(hollow_points(voxel::righting_arm_chart_svg(barge_starboard, barge_port, ""), entry)
                    .first.empty());
    EXPECT_FALSE(entry);
}

}  // namespace
