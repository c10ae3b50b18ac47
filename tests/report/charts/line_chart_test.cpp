// The line chart as a reader sees it: well-formed SVG whose plotted points,
// read back through the tick labels, are the data; a gap where a point is not
// a number; straight lines kept inside the plot.
#include "report/charts/line_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "support/chart_reading.h"
#include "support/xml_check.h"

namespace {

using testing_support::axis_from_labels;
using testing_support::parse_xml;
using testing_support::polyline_points;
using testing_support::XmlDocument;
using testing_support::XmlElement;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// y = x^2 / 10 - 2 at x = 0, 1, ..., 10, except x = 5, which is not a number.
voxel::LineChart parabola_chart() {
    voxel::LineChart chart;
    chart.title = "y = x² / 10 − 2 & <test>";
    chart.x_axis.label = "x (m)";
    chart.y_axis.label = "y (m)";
    voxel::ChartSeries s;
    s.name = "parabola";
    for (int i = 0; i <= 10; ++i) {
        s.x.push_back(i);
        s.y.push_back(i == 5 ? kNaN : i * i / 10.0 - 2.0);
    }
    chart.series.push_back(s);
    return chart;
}

std::vector<XmlElement> polylines_of_series(const XmlDocument& doc, const std::string& index) {
    std::vector<XmlElement> out;
    for (const XmlElement& e : doc.elements)
        if (e.name == "polyline" && e.attribute("class") == "series" &&
            e.attribute("data-series") == index)
            out.push_back(e);
    return out;
}

TEST(LineChart, PlottedPointsReadBackThroughTheTickLabelsAsTheData) {
    const voxel::LineChart chart = parabola_chart();
    const XmlDocument doc = parse_xml(voxel::render_line_chart(chart));
    ASSERT_TRUE(doc.well_formed) << doc.error;

    const auto x_axis = axis_from_labels(doc.elements, "tick-x", "x");
    const auto y_axis = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x_axis.ok && y_axis.ok);
    // Page coordinates carry three decimals (0.0005 mm at most off).
    const double tol_x = 0.001 * std::fabs(x_axis.data_per_mm());
    const double tol_y = 0.001 * std::fabs(y_axis.data_per_mm());
    EXPECT_LE(x_axis.worst_residual, tol_x);
    EXPECT_LE(y_axis.worst_residual, tol_y);
    // The y axis runs upwards on the page.
    EXPECT_LT(y_axis.data_per_mm(), 0.0);

    // x = 5 is missing: two polylines, 0..4 and 6..10.
    const auto lines = polylines_of_series(doc, "0");
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<int> first_x = {0, 1, 2, 3, 4};
    const std::vector<int> second_x = {6, 7, 8, 9, 10};
    for (std::size_t k = 0; k < 2; ++k) {
        const auto points = polyline_points(lines[k]);
        const auto& xs = k == 0 ? first_x : second_x;
        ASSERT_EQ(points.size(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_NEAR(x_axis.to_data(points[i].first), xs[i], tol_x);
            EXPECT_NEAR(y_axis.to_data(points[i].second), xs[i] * xs[i] / 10.0 - 2.0, tol_y);
        }
    }
}

TEST(LineChart, AllButOnePointMissingLeavesNoLineAndNothingAtZero) {
    voxel::LineChart chart;
    voxel::ChartSeries s;
    s.x = {0, 1, 2, 3};
    s.y = {kNaN, 4.0, kNaN, std::numeric_limits<double>::infinity()};
    chart.series.push_back(s);
    const XmlDocument doc = parse_xml(voxel::render_line_chart(chart));
    ASSERT_TRUE(doc.well_formed) << doc.error;
    EXPECT_TRUE(polylines_of_series(doc, "0").empty());
    const auto y_axis = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(y_axis.ok);
    // The lone point is still shown as a dot, at y = 4, and only there.
    int dots = 0;
    for (const XmlElement& e : doc.elements)
        if (e.name == "circle" && e.attribute("fill") == s.colour) {
            ++dots;
            EXPECT_NEAR(y_axis.to_data(std::strtod(e.attribute("cy").c_str(), nullptr)), 4.0,
                        0.001 * std::fabs(y_axis.data_per_mm()));
        }
    EXPECT_EQ(dots, 1);
}

TEST(LineChart, ExtendedStraightLineEndsOnThePlotFrame) {
    // y = 3x through the origin on x in [0, 10], y in [0, 10]: it leaves the
    // plot through the top at x = 10/3.
    voxel::LineChart chart;
    chart.x_axis.fixed = chart.y_axis.fixed = true;
    chart.x_axis.min = chart.y_axis.min = 0.0;
    chart.x_axis.max = chart.y_axis.max = 10.0;
    chart.lines.push_back({0.0, 0.0, 1.0, 3.0, true, "#123456", "", 0.3, "y = 3x", ""});
    const XmlDocument doc = parse_xml(voxel::render_line_chart(chart));
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto x_axis = axis_from_labels(doc.elements, "tick-x", "x");
    const auto y_axis = axis_from_labels(doc.elements, "tick-y", "y");
    ASSERT_TRUE(x_axis.ok && y_axis.ok);
    int found = 0;
    for (const XmlElement& e : doc.elements) {
        if (e.name != "line" || e.attribute("stroke") != "#123456") continue;
        if (e.parent >= 0 &&
            doc.elements[static_cast<std::size_t>(e.parent)].attribute("class") == "legend")
            continue;
        ++found;
        const double x1 = x_axis.to_data(std::strtod(e.attribute("x1").c_str(), nullptr));
        const double y1 = y_axis.to_data(std::strtod(e.attribute("y1").c_str(), nullptr));
        const double x2 = x_axis.to_data(std::strtod(e.attribute("x2").c_str(), nullptr));
        const double y2 = y_axis.to_data(std::strtod(e.attribute("y2").c_str(), nullptr));
        EXPECT_NEAR(x1, 0.0, 0.01);
        EXPECT_NEAR(y1, 0.0, 0.01);
        EXPECT_NEAR(x2, 10.0 / 3.0, 0.01);
        EXPECT_NEAR(y2, 10.0, 0.01);
    }
    EXPECT_EQ(found, 1);
}

}  // namespace
