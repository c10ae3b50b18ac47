#include "report/charts/chart_draw.h"

namespace voxel {

SvgAttributes stroke_attributes(const Stroke& stroke) {
    SvgAttributes a = {
        {"fill", "none"}, {"stroke", stroke.colour}, {"stroke-width", svg_number(stroke.width_mm)}};
    if (!stroke.dash.empty()) a.push_back({"stroke-dasharray", stroke.dash});
    return a;
}

void draw_line(SvgDocument& svg, double x0, double y0, double x1, double y1, const Stroke& stroke) {
    SvgAttributes a = {{"x1", svg_number(x0)},
                       {"y1", svg_number(y0)},
                       {"x2", svg_number(x1)},
                       {"y2", svg_number(y1)}};
    for (auto& s : stroke_attributes(stroke)) a.push_back(s);
    svg.element("line", a);
}

void draw_polyline(SvgDocument& svg, const std::vector<std::pair<double, double>>& points,
                   const Stroke& stroke, const SvgAttributes& extra) {
    SvgAttributes a = extra;
    a.push_back({"points", svg_points(points)});
    for (auto& s : stroke_attributes(stroke)) a.push_back(s);
    a.push_back({"stroke-linejoin", "round"});
    svg.element("polyline", a);
}

void draw_text(SvgDocument& svg, double x, double y, const std::string& text,
               const TextStyle& style) {
    SvgAttributes a;
    if (!style.css_class.empty()) a.push_back({"class", style.css_class});
    a.push_back({"x", svg_number(x)});
    a.push_back({"y", svg_number(y)});
    if (style.dy_mm != 0.0) a.push_back({"dy", svg_number(style.dy_mm)});
    a.push_back({"font-size", svg_number(style.font_mm)});
    a.push_back({"fill", style.colour});
    if (style.anchor != "start") a.push_back({"text-anchor", style.anchor});
    if (style.bold) a.push_back({"font-weight", "bold"});
    if (style.halo) {
        a.push_back({"stroke", "#ffffff"});
        a.push_back({"stroke-width", svg_number(0.28 * style.font_mm)});
        a.push_back({"stroke-linejoin", "round"});
        a.push_back({"paint-order", "stroke"});
    }
    if (style.rotate_degrees != 0.0)
        a.push_back({"transform", "rotate(" + svg_number(style.rotate_degrees) + " " +
                                      svg_number(x) + " " + svg_number(y) + ")"});
    svg.text_element("text", a, text);
}

}  // namespace voxel
