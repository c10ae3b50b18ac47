#include "report/charts/curve_sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// The values of a scale's curves: all of them, or with clip_reach those of
// the rows in the upper half of the vertical range, widened by clip_reach
// times their span and cut to the values there are.
ValueRange scale_values(const SheetScale& s, const std::vector<double>& vertical) {
    ValueRange data;
    for (const SheetCurve& c : s.curves)
        for (double v : c.values) data.add(v);
    if (!(s.clip_reach > 0.0) || data.empty()) return data;
    ValueRange rows;
    for (double v : vertical) rows.add(v);
    if (rows.empty()) return data;
    const double middle = 0.5 * (rows.lo + rows.hi);
    ValueRange upper;
    for (const SheetCurve& c : s.curves)
        for (std::size_t i = 0; i < c.values.size() && i < vertical.size(); ++i)
            if (vertical[i] >= middle) upper.add(c.values[i]);
    if (upper.empty()) return data;
    if (s.include_zero) upper.add(0.0);
    const double reach = s.clip_reach * (upper.hi - upper.lo);
    data.lo = std::max(data.lo, upper.lo - reach);
    data.hi = std::min(data.hi, upper.hi + reach);
    return data;
}

// Ticks of a scale as wide as `width` mm: the most intervals (at most 6)
// whose numbers still stand apart.
Ticks scale_ticks(const SheetScale& s, const std::vector<double>& vertical, double width) {
    double lo = s.min, hi = s.max;
    if (!s.fixed) {
        ValueRange data = scale_values(s, vertical);
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
            s.ticks = scale_ticks(sheet.panels[i].scales[k], sheet.vertical, panel_width);
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

using PagePoint = std::pair<double, double>;
using PageLine = std::vector<PagePoint>;

// Where a curve leaves the frame: the point on the frame and the page
// direction (a unit vector) in which the curve runs on beyond it.
struct FrameExit {
    double x = 0.0, y = 0.0;
    double dx = 0.0, dy = 0.0;
};

// A note beside a curve cut at the frame: its lines, set against the side
// of the frame the curve leaves by, and the box they fill.
struct ClipNote {
    std::vector<std::string> lines;
    bool right_side = true;
    PageBox box;
};

// A curve as drawn: its pieces inside the frame (one per run of finite
// values, more where it leaves the frame and comes back; a piece of one
// point is a dot), the places where it leaves the frame, its label's box
// and its notes.
struct DrawnCurve {
    std::vector<PageLine> pieces;
    std::vector<FrameExit> exits;
    bool labelled = false;
    PageBox label;
    std::vector<ClipNote> notes;
    // The farthest value beyond the right (left) side and its page y.
    bool beyond_right = false, beyond_left = false;
    double right_value = 0.0, right_y = 0.0;
    double left_value = 0.0, left_y = 0.0;
};

FrameExit frame_exit(PagePoint at, PagePoint from, PagePoint to) {
    const double dx = to.first - from.first;
    const double dy = to.second - from.second;
    const double length = std::hypot(dx, dy);
    return {at.first, at.second, dx / length, dy / length};
}

void extend(PageLine& piece, PagePoint p) {
    if (piece.empty() || piece.back() != p) piece.push_back(p);
}

// How far (mm) a point may lie beyond the frame and still count as inside:
// a coefficient of 1 + 1e-15 on a scale ending at 1 is on the frame.
constexpr double kFrameSlackMm = 0.05;

// The curve's page points, run by run, every segment cut to the frame's
// width (a scale that is not fixed and has no clip_reach holds all values,
// so that nothing is cut), and its farthest rows beyond either side.
DrawnCurve trace_curve(const SheetCurve& c, const CurveSheet& sheet, const SheetScaleLayout& s,
                       const SheetPanelLayout& p, const CurveSheetLayout& l) {
    DrawnCurve d;
    const auto inside = [&](PagePoint q) {
        return q.first >= p.left - kFrameSlackMm && q.first <= p.right + kFrameSlackMm;
    };
    for (const IndexRun& run : finite_runs(c.values, sheet.vertical)) {
        PageLine points;
        for (std::size_t i = run.begin; i < run.end; ++i) {
            points.push_back({s.scale.to_page(c.values[i]), l.vertical.to_page(sheet.vertical[i])});
            const double x = points.back().first;
            if (x > p.right + kFrameSlackMm && (!d.beyond_right || c.values[i] > d.right_value)) {
                d.beyond_right = true;
                d.right_value = c.values[i];
                d.right_y = points.back().second;
            }
            if (x < p.left - kFrameSlackMm && (!d.beyond_left || c.values[i] < d.left_value)) {
                d.beyond_left = true;
                d.left_value = c.values[i];
                d.left_y = points.back().second;
            }
        }
        if (points.size() == 1) {
            if (inside(points[0])) d.pieces.push_back(points);
            continue;
        }
        PageLine piece;
        const auto finish_piece = [&] {
            if (piece.size() >= 2) d.pieces.push_back(piece);
            piece.clear();
        };
        for (std::size_t j = 1; j < points.size(); ++j) {
            const PagePoint a = points[j - 1];
            const PagePoint b = points[j];
            const bool a_in = inside(a);
            const bool b_in = inside(b);
            if (a_in && b_in) {
                extend(piece, a);
                extend(piece, b);
                continue;
            }
            Segment2 cut;
            if (!clip_segment({a.first, a.second, b.first, b.second}, p.left, p.right, l.top - 1.0,
                              l.bottom + 1.0, cut)) {
                finish_piece();
                continue;
            }
            // An end outside the frame is replaced by the point where the
            // segment crosses the frame's side.
            const PagePoint from = a_in ? a : PagePoint{cut.x0, cut.y0};
            const PagePoint to = b_in ? b : PagePoint{cut.x1, cut.y1};
            if (!a_in) {
                finish_piece();
                d.exits.push_back(frame_exit(from, b, a));
            }
            extend(piece, from);
            extend(piece, to);
            if (!b_in) {
                d.exits.push_back(frame_exit(to, a, b));
                finish_piece();
            }
        }
        finish_piece();
    }
    return d;
}

// A value of a note, to three significant digits (whole numbers from 100 up).
std::string note_value(double v) {
    const double magnitude = std::fabs(v);
    const int decimals =
        magnitude > 0.0 ? 2 - static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    return tick_label(v, std::clamp(decimals, 0, 6));
}

// The arrowhead at a place where a curve leaves the frame: its tip on the
// frame, pointing the way the curve goes on.
constexpr double kArrowLengthMm = 2.2;
constexpr double kArrowHalfWidthMm = 0.9;

std::vector<PagePoint> arrow_points(const FrameExit& e) {
    const double bx = e.x - kArrowLengthMm * e.dx;
    const double by = e.y - kArrowLengthMm * e.dy;
    const double nx = -e.dy * kArrowHalfWidthMm;
    const double ny = e.dx * kArrowHalfWidthMm;
    return {{e.x, e.y}, {bx + nx, by + ny}, {bx - nx, by - ny}};
}

PageBox box_around(const std::vector<PagePoint>& points) {
    PageBox b{points[0].first, points[0].second, points[0].first, points[0].second};
    for (const PagePoint& q : points) {
        b.x0 = std::min(b.x0, q.first);
        b.x1 = std::max(b.x1, q.first);
        b.y0 = std::min(b.y0, q.second);
        b.y1 = std::max(b.y1, q.second);
    }
    return b;
}

// Room a label's box keeps from every curve: sideways half the stroke, the
// white halo (0.14 em) and a little air; up and down less, as the box is a
// full em high and the glyphs are not.
constexpr double kLabelClearanceXMm = 0.6;
constexpr double kLabelClearanceYMm = 0.25;

// The labels of the sheet and the curves they must keep clear of. A label
// takes the first of its candidate boxes (in order of preference) that meets
// neither a label placed before nor a curve; failing that, the first of the
// fewest overlaps, an overlap with a label counting more than one with a
// curve.
class SheetLabels {
  public:
    void add_line(const PageLine& line) {
        // Rows ascend, so page y falls along a line: then only the segments
        // whose height meets a box need to be cut against it.
        const bool falling = std::is_sorted(
            line.begin(), line.end(), [](PagePoint a, PagePoint b) { return a.second > b.second; });
        lines_.push_back({&line, falling});
    }
    void reserve(const PageBox& box) { taken_.push_back(box); }

    std::size_t place(const std::vector<PageBox>& candidates) {
        std::size_t chosen = 0;
        std::size_t least = 0;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            std::size_t cost = meets_curve(candidates[i]) ? 1 : 0;
            for (const PageBox& t : taken_)
                if (boxes_overlap(candidates[i], t)) cost += 2;
            if (i == 0 || cost < least) {
                chosen = i;
                least = cost;
            }
            if (cost == 0) break;
        }
        if (!candidates.empty()) taken_.push_back(candidates[chosen]);
        return chosen;
    }

  private:
    struct Line {
        const PageLine* points;
        bool falling;
    };

    bool meets_curve(const PageBox& label) const {
        const PageBox b{label.x0 - kLabelClearanceXMm, label.y0 - kLabelClearanceYMm,
                        label.x1 + kLabelClearanceXMm, label.y1 + kLabelClearanceYMm};
        for (const Line& line : lines_) {
            const PageLine& q = *line.points;
            if (q.size() == 1) {
                if (q[0].first >= b.x0 && q[0].first <= b.x1 && q[0].second >= b.y0 &&
                    q[0].second <= b.y1)
                    return true;
                continue;
            }
            // Segment (j-1, j) spans q[j].y .. q[j-1].y on a falling line.
            std::size_t first = 1;
            std::size_t last = q.size() - 1;
            if (line.falling) {
                const auto below_box = [&](PagePoint a) { return a.second > b.y1; };
                const auto not_above = [&](PagePoint a) { return a.second >= b.y0; };
                first = std::max<std::size_t>(
                    first, static_cast<std::size_t>(
                               std::partition_point(q.begin(), q.end(), below_box) - q.begin()));
                last = std::min<std::size_t>(
                    last, static_cast<std::size_t>(
                              std::partition_point(q.begin(), q.end(), not_above) - q.begin()));
            }
            for (std::size_t j = first; j <= last; ++j) {
                Segment2 cut;
                if (clip_segment({q[j - 1].first, q[j - 1].second, q[j].first, q[j].second}, b.x0,
                                 b.x1, b.y0, b.y1, cut))
                    return true;
            }
        }
        return false;
    }

    std::vector<Line> lines_;
    std::vector<PageBox> taken_;
};

constexpr double kNoteLinePitch = 1.2;  // em

// The note of a curve cut at the frame, beside the place where it leaves
// (the one nearest its farthest value): inside the frame, against the side
// it leaves by, nearest below the arrow first, then above, farther and
// farther.
void place_note(DrawnCurve& d, std::vector<std::string> lines, bool right_side, double far_y,
                const SheetPanelLayout& p, const CurveSheetLayout& l, SheetLabels& labels) {
    const double side = right_side ? p.right : p.left;
    double anchor_y = far_y;
    double nearest = std::numeric_limits<double>::infinity();
    for (const FrameExit& e : d.exits)
        if (std::fabs(e.x - side) < 1e-6 && std::fabs(e.y - far_y) < nearest) {
            nearest = std::fabs(e.y - far_y);
            anchor_y = e.y;
        }
    double w = 0.0;
    for (const std::string& line : lines) w = std::max(w, text_width_mm(line, kNoteFontMm));
    const double h = kNoteFontMm * (1.0 + kNoteLinePitch * static_cast<double>(lines.size() - 1));
    const double x0 = std::max(right_side ? p.right - 0.8 - w : p.left + 0.8, p.left + 0.5);
    // Where the frame's side is crowded, the note moves into the panel too:
    // the candidates in order of their distance from the arrow.
    const double room = p.right - p.left - 1.3 - w;
    const int shifts = room > 0.0 ? 1 + static_cast<int>(room / 3.0) : 1;
    std::vector<std::pair<double, PageBox>> near;
    for (int k = 0; k < 60; ++k) {
        const double away = 1.6 + 1.5 * static_cast<double>(k / 2);
        const double y0 = k % 2 == 0 ? anchor_y + away : anchor_y - away - h;
        if (y0 < l.top + 0.3 || y0 + h > l.bottom - 0.3) continue;
        for (int j = 0; j < shifts; ++j) {
            const double shift = 3.0 * static_cast<double>(j);
            const double x = right_side ? x0 - shift : x0 + shift;
            near.push_back({away + shift, {x, y0, x + w, y0 + h}});
        }
    }
    if (near.empty()) return;
    std::stable_sort(near.begin(), near.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PageBox> boxes;
    for (const auto& candidate : near) boxes.push_back(candidate.second);
    const PageBox box = boxes[labels.place(boxes)];
    d.notes.push_back({std::move(lines), right_side, box});
}

// The label of a curve, in this order of preference: close beside one of
// its points, right of it or left; under its lowest end or over its highest
// (unless it is cut at the frame); farther beside it. The curves of one
// panel start at staggered heights, so that curves lying on one another
// still get apart labels; from there the candidates run to either side
// along the curve.
void place_label(DrawnCurve& d, const SheetCurve& c, std::size_t index, std::size_t curves_in_panel,
                 const SheetPanelLayout& p, const CurveSheetLayout& l, SheetLabels& labels) {
    PageLine points;
    for (const PageLine& piece : d.pieces) points.insert(points.end(), piece.begin(), piece.end());
    if (points.empty()) return;
    // Bold Latin runs up to a fifth wider than the estimate (C, m, w).
    const double w = 1.2 * text_width_mm(c.symbol, kCurveLabelFontMm);
    const double h = kCurveLabelFontMm;
    const double start =
        0.88 - 0.7 * static_cast<double>(index) / static_cast<double>(curves_in_panel);
    std::vector<PageBox> boxes;
    const auto add = [&](double x0, double y0) {
        if (x0 < p.left + 0.5 || x0 + w > p.right - 0.5) return;
        if (y0 < l.top + 0.3 || y0 + h > l.bottom - 0.3) return;
        boxes.push_back({x0, y0, x0 + w, y0 + h});
    };
    const auto beside = [&](double gap) {
        for (int k = 0; k <= 92; ++k) {
            const double f = start + (k % 2 == 1 ? -0.02 : 0.02) * static_cast<double>((k + 1) / 2);
            if (f < 0.04 || f > 0.96) continue;
            const auto& [x, y] =
                points[static_cast<std::size_t>(f * static_cast<double>(points.size() - 1))];
            add(x + gap, y - 0.5 * h);
            add(x - gap - w, y - 0.5 * h);
        }
    };
    beside(1.2);
    if (d.exits.empty()) {
        // Page y grows downwards: the first point is the lowest.
        const auto clamped = [&](double x) {
            return std::clamp(x - 0.5 * w, p.left + 0.5, p.right - 0.5 - w);
        };
        for (int j = 0; j < 4; ++j) {
            const double step = 1.0 + 3.5 * static_cast<double>(j);
            add(clamped(points.front().first), points.front().second + step);
            add(clamped(points.back().first), points.back().second - step - h);
        }
    }
    for (double gap : {2.4, 4.0, 6.0}) beside(gap);
    if (boxes.empty()) return;
    d.label = boxes[labels.place(boxes)];
    d.labelled = true;
}

void draw_curve(SvgDocument& svg, const SheetCurve& c, const DrawnCurve& d, std::size_t index) {
    const Stroke stroke{curve_colour(index), 0.45, curve_dash(index)};
    for (const PageLine& piece : d.pieces) {
        if (piece.size() >= 2)
            draw_polyline(svg, piece, stroke, {{"class", "curve"}, {"data-curve", c.symbol}});
        else
            svg.element("circle", {{"cx", svg_number(piece[0].first)},
                                   {"cy", svg_number(piece[0].second)},
                                   {"r", "0.5"},
                                   {"fill", stroke.colour}});
    }
    for (const FrameExit& e : d.exits)
        svg.element("polygon", {{"class", "clip-mark"},
                                {"data-curve", c.symbol},
                                {"points", svg_points(arrow_points(e))},
                                {"fill", stroke.colour}});
    for (const ClipNote& n : d.notes)
        for (std::size_t i = 0; i < n.lines.size(); ++i)
            draw_text(svg, n.right_side ? n.box.x1 : n.box.x0,
                      n.box.y0 + kNoteFontMm * (0.8 + kNoteLinePitch * static_cast<double>(i)),
                      n.lines[i],
                      {kNoteFontMm, stroke.colour, n.right_side ? "end" : "start", false, true, 0.0,
                       "clip-note"});
    if (d.labelled)
        draw_text(svg, d.label.x0, d.label.y1 - 0.15 * kCurveLabelFontMm, c.symbol,
                  {kCurveLabelFontMm, stroke.colour, "start", true, true, 0.0, "curve-label"});
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

    // Every curve traced first, so that each label keeps clear of all of
    // them: the arrows, then the notes beside them, then the curves' labels.
    std::vector<std::vector<std::vector<DrawnCurve>>> drawn(sheet.panels.size());
    SheetLabels labels;
    for (std::size_t i = 0; i < sheet.panels.size(); ++i)
        for (std::size_t k = 0; k < sheet.panels[i].scales.size(); ++k) {
            drawn[i].emplace_back();
            for (const SheetCurve& c : sheet.panels[i].scales[k].curves)
                drawn[i][k].push_back(trace_curve(c, sheet, l.panels[i].scales[k], l.panels[i], l));
        }
    for (const auto& panel : drawn)
        for (const auto& scale : panel)
            for (const DrawnCurve& d : scale) {
                for (const PageLine& piece : d.pieces) labels.add_line(piece);
                for (const FrameExit& e : d.exits) labels.reserve(box_around(arrow_points(e)));
            }
    for (std::size_t i = 0; i < sheet.panels.size(); ++i)
        for (std::size_t k = 0; k < sheet.panels[i].scales.size(); ++k)
            for (std::size_t n = 0; n < sheet.panels[i].scales[k].curves.size(); ++n) {
                const SheetCurve& c = sheet.panels[i].scales[k].curves[n];
                DrawnCurve& d = drawn[i][k][n];
                const std::string unit = c.unit.empty() ? "" : " " + c.unit;
                const auto note = [&](double value) {
                    return std::vector<std::string>{c.symbol + " 超出图框",
                                                    "至 " + note_value(value) + unit};
                };
                if (d.beyond_right)
                    place_note(d, note(d.right_value), true, d.right_y, l.panels[i], l, labels);
                if (d.beyond_left)
                    place_note(d, note(d.left_value), false, d.left_y, l.panels[i], l, labels);
            }
    for (std::size_t i = 0; i < sheet.panels.size(); ++i) {
        std::size_t curves_in_panel = 0;
        for (const SheetScale& s : sheet.panels[i].scales) curves_in_panel += s.curves.size();
        std::size_t index = 0;
        for (std::size_t k = 0; k < sheet.panels[i].scales.size(); ++k)
            for (std::size_t n = 0; n < sheet.panels[i].scales[k].curves.size(); ++n, ++index)
                place_label(drawn[i][k][n], sheet.panels[i].scales[k].curves[n], index,
                            curves_in_panel, l.panels[i], l, labels);
    }

    for (std::size_t i = 0; i < sheet.panels.size(); ++i) {
        const SheetPanel& panel = sheet.panels[i];
        const SheetPanelLayout& p = l.panels[i];
        draw_panel_frame(svg, panel, p, l);
        std::size_t first = 0;
        for (std::size_t k = 0; k < panel.scales.size(); ++k) {
            svg.open("g", {{"class", "scale"},
                           {"data-scale", std::to_string(i) + "-" + std::to_string(k)}});
            draw_scale_bar(svg, panel.scales[k], p.scales[k], p, first);
            for (std::size_t n = 0; n < panel.scales[k].curves.size(); ++n)
                draw_curve(svg, panel.scales[k].curves[n], drawn[i][k][n], first + n);
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
