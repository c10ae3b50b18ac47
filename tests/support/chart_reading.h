// Reading a rendered chart back: the page-to-data map of an axis recovered
// from its tick labels alone (where each label stands and what it says), and
// the points of polylines.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/xml_check.h"

namespace testing_support {

struct AxisFromLabels {
    bool ok = false;  // two or more labels, all on one straight line
    double page0 = 0.0, value0 = 0.0;
    double page1 = 1.0, value1 = 1.0;
    double worst_residual = 0.0;  // largest misfit of a label, in data units

    double to_data(double page) const {
        return value0 + (page - page0) * (value1 - value0) / (page1 - page0);
    }
    // Data units per page millimetre.
    double data_per_mm() const { return (value1 - value0) / (page1 - page0); }
};

// The map through the first and the last of the `text` elements of class
// `css_class` (in document order) among `elements`, taking the coordinate
// attribute `coordinate` ("x" or "y") as the page position and the text as
// the value; every other label is checked against it.
AxisFromLabels axis_from_labels(const std::vector<XmlElement>& elements,
                                const std::string& css_class, const std::string& coordinate);

// The points of a polyline's "points" attribute.
std::vector<std::pair<double, double>> polyline_points(const XmlElement& polyline);

// The elements whose parent is element `group` of `all`.
std::vector<XmlElement> children_of(const XmlDocument& doc, std::size_t group);

}  // namespace testing_support
