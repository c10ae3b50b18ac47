#include "charts/line_chart.h"

#include <algorithm>
#include <cmath>

#include "charts/chart_draw.h"
#include "charts/chart_style.h"
#include "charts/clip_segment.h"
#include "charts/finite_runs.h"
#include "charts/label_placement.h"
#include "charts/svg_document.h"
#include "charts/text_extent.h"
#include "charts/value_range.h"

namespace voxel {

namespace {

constexpr double kTickLengthMm = 1.2;
constexpr double kLegendFontMm = 3.0;
constexpr double kMarkerFontMm = 3.0;

// The ticks of one axis and the data interval it spans.
struct AxisTicks {
    Ticks ticks;
    double data0 = 0.0;
    double data1 = 1.0;
};

AxisTicks axis_ticks(const ChartAxis& axis, const ValueRange& data) {
    AxisTicks a;
    if (axis.fixed && axis.min < axis.max) {
        const Ticks all = nice_ticks(axis.min, axis.max, axis.max_intervals);
        a.ticks = all;
        a.ticks.values.clear();
        const double slack = 1e-9 * all.step;
        for (double v : all.values)
            if (v >= axis.min - slack && v <= axis.max + slack) a.ticks.values.push_back(v);
        a.data0 = axis.min;
        a.data1 = axis.max;
        return a;
    }
    ValueRange r = data;
    for (double v : axis.include) r.add(v);
    if (r.empty()) r = {0.0, 1.0};
    a.ticks = nice_ticks(r.lo, r.hi, axis.max_intervals);
    a.data0 = a.ticks.first();
    a.data1 = a.ticks.last();
    return a;
}

struct Margins {
    double left, top, right, bottom;
};

Margins chart_margins(const LineChart& chart, const Ticks& y_ticks) {
    const double widest = widest_tick_label_mm(y_ticks, kTickFontMm);
    Margins m;
    m.left = 6.0 + kAxisLabelFontMm + widest + kTickLengthMm + 3.0;
    m.top = chart.subtitle.empty() ? 16.0 : 21.0;
    m.right = 10.0;
    m.bottom = kTickLengthMm + kTickFontMm + 3.0 + kAxisLabelFontMm + 5.0;
    return m;
}

}  // namespace

LineChartLayout layout_line_chart(const LineChart& chart) {
    ValueRange xs, ys;
    for (const ChartSeries& s : chart.series)
        for (const IndexRun& run : finite_runs(s.x, s.y))
            for (std::size_t i = run.begin; i < run.end; ++i) {
                xs.add(s.x[i]);
                ys.add(s.y[i]);
            }
    for (const ChartMarker& m : chart.markers)
        if (std::isfinite(m.x) && std::isfinite(m.y)) {
            xs.add(m.x);
            ys.add(m.y);
        }
    const AxisTicks xa = axis_ticks(chart.x_axis, xs);
    const AxisTicks ya = axis_ticks(chart.y_axis, ys);
    const Margins m = chart_margins(chart, ya.ticks);

    LineChartLayout l;
    l.left = m.left;
    l.top = m.top;
    l.right = chart.width_mm - m.right;
    l.bottom = chart.height_mm - m.bottom;
    l.x_ticks = xa.ticks;
    l.y_ticks = ya.ticks;
    l.x = {xa.data0, xa.data1, l.left, l.right};
    l.y = {ya.data0, ya.data1, l.bottom, l.top};
    return l;
}

namespace {

void draw_axes(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    const Stroke grid{kGridColour, 0.2, ""};
    const Stroke tick{kFrameColour, 0.3, ""};
    for (double v : l.x_ticks.values) {
        const double px = l.x.to_page(v);
        draw_line(svg, px, l.top, px, l.bottom, grid);
        draw_line(svg, px, l.bottom, px, l.bottom + kTickLengthMm, tick);
        TextStyle t{kTickFontMm, kTextColour, "middle", false, false, 0.0, "tick-x"};
        draw_text(svg, px, l.bottom + kTickLengthMm + 0.9 * kTickFontMm + 0.6,
                  tick_label(v, l.x_ticks.decimals), t);
    }
    for (double v : l.y_ticks.values) {
        const double py = l.y.to_page(v);
        draw_line(svg, l.left, py, l.right, py, grid);
        draw_line(svg, l.left - kTickLengthMm, py, l.left, py, tick);
        TextStyle t{kTickFontMm, kTextColour, "end", false, false, 0.0, "tick-y"};
        t.dy_mm = 0.35 * kTickFontMm;  // the label's y stays the tick's
        draw_text(svg, l.left - kTickLengthMm - 1.0, py, tick_label(v, l.y_ticks.decimals), t);
    }
    // The zero line of a y axis that crosses zero: the reference of the arms.
    if (l.y.data0 < 0.0 && l.y.data1 > 0.0)
        draw_line(svg, l.left, l.y.to_page(0.0), l.right, l.y.to_page(0.0), {"#505050", 0.3, ""});
    svg.element("rect", {{"x", svg_number(l.left)},
                         {"y", svg_number(l.top)},
                         {"width", svg_number(l.right - l.left)},
                         {"height", svg_number(l.bottom - l.top)},
                         {"fill", "none"},
                         {"stroke", kFrameColour},
                         {"stroke-width", "0.35"}});

    TextStyle label{kAxisLabelFontMm, kTextColour, "middle", false, false, 0.0, "axis-label"};
    draw_text(svg, 0.5 * (l.left + l.right), chart.height_mm - 5.0, chart.x_axis.label, label);
    label.rotate_degrees = -90.0;
    draw_text(svg, 5.0 + kAxisLabelFontMm, 0.5 * (l.top + l.bottom), chart.y_axis.label, label);
}

// The chart's straight lines cut to the plot, in page coordinates, each with
// the line it came from.
std::vector<std::pair<Segment2, const ChartLine*>> page_lines(const LineChart& chart,
                                                              const LineChartLayout& l) {
    std::vector<std::pair<Segment2, const ChartLine*>> out;
    for (const ChartLine& line : chart.lines) {
        Segment2 s{line.x0, line.y0, line.x1, line.y1};
        if (line.extend) {
            // Stretch the line far beyond the plot both ways; the clip keeps
            // the part inside.
            const double dx = line.x1 - line.x0;
            const double dy = line.y1 - line.y0;
            const double span_x = std::fabs(l.x.data1 - l.x.data0);
            const double span_y = std::fabs(l.y.data1 - l.y.data0);
            const double length = std::hypot(dx / span_x, dy / span_y);
            if (!(length > 0.0)) continue;
            const double t = 4.0 / length;
            s = {line.x0 - t * dx, line.y0 - t * dy, line.x0 + t * dx, line.y0 + t * dy};
        }
        Segment2 in;
        if (!clip_segment(s, std::min(l.x.data0, l.x.data1), std::max(l.x.data0, l.x.data1),
                          std::min(l.y.data0, l.y.data1), std::max(l.y.data0, l.y.data1), in))
            continue;
        out.push_back(
            {{l.x.to_page(in.x0), l.y.to_page(in.y0), l.x.to_page(in.x1), l.y.to_page(in.y1)},
             &line});
    }
    return out;
}

void draw_lines(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    for (const auto& [s, line] : page_lines(chart, l))
        draw_line(svg, s.x0, s.y0, s.x1, s.y1, {line->colour, line->width_mm, line->dash});
}

void draw_series(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    svg.open("g", {{"clip-path", "url(#plot-area)"}});
    for (std::size_t k = 0; k < chart.series.size(); ++k) {
        const ChartSeries& s = chart.series[k];
        const Stroke stroke{s.colour, s.width_mm, s.dash};
        for (const IndexRun& run : finite_runs(s.x, s.y)) {
            std::vector<std::pair<double, double>> points;
            for (std::size_t i = run.begin; i < run.end; ++i)
                points.push_back({l.x.to_page(s.x[i]), l.y.to_page(s.y[i])});
            if (points.size() >= 2)
                draw_polyline(svg, points, stroke,
                              {{"class", "series"}, {"data-series", std::to_string(k)}});
            // A lone point between gaps still shows, as its marker.
            if (s.markers || points.size() == 1)
                for (const auto& [px, py] : points)
                    svg.element("circle", {{"cx", svg_number(px)},
                                           {"cy", svg_number(py)},
                                           {"r", "0.7"},
                                           {"fill", s.colour}});
        }
    }
    svg.close();
}

void draw_markers(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l,
                  LabelPlacer& placer) {
    for (const ChartMarker& m : chart.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
        const double px = l.x.to_page(m.x);
        const double py = l.y.to_page(m.y);
        svg.element("circle", {{"class", "marker"},
                               {"cx", svg_number(px)},
                               {"cy", svg_number(py)},
                               {"r", "1.4"},
                               {"fill", "#ffffff"},
                               {"stroke", m.colour},
                               {"stroke-width", "0.45"}});
        if (m.label.empty()) continue;
        // Candidates: right of the point just above it, just below, then
        // further up and down; the same on the left. A side where the label
        // would leave the plot is not offered.
        const double w = text_width_mm(m.label, kMarkerFontMm);
        const double h = kMarkerFontMm;
        std::vector<PageBox> boxes;
        const double offsets[] = {-2.0,           2.0 + h,       -2.0 - 1.4 * h, 2.0 + 2.4 * h,
                                  -2.0 - 2.8 * h, 2.0 + 3.8 * h, -2.0 - 4.2 * h, 2.0 + 5.2 * h};
        for (bool right_side : {true, false}) {
            const double x0 = right_side ? px + 2.2 : px - 2.2 - w;
            if (x0 < l.left + 0.5 || x0 + w > l.right - 0.5) continue;
            for (double dy : offsets) {
                const double base = py + dy;
                if (base - h < l.top + 0.5 || base + 0.25 * h > l.bottom - 0.5) continue;
                boxes.push_back({x0, base - h, x0 + w, base + 0.25 * h});
            }
        }
        if (boxes.empty())
            boxes.push_back({px + 2.2, py - 2.0 - h, px + 2.2 + w, py - 2.0 + 0.25 * h});
        const PageBox& b = boxes[placer.place(boxes)];
        TextStyle t{kMarkerFontMm, m.colour, "start", true, true, 0.0, "marker-label"};
        draw_text(svg, b.x0, b.y1 - 0.25 * h, m.label, t);
    }
}

void draw_notes(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    for (const ChartNote& n : chart.notes) {
        if (!std::isfinite(n.x) || !std::isfinite(n.y)) continue;
        TextStyle t{kNoteFontMm, n.colour, n.anchor, false, true, 0.0, "note"};
        draw_text(svg, l.x.to_page(n.x) + n.dx_mm, l.y.to_page(n.y) + n.dy_mm, n.text, t);
    }
}

PageBox corner_box(LegendCorner corner, const LineChartLayout& l, double w, double h) {
    const bool right = corner == LegendCorner::TopRight || corner == LegendCorner::BottomRight;
    const bool top = corner == LegendCorner::TopRight || corner == LegendCorner::TopLeft;
    const double x0 = right ? l.right - 3.0 - w : l.left + 3.0;
    const double y0 = top ? l.top + 3.0 : l.bottom - 3.0 - h;
    return {x0, y0, x0 + w, y0 + h};
}

// Page points along everything drawn in the plot: the series, sampled ten
// times per segment, the straight lines, and the marked points.
std::vector<std::pair<double, double>> drawn_points(const LineChart& chart,
                                                    const LineChartLayout& l) {
    std::vector<std::pair<double, double>> points;
    for (const ChartSeries& s : chart.series)
        for (const IndexRun& run : finite_runs(s.x, s.y))
            for (std::size_t i = run.begin; i < run.end; ++i) {
                const double x = l.x.to_page(s.x[i]);
                const double y = l.y.to_page(s.y[i]);
                points.push_back({x, y});
                if (i + 1 == run.end) continue;
                const double x1 = l.x.to_page(s.x[i + 1]);
                const double y1 = l.y.to_page(s.y[i + 1]);
                for (int k = 1; k < 10; ++k)
                    points.push_back({x + (x1 - x) * k / 10.0, y + (y1 - y) * k / 10.0});
            }
    for (const auto& [s, line] : page_lines(chart, l))
        for (int k = 0; k <= 40; ++k)
            points.push_back({s.x0 + (s.x1 - s.x0) * k / 40.0, s.y0 + (s.y1 - s.y0) * k / 40.0});
    for (const ChartMarker& m : chart.markers)
        if (std::isfinite(m.x) && std::isfinite(m.y))
            points.push_back({l.x.to_page(m.x), l.y.to_page(m.y)});
    return points;
}

PageBox legend_box(const LineChart& chart, const LineChartLayout& l, double w, double h) {
    if (chart.legend != LegendCorner::Auto) return corner_box(chart.legend, l, w, h);
    const auto points = drawn_points(chart, l);
    PageBox best;
    std::size_t fewest = 0;
    bool first = true;
    for (LegendCorner c : {LegendCorner::TopRight, LegendCorner::TopLeft, LegendCorner::BottomRight,
                           LegendCorner::BottomLeft}) {
        const PageBox b = corner_box(c, l, w, h);
        std::size_t covered = 0;
        for (const auto& [x, y] : points)
            if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) ++covered;
        if (first || covered < fewest) {
            best = b;
            fewest = covered;
            first = false;
        }
    }
    return best;
}

struct LegendEntry {
    std::string text;
    Stroke stroke;
    bool marker = false;
};

PageBox draw_legend(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    std::vector<LegendEntry> entries;
    for (const ChartSeries& s : chart.series)
        if (!s.name.empty()) entries.push_back({s.name, {s.colour, s.width_mm, s.dash}, s.markers});
    for (const ChartLine& line : chart.lines)
        if (!line.legend.empty())
            entries.push_back({line.legend, {line.colour, line.width_mm, line.dash}, false});
    if (entries.empty()) return {};
    const double sample = 9.0;
    const double row = 1.6 * kLegendFontMm;
    double widest = 0.0;
    for (const LegendEntry& e : entries)
        widest = std::max(widest, text_width_mm(e.text, kLegendFontMm));
    const double w = 2.0 + sample + 2.0 + widest + 2.0;
    const double h = 1.5 + row * static_cast<double>(entries.size()) + 0.5;
    const PageBox box = legend_box(chart, l, w, h);
    const double x0 = box.x0;
    const double y0 = box.y0;
    svg.open("g", {{"class", "legend"}});
    svg.element("rect", {{"x", svg_number(x0)},
                         {"y", svg_number(y0)},
                         {"width", svg_number(w)},
                         {"height", svg_number(h)},
                         {"fill", "#ffffff"},
                         {"fill-opacity", "0.92"},
                         {"stroke", "#808080"},
                         {"stroke-width", "0.25"}});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double cy = y0 + 1.5 + row * (static_cast<double>(i) + 0.5);
        draw_line(svg, x0 + 2.0, cy, x0 + 2.0 + sample, cy, entries[i].stroke);
        if (entries[i].marker)
            svg.element("circle", {{"cx", svg_number(x0 + 2.0 + 0.5 * sample)},
                                   {"cy", svg_number(cy)},
                                   {"r", "0.7"},
                                   {"fill", entries[i].stroke.colour}});
        TextStyle t{kLegendFontMm, kTextColour, "start", false, false, 0.0, ""};
        draw_text(svg, x0 + 4.0 + sample, cy + 0.35 * kLegendFontMm, entries[i].text, t);
    }
    svg.close();
    return {x0, y0, x0 + w, y0 + h};
}

}  // namespace

std::string render_line_chart(const LineChart& chart) {
    const LineChartLayout l = layout_line_chart(chart);
    SvgDocument svg(chart.width_mm, chart.height_mm, kChartFontFamily);
    svg.element("rect", {{"width", svg_number(chart.width_mm)},
                         {"height", svg_number(chart.height_mm)},
                         {"fill", "#ffffff"}});
    svg.open("defs", {});
    svg.open("clipPath", {{"id", "plot-area"}});
    svg.element("rect", {{"x", svg_number(l.left)},
                         {"y", svg_number(l.top)},
                         {"width", svg_number(l.right - l.left)},
                         {"height", svg_number(l.bottom - l.top)}});
    svg.close();
    svg.close();

    TextStyle title{kTitleFontMm, kTextColour, "middle", true, false, 0.0, "title"};
    draw_text(svg, 0.5 * chart.width_mm, 10.0, chart.title, title);
    if (!chart.subtitle.empty()) {
        TextStyle sub{kNoteFontMm, "#404040", "middle", false, false, 0.0, "subtitle"};
        draw_text(svg, 0.5 * chart.width_mm, 15.5, chart.subtitle, sub);
    }
    draw_axes(svg, chart, l);
    draw_lines(svg, chart, l);
    draw_series(svg, chart, l);
    // Value labels keep off the legend and off the curves: every drawn point
    // (ten per segment) is a small box already taken.
    LabelPlacer placer;
    draw_notes(svg, chart, l);
    placer.reserve(draw_legend(svg, chart, l));
    for (const auto& [px, py] : drawn_points(chart, l))
        placer.reserve({px - 0.3, py - 0.3, px + 0.3, py + 0.3});
    draw_markers(svg, chart, l, placer);
    return svg.finish();
}

}  // namespace voxel
