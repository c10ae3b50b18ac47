// A line chart: one x and one y axis with round ticks and gridlines, several
// series as polylines with point markers, marked points with a value label,
// straight lines (a tangent, a construction line), notes and a legend. All
// sizes are millimetres on the page; the result is a self-contained SVG.
//
// The chart hides nothing: every label (a marked point's value, a line's end
// value, a note) is put where it overlaps no other label, the legend, a
// point or a drawn line, inside the plot, as near to its point as it can.
#pragma once

#include <string>
#include <vector>

#include "report/charts/linear_scale.h"
#include "report/charts/nice_ticks.h"

namespace voxel {

struct ChartAxis {
    std::string label;  // quantity, symbol and unit, e.g. "横倾角 φ (°)"
    // true: the axis runs exactly from min to max, with the round ticks that
    // fall inside; false: the range covers all data, marked points and
    // `include`, widened to whole round steps.
    bool fixed = false;
    double min = 0.0;
    double max = 1.0;
    std::vector<double> include;  // further values an automatic axis must show
    int max_intervals = 10;
};

struct ChartSeries {
    std::string name;          // legend text
    std::vector<double> x, y;  // pairs with a non-finite value leave a gap
    std::string colour = "#000000";
    std::string dash;  // SVG stroke-dasharray (mm); empty: solid
    double width_mm = 0.5;
    bool markers = true;  // a dot at every finite point
    // Per point: true draws it as a hollow ring (a point of lesser standing),
    // whatever `markers` says. Shorter than x, or empty: the rest are not
    // hollow.
    std::vector<bool> hollow;
};

// A point shown with a ring and a value label. Labels of points that lie
// together on the page are stacked in one block, in order.
struct ChartMarker {
    double x = 0.0;
    double y = 0.0;
    std::string label;
    std::string colour = "#000000";
};

// A straight line through (x0, y0) and (x1, y1), or only that segment when
// `extend` is false; either way cut to the plot.
struct ChartLine {
    double x0 = 0.0, y0 = 0.0;
    double x1 = 0.0, y1 = 0.0;
    bool extend = true;
    std::string colour = "#000000";
    std::string dash;
    double width_mm = 0.35;
    std::string legend;  // empty: not in the legend
    // A value label beside the (x1, y1) end when it lies in the plot,
    // otherwise beside the point where the drawn part runs out of the plot
    // towards it; empty: none.
    std::string end_label;
};

// Text at a data point; anchor "start", "middle" or "end"; offsets in mm
// (dy downwards) from the point to the baseline. That is where the note
// goes when it is clear of everything else; otherwise it goes to the
// nearest clear place beside the point.
struct ChartNote {
    double x = 0.0;
    double y = 0.0;
    std::string text;
    std::string colour = "#000000";
    std::string anchor = "start";
    double dx_mm = 0.0;
    double dy_mm = 0.0;
};

// Auto: the corner whose legend box covers the fewest drawn points, in the
// order top right, top left, bottom right, bottom left on a tie.
enum class LegendCorner { Auto, TopRight, TopLeft, BottomRight, BottomLeft };

struct LineChart {
    std::string title;
    std::string subtitle;     // a smaller second line under the title; may be empty
    double width_mm = 297.0;  // A4 landscape by default
    double height_mm = 210.0;
    ChartAxis x_axis;
    ChartAxis y_axis;
    std::vector<ChartSeries> series;
    std::vector<ChartMarker> markers;
    std::vector<ChartLine> lines;
    std::vector<ChartNote> notes;
    LegendCorner legend = LegendCorner::Auto;
    // Legend text of the hollow points (a hollow ring as its sample), shown
    // when some series has a hollow point; empty: no entry.
    std::string hollow_legend;
};

// Where the chart puts things: the plot box (page mm, y downwards), the
// ticks of each axis and the scales from data to page.
struct LineChartLayout {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    Ticks x_ticks, y_ticks;
    LinearScale x, y;
};

LineChartLayout layout_line_chart(const LineChart& chart);

// The SVG text. Elements carry classes for readers: "tick-x" and "tick-y" on
// tick labels (whose x, resp. y, is the tick's page coordinate), "series" on
// a series' polylines (with data-series = its index), "hollow-point" on the
// hollow points, "marker" on marked points, "chart-line" on the straight
// lines, and "marker-label", "line-label" and "note" on the labels, each of
// which is one line of text anchored at its start.
std::string render_line_chart(const LineChart& chart);

}  // namespace voxel
