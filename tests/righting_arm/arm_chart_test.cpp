// The righting-arm chart of the box barge (stored arms of the example, GM0
// from its closed form): the curves read back through the tick labels as the
// arms, the largest arm is marked where it is, the GM0 tangent has the slope
// GM0 per radian, and rsvg-convert draws it.
#include "apps/righting_arm/arm_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

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
        EXPECT_NEAR(y2, kBargeGM0 * x2 * std::acos(-1.0) / 180.0, 0.002);
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

}  // namespace
