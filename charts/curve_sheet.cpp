#include "charts/curve_sheet.h"

#include <algorithm>
#include <cmath>

#include "charts/chart_draw.h"
#include "charts/chart_style.h"
#include "charts/finite_runs.h"
#include "charts/label_placement.h"
#include "charts/svg_document.h"
#include "charts/text_extent.h"
#include "charts/value_range.h"

namespace voxel {

namespace {

constexpr double kMarginMm = 10.0;
constexpr double kPanelGapMm = 10.0;
constexpr double kBarPitchMm = 10.5;  // one scale bar: line, ticks, numbers, label
constexpr double kKeyLineMm = 4.2;
constexpr double kCurveLabelFontMm = 3.0;
constexpr double kBarLabelFontMm = 3.0;
constexpr double kTickLengthMm = 1.0;
constexpr double kPlotTopMm = 27.0;

const char* const kDashes[] = {"", "2.4 1.2", "0.9 0.9", "3.2 1 0.9 1"};

std::string curve_colour(std::size_t k) {
    return kSeriesColours[k % static_cast<std::size_t>(kSeriesColourCount)];
}
std::string curve_dash(std::size_t k) {
    return kDashes[k % 4];
}

// The symbol key set in lines no wider than `width`: each line a list of
// entries (symbol, name), parted by four blanks.
using KeyLine = std::vector<std::pair<std::string, std::string>>;
const char* const kKeyGap = "    ";

std::vector<KeyLine> key_lines(const std::vector<std::pair<std::string, std::string>>& key,
                               double width) {
    std::vector<KeyLine> lines;
    KeyLine line;
    double used = 0.0;
    for (const auto& entry : key) {
        const double w = text_width_mm(entry.first + " " + entry.second + kKeyGap, kNoteFontMm);
        if (!line.empty() && used + w > width) {
            lines.push_back(line);
            line.clear();
            used = 0.0;
        }
        line.push_back(entry);
        used += w;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Ticks of a scale as wide as `width` mm: the most intervals (at most 6)
// whose numbers still stand apart.
Ticks scale_ticks(const SheetScale& s, double width) {
    double lo = s.min, hi = s.max;
    if (!s.fixed) {
        ValueRange data;
        for (const SheetCurve& c : s.curves)
            for (double v : c.values) data.add(v);
        if (data.empty()) data = {0.0, 1.0};
        lo = data.lo;
        hi = data.hi;
        if (s.include_zero) {
            lo = std::min(lo, 0.0);
            hi = std::max(hi, 0.0);
        }
        // A curve never runs along the frame: 0.5 % room beyond the data.
        const double room = 0.005 * (hi - lo);
        if (hi > 0.0 || !s.include_zero) hi += room;
        if (lo < 0.0 || !s.include_zero) lo -= room;
        if (hi - lo < s.min_span) {
            const double mid = 0.5 * (lo + hi);
            lo = mid - 0.5 * s.min_span;
            hi = mid + 0.5 * s.min_span;
        }
        if (s.fill > 0.0 && s.fill < 1.0) hi = lo + (hi - lo) / s.fill;
    }
    Ticks ticks;
    for (int n = 6; n >= 1; --n) {
        ticks = nice_ticks(lo, hi, n);
        const double widest = widest_tick_label_mm(ticks, kTickFontMm);
        const double spacing = width / static_cast<double>(ticks.values.size() - 1);
        if (spacing >= widest + 2.5) break;
    }
    return ticks;
}

}  // namespace

CurveSheetLayout layout_curve_sheet(const CurveSheet& sheet) {
    CurveSheetLayout l;
    std::size_t most_bars = 0;
    for (const SheetPanel& p : sheet.panels) most_bars = std::max(most_bars, p.scales.size());
    const double key_height =
        kKeyLineMm *
        static_cast<double>(key_lines(sheet.key, sheet.width_mm - 2.0 * kMarginMm).size());

    // Vertical axis from the rows' values (and zero).
    ValueRange drafts;
    if (sheet.vertical_from_zero) drafts.add(0.0);
    for (double v : sheet.vertical) drafts.add(v);
    if (drafts.empty()) drafts = {0.0, 1.0};
    l.top = kPlotTopMm;
    l.bottom =
        sheet.height_mm - 4.0 - key_height - 2.0 - kBarPitchMm * static_cast<double>(most_bars);
    const int intervals = std::max(2, static_cast<int>((l.bottom - l.top) / 8.0));
    l.vertical_ticks = nice_ticks(drafts.lo, drafts.hi, intervals);
    l.vertical = {l.vertical_ticks.first(), l.vertical_ticks.last(), l.bottom, l.top};

    const double widest = widest_tick_label_mm(l.vertical_ticks, kTickFontMm);
    const double left = 5.0 + kAxisLabelFontMm + 2.0 + widest + 2.0;
    const double right = sheet.width_mm - kMarginMm - widest - 2.0;
    const auto n = static_cast<double>(sheet.panels.size());
    const double panel_width = n > 0 ? (right - left - kPanelGapMm * (n - 1.0)) / n : 0.0;
    for (std::size_t i = 0; i < sheet.panels.size(); ++i) {
        SheetPanelLayout p;
        p.left = left + static_cast<double>(i) * (panel_width + kPanelGapMm);
        p.right = p.left + panel_width;
        for (std::size_t k = 0; k < sheet.panels[i].scales.size(); ++k) {
            SheetScaleLayout s;
            s.ticks = scale_ticks(sheet.panels[i].scales[k], panel_width);
            s.scale = {s.ticks.first(), s.ticks.last(), p.left, p.right};
            s.bar_y = l.bottom + 3.0 + kBarPitchMm * static_cast<double>(k);
            p.scales.push_back(s);
        }
        l.panels.push_back(p);
    }
    return l;
}

namespace {

void draw_vertical_axis(SvgDocument& svg, const CurveSheet& sheet, const CurveSheetLayout& l) {
    if (l.panels.empty()) return;
    const double left = l.panels.front().left;
    const double right = l.panels.back().right;
    for (double v : l.vertical_ticks.values) {
        const double y = l.vertical.to_page(v);
        const std::string text = tick_label(v, l.vertical_ticks.decimals);
        draw_line(svg, left - kTickLengthMm, y, left, y, {kFrameColour, 0.3, ""});
        draw_line(svg, right, y, right + kTickLengthMm, y, {kFrameColour, 0.3, ""});
        draw_text(
            svg, left - kTickLengthMm - 1.0, y, text,
            {kTickFontMm, kTextColour, "end", false, false, 0.0, "tick-v", 0.35 * kTickFontMm});
        draw_text(svg, right + kTickLengthMm + 1.0, y, text,
                  {kTickFontMm, kTextColour, "start", false, false, 0.0, "", 0.35 * kTickFontMm});
    }
    draw_text(svg, 5.0 + kAxisLabelFontMm, 0.5 * (l.top + l.bottom), sheet.vertical_label,
              {kAxisLabelFontMm, kTextColour, "middle", false, false, -90.0, "axis-label"});
}

void draw_panel_frame(SvgDocument& svg, const SheetPanel& panel, const SheetPanelLayout& p,
                      const CurveSheetLayout& l) {
    const Stroke grid{kGridColour, 0.2, ""};
    for (double v : l.vertical_ticks.values) {
        const double y = l.vertical.to_page(v);
        draw_line(svg, p.left, y, p.right, y, grid);
    }
    if (!p.scales.empty())
        for (double v : p.scales.front().ticks.values) {
            const double x = p.scales.front().scale.to_page(v);
            draw_line(svg, x, l.top, x, l.bottom, grid);
        }
    svg.element("rect", {{"x", svg_number(p.left)},
                         {"y", svg_number(l.top)},
                         {"width", svg_number(p.right - p.left)},
                         {"height", svg_number(l.bottom - l.top)},
                         {"fill", "none"},
                         {"stroke", kFrameColour},
                         {"stroke-width", "0.35"}});
    draw_text(svg, 0.5 * (p.left + p.right), l.top - 2.5, panel.title,
              {kAxisLabelFontMm, kTextColour, "middle", true, false, 0.0, "panel-title"});
}

// A scale bar: its line, ticks and numbers, and under them the symbols and
// units of its curves, each symbol in its curve's colour.
void draw_scale_bar(SvgDocument& svg, const SheetScale& scale, const SheetScaleLayout& s,
                    const SheetPanelLayout& p, std::size_t first_curve) {
    const bool single = scale.curves.size() == 1;
    const std::string colour = single ? curve_colour(first_curve) : std::string(kFrameColour);
    draw_line(svg, p.left, s.bar_y, p.right, s.bar_y, {colour, 0.3, ""});
    for (double v : s.ticks.values) {
        const double x = s.scale.to_page(v);
        draw_line(svg, x, s.bar_y, x, s.bar_y + kTickLengthMm, {colour, 0.3, ""});
        draw_text(svg, x, s.bar_y + kTickLengthMm + 0.85 * kTickFontMm,
                  tick_label(v, s.ticks.decimals),
                  {kTickFontMm, colour, "middle", false, false, 0.0, "tick-h"});
    }
    std::vector<std::pair<SvgAttributes, std::string>> spans;
    for (std::size_t k = 0; k < scale.curves.size(); ++k) {
        const SheetCurve& c = scale.curves[k];
        spans.push_back(
            {{{"fill", curve_colour(first_curve + k)}, {"font-weight", "bold"}}, c.symbol});
        std::string rest = c.unit.empty() ? "" : " (" + c.unit + ")";
        if (k + 1 < scale.curves.size()) rest += ", ";
        if (!rest.empty()) spans.push_back({{{"fill", kTextColour}}, rest});
    }
    svg.spans_element("text",
                      {{"class", "scale-label"},
                       {"x", svg_number(0.5 * (p.left + p.right))},
                       {"y", svg_number(s.bar_y + kTickLengthMm + 0.85 * kTickFontMm + 3.8)},
                       {"font-size", svg_number(kBarLabelFontMm)},
                       {"text-anchor", "middle"}},
                      spans);
}

void draw_curves(SvgDocument& svg, const CurveSheet& sheet, const SheetScale& scale,
                 const SheetScaleLayout& s, const SheetPanelLayout& p, const CurveSheetLayout& l,
                 std::size_t first_curve, std::size_t curves_in_panel, LabelPlacer& placer) {
    for (std::size_t k = 0; k < scale.curves.size(); ++k) {
        const SheetCurve& c = scale.curves[k];
        const std::size_t index = first_curve + k;
        const Stroke stroke{curve_colour(index), 0.45, curve_dash(index)};
        std::vector<std::pair<double, double>> label_points;
        for (const IndexRun& run : finite_runs(c.values, sheet.vertical)) {
            std::vector<std::pair<double, double>> points;
            for (std::size_t i = run.begin; i < run.end; ++i)
                points.push_back(
                    {s.scale.to_page(c.values[i]), l.vertical.to_page(sheet.vertical[i])});
            label_points.insert(label_points.end(), points.begin(), points.end());
            if (points.size() >= 2)
                draw_polyline(svg, points, stroke, {{"class", "curve"}, {"data-curve", c.symbol}});
            else
                svg.element("circle", {{"cx", svg_number(points[0].first)},
                                       {"cy", svg_number(points[0].second)},
                                       {"r", "0.5"},
                                       {"fill", stroke.colour}});
        }
        if (label_points.empty()) continue;
        // Labels of the curves of one panel start at staggered heights, so
        // that curves lying on one another still get apart labels; each then
        // takes the first free place near its curve, right of it or left.
        const double w = text_width_mm(c.symbol, kCurveLabelFontMm);
        const double h = kCurveLabelFontMm;
        const double start =
            0.88 - 0.7 * static_cast<double>(index) / static_cast<double>(curves_in_panel);
        std::vector<PageBox> boxes;
        for (double shift : {0.0, -0.06, 0.06, -0.12, 0.12, -0.2, 0.2, -0.3}) {
            const double f = std::clamp(start + shift, 0.04, 0.96);
            const auto& [x, y] = label_points[static_cast<std::size_t>(
                f * static_cast<double>(label_points.size() - 1))];
            for (bool right_side : {true, false}) {
                const double x0 = right_side ? x + 1.2 : x - 1.2 - w;
                if (x0 < p.left + 0.5 || x0 + w > p.right - 0.5) continue;
                boxes.push_back({x0, y - 0.5 * h, x0 + w, y + 0.5 * h});
            }
        }
        if (boxes.empty()) continue;
        const PageBox& b = boxes[placer.place(boxes)];
        draw_text(svg, b.x0, b.y1 - 0.15 * h, c.symbol,
                  {kCurveLabelFontMm, stroke.colour, "start", true, true, 0.0, "curve-label"});
    }
}

}  // namespace

std::string render_curve_sheet(const CurveSheet& sheet) {
    const CurveSheetLayout l = layout_curve_sheet(sheet);
    SvgDocument svg(sheet.width_mm, sheet.height_mm, kChartFontFamily);
    svg.element("rect", {{"width", svg_number(sheet.width_mm)},
                         {"height", svg_number(sheet.height_mm)},
                         {"fill", "#ffffff"}});
    draw_text(svg, 0.5 * sheet.width_mm, 10.0, sheet.title,
              {kTitleFontMm, kTextColour, "middle", true, false, 0.0, "title"});
    if (!sheet.subtitle.empty())
        draw_text(svg, 0.5 * sheet.width_mm, 15.5, sheet.subtitle,
                  {kNoteFontMm, "#404040", "middle", false, false, 0.0, "subtitle"});
    draw_vertical_axis(svg, sheet, l);

    LabelPlacer placer;
    for (std::size_t i = 0; i < sheet.panels.size(); ++i) {
        const SheetPanel& panel = sheet.panels[i];
        const SheetPanelLayout& p = l.panels[i];
        draw_panel_frame(svg, panel, p, l);
        std::size_t curves_in_panel = 0;
        for (const SheetScale& s : panel.scales) curves_in_panel += s.curves.size();
        std::size_t first = 0;
        for (std::size_t k = 0; k < panel.scales.size(); ++k) {
            svg.open("g", {{"class", "scale"},
                           {"data-scale", std::to_string(i) + "-" + std::to_string(k)}});
            draw_scale_bar(svg, panel.scales[k], p.scales[k], p, first);
            draw_curves(svg, sheet, panel.scales[k], p.scales[k], p, l, first, curves_in_panel,
                        placer);
            svg.close();
            first += panel.scales[k].curves.size();
        }
    }

    const auto lines = key_lines(sheet.key, sheet.width_mm - 2.0 * kMarginMm);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::pair<SvgAttributes, std::string>> spans;
        for (std::size_t k = 0; k < lines[i].size(); ++k) {
            spans.push_back({{{"font-weight", "bold"}}, lines[i][k].first});
            spans.push_back(
                {{}, " " + lines[i][k].second + (k + 1 < lines[i].size() ? kKeyGap : "")});
        }
        const double y =
            sheet.height_mm - 4.0 - kKeyLineMm * static_cast<double>(lines.size() - 1 - i);
        svg.spans_element("text",
                          {{"class", "key"},
                           {"x", svg_number(kMarginMm)},
                           {"y", svg_number(y)},
                           {"font-size", svg_number(kNoteFontMm)},
                           {"fill", kTextColour}},
                          spans);
    }
    return svg.finish();
}

}  // namespace voxel
