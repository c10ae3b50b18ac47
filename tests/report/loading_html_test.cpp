// The HTML report of a loading condition from a result made by hand: text
// is escaped and faulty UTF-8 replaced; the weather criterion says "not
// checked" without its result and draws the classic picture of each leeward
// side with it: lw2 above lw1, the shaded areas a and b from theta0 - theta1
// to theta2 and no further.
#include "report/loading_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "kernel/angles.h"
#include "support/xml_check.h"

namespace {

using testing_support::parse_xml;
using testing_support::XmlDocument;
using testing_support::XmlElement;

// A wall-sided barge of GM 1 m: GZ = sin(phi) (1 + tan^2(phi) / 4), to 60
// degrees in steps of 1, the port side a little weaker.
voxel::LoadingResult sample_result() {
    voxel::LoadingResult r;
    r.condition = "a<b & \xff";
    r.hull = "hull.txt";
    r.water_density = 1.025;
    r.lpp = 60.0;
    r.breadth = 12.0;
    r.hull_box = {0.0, -6.0, 0.0, 60.0, 6.0, 5.0};
    r.equilibrium.draft_mid = 2.0;
    r.equilibrium.plane.set(0.0, 0.0, 1.0, -2.0);
    r.weights.centre_of_gravity = {30.0, 0.0, 3.0};
    r.equilibrium.B = {30.0, 0.0, 1.0};
    for (int i = 0; i <= 60; ++i) {
        const double phi = i * voxel::kPi / 180.0;
        const double gz = std::sin(phi) * (1.0 + 0.25 * std::tan(phi) * std::tan(phi));
        r.gz.heel_deg.push_back(i);
        r.gz.starboard.push_back(gz);
        r.gz.port.push_back(0.9 * gz);
    }
    r.criteria = {{"gm0", 0.15, {1.0, "PASS"}, {1.0, "FAIL"}}};
    return r;
}

voxel::WeatherSide side(double theta0) {
    voxel::WeatherSide w;
    w.lw1 = 0.1;
    w.lw2 = 0.15;
    w.theta0 = theta0;
    w.theta1 = 18.0;
    w.theta2 = 50.0;
    w.area_a = 0.02;
    w.area_b = 0.3;
    return w;
}

const voxel::HtmlInputs kInputs = {{{"condition", "c.toml", std::string(64, 'a')}}, "1.2.3"};

// The <svg class="weather"> elements of the page, each as its own document.
std::vector<XmlDocument> weather_pictures(const std::string& html) {
    std::vector<XmlDocument> out;
    for (std::size_t at = html.find("<svg"); at != std::string::npos;
         at = html.find("<svg", at + 1)) {
        const std::size_t end = html.find("</svg>", at);
        const std::string svg = html.substr(at, end + 6 - at);
        if (svg.find("class=\"weather\"") == std::string::npos) continue;
        out.push_back(parse_xml(svg));
    }
    return out;
}

std::vector<double> xs_of(const std::string& points) {
    std::vector<double> xs;
    std::istringstream in(points);
    std::string pair;
    while (in >> pair) xs.push_back(std::stod(pair.substr(0, pair.find(','))));
    return xs;
}

TEST(LoadingHtml, TextIsEscapedAndFaultyBytesReplaced) {
    const std::string html = voxel::loading_html(sample_result(), kInputs);
    EXPECT_NE(html.find("a&lt;b &amp; \xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(html.find("\xff"), std::string::npos);
    EXPECT_NE(html.find("FAIL"), std::string::npos);
    EXPECT_NE(html.find("1.2.3"), std::string::npos);
}

TEST(LoadingHtml, WeatherWithoutItsResultIsNotChecked) {
    const std::string html = voxel::loading_html(sample_result(), kInputs);
    EXPECT_NE(html.find("Not checked"), std::string::npos);
    EXPECT_TRUE(weather_pictures(html).empty());
}

TEST(LoadingHtml, WeatherPictureShadesFromTheRollBackToTheta2) {
    voxel::LoadingResult r = sample_result();
    r.weather = voxel::WeatherResult{side(6.0), side(7.0), {"roll period beyond the table"}};
    const std::string html = voxel::loading_html(r, kInputs);
    EXPECT_EQ(html.find("Not checked"), std::string::npos);
    EXPECT_NE(html.find("roll period beyond the table"), std::string::npos);
    const std::vector<XmlDocument> pictures = weather_pictures(html);
    ASSERT_EQ(pictures.size(), 2u);
    for (const XmlDocument& d : pictures) {
        ASSERT_TRUE(d.well_formed) << d.error;
        // The marks' x, by their labels; the levers' y, by theirs.
        double x_from = NAN, x_to = NAN, y_lw1 = NAN, y_lw2 = NAN;
        std::vector<const XmlElement*> polygons;
        for (std::size_t i = 0; i < d.elements.size(); ++i) {
            const XmlElement& e = d.elements[i];
            if (e.name == "polygon") polygons.push_back(&e);
            if (e.name != "text" || i == 0 || d.elements[i - 1].name != "line") continue;
            const XmlElement& line = d.elements[i - 1];
            if (e.text == "θ0−θ1") x_from = std::stod(line.attribute("x1"));
            if (e.text == "θ2") x_to = std::stod(line.attribute("x1"));
            if (e.text == "lw1") y_lw1 = std::stod(line.attribute("y1"));
            if (e.text == "lw2") y_lw2 = std::stod(line.attribute("y1"));
        }
        EXPECT_LT(y_lw2, y_lw1);  // lw2 = 1.5 lw1 > 0 stands higher
        ASSERT_EQ(polygons.size(), 2u);  // area a and area b
        for (const XmlElement* p : polygons) {
            const std::vector<double> xs = xs_of(p->attribute("points"));
            ASSERT_FALSE(xs.empty());
            EXPECT_DOUBLE_EQ(*std::min_element(xs.begin(), xs.end()), x_from);
            EXPECT_DOUBLE_EQ(*std::max_element(xs.begin(), xs.end()), x_to);
        }
    }
}

}  // namespace
