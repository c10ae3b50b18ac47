// Drawing primitives shared by the charts: stroked lines and text, in page
// millimetres.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/charts/svg_document.h"

namespace voxel {

struct Stroke {
    std::string colour = "#000000";
    double width_mm = 0.3;
    std::string dash;  // SVG stroke-dasharray; empty: solid
};

struct TextStyle {
    double font_mm = 3.0;
    std::string colour = "#000000";
    std::string anchor = "start";  // "start", "middle" or "end"
    bool bold = false;
    bool halo = false;            // a white outline under the glyphs, to read over lines
    double rotate_degrees = 0.0;  // about the anchor point, clockwise
    std::string css_class;        // empty: none
    // Baseline shift (mm, downwards) from the point given, which then stays
    // the exact position the text belongs to (a tick's page coordinate).
    double dy_mm = 0.0;
};

void draw_line(SvgDocument& svg, double x0, double y0, double x1, double y1, const Stroke& stroke);
void draw_polyline(SvgDocument& svg, const std::vector<std::pair<double, double>>& points,
                   const Stroke& stroke, const SvgAttributes& extra = {});
// Text with its baseline starting (or centred, or ending) at (x, y).
void draw_text(SvgDocument& svg, double x, double y, const std::string& text,
               const TextStyle& style);

// The attributes of a stroke without fill.
SvgAttributes stroke_attributes(const Stroke& stroke);

}  // namespace voxel
