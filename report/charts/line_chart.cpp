#include "report/charts/line_chart.h"

#include <algorithm>
#include <cmath>

#include "kernel/clip_segment.h"
#include "report/charts/chart_draw.h"
#include "report/charts/chart_style.h"
#include "report/charts/finite_runs.h"
#include "report/charts/label_placement.h"
#include "report/charts/svg_document.h"
#include "report/charts/text_extent.h"
#include "report/charts/value_range.h"

namespace voxel {

namespace {

constexpr double kTickLengthMm = 1.2;
constexpr double kLegendFontMm = 3.0;
constexpr double kMarkerFontMm = 3.0;
constexpr double kDotRadiusMm = 0.7;     // a series' point
constexpr double kHollowRadiusMm = 0.9;  // a hollow point
constexpr double kRingRadiusMm = 1.8;    // a marked point

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
    for (const auto& [s, line] : page_lines(chart, l)) {
        SvgAttributes a = {{"class", "chart-line"},
                           {"x1", svg_number(s.x0)},
                           {"y1", svg_number(s.y0)},
                           {"x2", svg_number(s.x1)},
                           {"y2", svg_number(s.y1)}};
        for (auto& attribute : stroke_attributes({line->colour, line->width_mm, line->dash}))
            a.push_back(attribute);
        svg.element("line", a);
    }
}

bool is_hollow(const ChartSeries& s, std::size_t i) {
    return i < s.hollow.size() && s.hollow[i];
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
            for (std::size_t i = run.begin; i < run.end; ++i) {
                const auto& [px, py] = points[i - run.begin];
                if (is_hollow(s, i))
                    svg.element("circle", {{"class", "hollow-point"},
                                           {"cx", svg_number(px)},
                                           {"cy", svg_number(py)},
                                           {"r", svg_number(kHollowRadiusMm)},
                                           {"fill", "#ffffff"},
                                           {"stroke", s.colour},
                                           {"stroke-width", "0.3"}});
                else if (s.markers || points.size() == 1)
                    svg.element("circle", {{"cx", svg_number(px)},
                                           {"cy", svg_number(py)},
                                           {"r", svg_number(kDotRadiusMm)},
                                           {"fill", s.colour}});
            }
        }
    }
    svg.close();
}

// The rings of the marked points. They are not filled, so that the point's
// own mark (a dot or a hollow ring) shows inside.
void draw_marker_rings(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    for (const ChartMarker& m : chart.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
        svg.element("circle", {{"class", "marker"},
                               {"cx", svg_number(l.x.to_page(m.x))},
                               {"cy", svg_number(l.y.to_page(m.y))},
                               {"r", svg_number(kRingRadiusMm)},
                               {"fill", "none"},
                               {"stroke", m.colour},
                               {"stroke-width", "0.45"}});
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
    bool marker = false;  // a dot on the sample line
    bool hollow = false;  // a hollow ring alone as the sample
};

bool has_hollow_point(const LineChart& chart) {
    for (const ChartSeries& s : chart.series)
        for (const IndexRun& run : finite_runs(s.x, s.y))
            for (std::size_t i = run.begin; i < run.end; ++i)
                if (is_hollow(s, i)) return true;
    return false;
}

PageBox draw_legend(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l) {
    std::vector<LegendEntry> entries;
    for (const ChartSeries& s : chart.series)
        if (!s.name.empty())
            entries.push_back({s.name, {s.colour, s.width_mm, s.dash}, s.markers, false});
    for (const ChartLine& line : chart.lines)
        if (!line.legend.empty())
            entries.push_back({line.legend, {line.colour, line.width_mm, line.dash}, false, false});
    if (!chart.hollow_legend.empty() && has_hollow_point(chart))
        entries.push_back({chart.hollow_legend, {"#404040", 0.3, ""}, false, true});
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
        const LegendEntry& e = entries[i];
        if (e.hollow)
            svg.element("circle", {{"cx", svg_number(x0 + 2.0 + 0.5 * sample)},
                                   {"cy", svg_number(cy)},
                                   {"r", svg_number(kHollowRadiusMm)},
                                   {"fill", "#ffffff"},
                                   {"stroke", e.stroke.colour},
                                   {"stroke-width", svg_number(e.stroke.width_mm)}});
        else
            draw_line(svg, x0 + 2.0, cy, x0 + 2.0 + sample, cy, e.stroke);
        if (e.marker)
            svg.element("circle", {{"cx", svg_number(x0 + 2.0 + 0.5 * sample)},
                                   {"cy", svg_number(cy)},
                                   {"r", svg_number(kDotRadiusMm)},
                                   {"fill", e.stroke.colour}});
        TextStyle t{kLegendFontMm, kTextColour, "start", false, false, 0.0, ""};
        draw_text(svg, x0 + 4.0 + sample, cy + 0.35 * kLegendFontMm, e.text, t);
    }
    svg.close();
    return {x0, y0, x0 + w, y0 + h};
}

// ---- Labels ----------------------------------------------------------------

// One or more lines of text set as a block, each line anchored at the
// block's left edge. A line's glyphs are taken to rise one font size above
// its baseline and to reach a quarter of it below; lines follow each other
// at 1.25 font sizes. The block's box is that of its lines with a margin of
// kLabelMarginMm all round, so that no glyph (or its white halo) touches a
// line.
struct LabelLine {
    std::string text;
    std::string colour;
};

constexpr double kLabelMarginMm = 0.6;

struct LabelBlock {
    std::vector<LabelLine> lines;
    double font_mm = kMarkerFontMm;
    bool bold = false;
    std::string css_class;

    double line_height() const { return 1.25 * font_mm; }
    double width() const {
        double w = 0.0;
        for (const LabelLine& line : lines) w = std::max(w, text_width_mm(line.text, font_mm));
        return w + 2.0 * kLabelMarginMm;
    }
    double height() const {
        return line_height() * static_cast<double>(lines.size()) + 2.0 * kLabelMarginMm;
    }
};

// Distance (mm) from the page point to the nearest point of the box; 0 when
// the point lies in it.
double distance_to_box(double px, double py, const PageBox& b) {
    const double dx = std::max({0.0, b.x0 - px, px - b.x1});
    const double dy = std::max({0.0, b.y0 - py, py - b.y1});
    return std::hypot(dx, dy);
}

// Places for a box w x h beside the page point (px, py), nearest first:
// every place on a 1 mm grid whose box lies inside the plot, at least `gap`
// and at most 60 mm from the point. Among places as near as each other the
// box right of the point comes first, then left of it, then centred over it,
// each first level with the point, then just above, then just below.
std::vector<PageBox> places_near(double px, double py, double w, double h, double gap,
                                 const LineChartLayout& l) {
    const double x_lo = l.left + 0.5, x_hi = l.right - 0.5;
    const double y_lo = l.top + 0.5, y_hi = l.bottom - 0.5;
    const double reach = 60.0;
    std::vector<double> xs;
    for (int i = 0; i <= 2 * static_cast<int>(reach); ++i) xs.push_back(px + gap + i);
    for (int i = 0; i <= 2 * static_cast<int>(reach); ++i) xs.push_back(px - gap - w - i);
    for (int k = 0; k <= static_cast<int>(reach); ++k) {
        xs.push_back(px - 0.5 * w + k);
        if (k > 0) xs.push_back(px - 0.5 * w - k);
    }
    std::vector<double> ys = {py - 0.5 * h, py - gap - h, py + gap};
    for (int k = 1; k <= static_cast<int>(reach); ++k) {
        ys.push_back(py - 0.5 * h - k);
        ys.push_back(py - 0.5 * h + k);
    }
    struct Place {
        long key;  // distance in steps of 0.05 mm
        std::size_t order;
        PageBox box;
    };
    std::vector<Place> places;
    for (double x0 : xs) {
        if (x0 < x_lo || x0 + w > x_hi) continue;
        for (double y0 : ys) {
            if (y0 < y_lo || y0 + h > y_hi) continue;
            const PageBox b{x0, y0, x0 + w, y0 + h};
            const double d = distance_to_box(px, py, b);
            if (d < gap - 1e-9 || d > reach) continue;
            places.push_back({std::lround(d / 0.05), places.size(), b});
        }
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const Place& a, const Place& b) { return a.key < b.key; });
    std::vector<PageBox> out;
    out.reserve(places.size());
    for (const Place& p : places) out.push_back(p.box);
    return out;
}

// Takes the first clear box of `preferred`, then of the places near
// (px, py), for the block and draws it there; with no clear one, the box
// with the fewest conflicts; with no place inside the plot at all, the
// first preferred box, or else the box just above right of the point.
void place_block(SvgDocument& svg, LabelPlacer& placer, const LabelBlock& block, double px,
                 double py, double gap, const std::vector<PageBox>& preferred,
                 const LineChartLayout& l) {
    const double w = block.width();
    const double h = block.height();
    std::vector<PageBox> candidates = preferred;
    for (const PageBox& b : places_near(px, py, w, h, gap, l)) candidates.push_back(b);
    if (candidates.empty()) candidates.push_back({px + gap, py - gap - h, px + gap + w, py - gap});
    const PageBox& b = candidates[placer.place(candidates)];
    TextStyle t{block.font_mm, "", "start", block.bold, true, 0.0, block.css_class};
    for (std::size_t k = 0; k < block.lines.size(); ++k) {
        t.colour = block.lines[k].colour;
        const double base =
            b.y0 + kLabelMarginMm + block.line_height() * static_cast<double>(k) + block.font_mm;
        draw_text(svg, b.x0 + kLabelMarginMm, base, block.lines[k].text, t);
    }
}

// Everything drawn in the plot that labels keep off: the series' segments
// and points, the straight lines and the rings of the marked points.
void reserve_drawn(LabelPlacer& placer, const LineChart& chart, const LineChartLayout& l) {
    for (const ChartSeries& s : chart.series)
        for (const IndexRun& run : finite_runs(s.x, s.y))
            for (std::size_t i = run.begin; i < run.end; ++i) {
                const double x = l.x.to_page(s.x[i]);
                const double y = l.y.to_page(s.y[i]);
                const double r = (is_hollow(s, i) ? kHollowRadiusMm : kDotRadiusMm) + 0.3;
                placer.reserve({x - r, y - r, x + r, y + r});
                if (i + 1 < run.end)
                    placer.reserve_segment(
                        {x, y, l.x.to_page(s.x[i + 1]), l.y.to_page(s.y[i + 1])});
            }
    for (const auto& [s, line] : page_lines(chart, l)) placer.reserve_segment(s);
    const double r = kRingRadiusMm + 0.4;
    for (const ChartMarker& m : chart.markers)
        if (std::isfinite(m.x) && std::isfinite(m.y)) {
            const double x = l.x.to_page(m.x);
            const double y = l.y.to_page(m.y);
            placer.reserve({x - r, y - r, x + r, y + r});
        }
}

// The labels of the marked points: those whose points lie within 1.5 mm of
// the first still unlabelled one's make one block with it.
void draw_marker_labels(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l,
                        LabelPlacer& placer) {
    std::vector<bool> done(chart.markers.size(), false);
    for (std::size_t i = 0; i < chart.markers.size(); ++i) {
        const ChartMarker& m = chart.markers[i];
        if (done[i] || m.label.empty() || !std::isfinite(m.x) || !std::isfinite(m.y)) continue;
        const double px = l.x.to_page(m.x);
        const double py = l.y.to_page(m.y);
        LabelBlock block{{}, kMarkerFontMm, true, "marker-label"};
        for (std::size_t j = i; j < chart.markers.size(); ++j) {
            const ChartMarker& n = chart.markers[j];
            if (done[j] || n.label.empty() || !std::isfinite(n.x) || !std::isfinite(n.y)) continue;
            if (std::hypot(l.x.to_page(n.x) - px, l.y.to_page(n.y) - py) > 1.5) continue;
            block.lines.push_back({n.label, n.colour});
            done[j] = true;
        }
        place_block(svg, placer, block, px, py, kRingRadiusMm + 0.4, {}, l);
    }
}

void draw_line_labels(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l,
                      LabelPlacer& placer) {
    for (const auto& [s, line] : page_lines(chart, l)) {
        if (line->end_label.empty()) continue;
        const bool end_inside = line->x1 >= std::min(l.x.data0, l.x.data1) &&
                                line->x1 <= std::max(l.x.data0, l.x.data1) &&
                                line->y1 >= std::min(l.y.data0, l.y.data1) &&
                                line->y1 <= std::max(l.y.data0, l.y.data1);
        const double px = end_inside ? l.x.to_page(line->x1) : s.x1;
        const double py = end_inside ? l.y.to_page(line->y1) : s.y1;
        const LabelBlock block{
            {{line->end_label, line->colour}}, kMarkerFontMm, true, "line-label"};
        place_block(svg, placer, block, px, py, 1.0, {}, l);
    }
}

void draw_notes(SvgDocument& svg, const LineChart& chart, const LineChartLayout& l,
                LabelPlacer& placer) {
    for (const ChartNote& n : chart.notes) {
        if (!std::isfinite(n.x) || !std::isfinite(n.y)) continue;
        const LabelBlock block{{{n.text, n.colour}}, kNoteFontMm, false, "note"};
        const double px = l.x.to_page(n.x);
        const double py = l.y.to_page(n.y);
        // Where the note's text would start and stand at the given offset.
        const double text_w = block.width() - 2.0 * kLabelMarginMm;
        const double shift = n.anchor == "end" ? text_w : n.anchor == "middle" ? 0.5 * text_w : 0.0;
        const double x = px + n.dx_mm - shift;
        const double base = py + n.dy_mm;
        const PageBox given{x - kLabelMarginMm, base - block.font_mm - kLabelMarginMm,
                            x + text_w + kLabelMarginMm,
                            base + 0.25 * block.font_mm + kLabelMarginMm};
        std::vector<PageBox> preferred;
        if (given.x0 >= l.left + 0.5 && given.x1 <= l.right - 0.5 && given.y0 >= l.top + 0.5 &&
            given.y1 <= l.bottom - 0.5)
            preferred.push_back(given);
        place_block(svg, placer, block, px, py, 0.4, preferred, l);
    }
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
    draw_marker_rings(svg, chart, l);
    // The labels go last, over everything, each where it overlaps no other
    // label, the legend or anything drawn in the plot: the values of the
    // marked points first, then those of the lines' ends, then the notes.
    LabelPlacer placer;
    placer.reserve(draw_legend(svg, chart, l));
    reserve_drawn(placer, chart, l);
    draw_marker_labels(svg, chart, l, placer);
    draw_line_labels(svg, chart, l, placer);
    draw_notes(svg, chart, l, placer);
    return svg.finish();
}

}  // namespace voxel
