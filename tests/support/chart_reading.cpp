#include "support/chart_reading.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace testing_support {

AxisFromLabels axis_from_labels(const std::vector<XmlElement>& elements,
                                const std::string& css_class, const std::string& coordinate) {
    std::vector<std::pair<double, double>> labels;  // (page, value)
    for (const XmlElement& e : elements) {
        if (e.name != "text" || e.attribute("class") != css_class) continue;
        labels.push_back({std::strtod(e.attribute(coordinate).c_str(), nullptr),
                          std::strtod(e.text.c_str(), nullptr)});
    }
    AxisFromLabels a;
    if (labels.size() < 2) return a;
    a.page0 = labels.front().first;
    a.value0 = labels.front().second;
    a.page1 = labels.back().first;
    a.value1 = labels.back().second;
    if (a.page0 == a.page1) return a;
    for (const auto& [page, value] : labels)
        a.worst_residual = std::max(a.worst_residual, std::fabs(a.to_data(page) - value));
    a.ok = true;
    return a;
}

std::vector<std::pair<double, double>> polyline_points(const XmlElement& polyline) {
    std::vector<std::pair<double, double>> points;
    std::istringstream in(polyline.attribute("points"));
    std::string pair;
    while (in >> pair) {
        const std::size_t comma = pair.find(',');
        if (comma == std::string::npos) break;
        points.push_back({std::strtod(pair.substr(0, comma).c_str(), nullptr),
                          std::strtod(pair.substr(comma + 1).c_str(), nullptr)});
    }
    return points;
}

std::vector<XmlElement> children_of(const XmlDocument& doc, std::size_t group) {
    std::vector<XmlElement> out;
    for (const XmlElement& e : doc.elements)
        if (e.parent == static_cast<int>(group)) out.push_back(e);
    return out;
}

}  // namespace testing_support
