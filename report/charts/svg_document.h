// Building SVG text: elements with escaped attribute values and text, closed
// in the order they were opened, so the result is always well-formed XML.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace voxel {

// The text with & < > " ' replaced by their XML entities; fit for both
// element text and attribute values in double quotes.
std::string xml_escape(std::string_view text);

// A page coordinate (mm) as SVG text: fixed notation with at most three
// decimals, trailing zeros dropped, never "-0". Locale-free.
std::string svg_number(double value);

// Attribute name and (unescaped) value, in the order written.
using SvgAttributes = std::vector<std::pair<std::string, std::string>>;

// An SVG document of width x height mm whose user unit is the millimetre
// (viewBox "0 0 width height"), so every coordinate and size given to it is
// in mm on paper.
class SvgDocument {
  public:
    // The XML declaration and the opening <svg> element; `font_family` is
    // set on the root for all text.
    SvgDocument(double width_mm, double height_mm, const std::string& font_family);

    // <name a="v" .../>
    void element(const std::string& name, const SvgAttributes& attributes);
    // <name a="v" ...>text</name>
    void text_element(const std::string& name, const SvgAttributes& attributes,
                      std::string_view text);
    // <name a="v" ...><tspan ...>text</tspan>...</name> on one line: no blank
    // between the spans but what their texts hold.
    void spans_element(const std::string& name, const SvgAttributes& attributes,
                       const std::vector<std::pair<SvgAttributes, std::string>>& spans);
    // Opens <name ...>; a later close() ends it.
    void open(const std::string& name, const SvgAttributes& attributes);
    void close();

    // Closes every open element, the root last, and returns the whole text.
    std::string finish();

  private:
    void start_tag(const std::string& name, const SvgAttributes& attributes);

    std::string text_;
    std::vector<std::string> open_;
};

// The "points" attribute of a polyline: "x1,y1 x2,y2 ...".
std::string svg_points(const std::vector<std::pair<double, double>>& points);

}  // namespace voxel
