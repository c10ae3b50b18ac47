#include "report/arm_chart.h"

#include <algorithm>
#include <cmath>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "model/stability/arm_sweep.h"
#include "report/charts/chart_style.h"

namespace voxel {

namespace {

struct SeriesLook {
    const char* name;  // Chinese name of the heel side
    const char* colour;
    const char* dash;
};

const SeriesLook kStarboardLook = {"右倾", kSeriesColours[0], ""};
const SeriesLook kPortLook = {"左倾", kSeriesColours[1], "2.4 1.2"};

double largest_finite(const std::vector<double>& gz) {
    double m = -HUGE_VAL;
    for (double v : gz)
        if (std::isfinite(v)) m = std::max(m, v);
    return m;
}

// The largest arm of a series, marked at the first angle where it occurs.
void mark_largest_arm(LineChart& chart, const ArmSeries& s, const SeriesLook& look) {
    std::size_t at = s.gz.size();
    for (std::size_t i = 0; i < s.gz.size(); ++i)
        if (std::isfinite(s.gz[i]) && (at == s.gz.size() || s.gz[i] > s.gz[at])) at = i;
    if (at == s.gz.size()) return;
    const double degrees = static_cast<double>(at) * kHeelStepDegrees;
    chart.markers.push_back({degrees, s.gz[at],
                             std::string(look.name) + " GZmax = " + format_number(s.gz[at]) +
                                 " m (φ = " + format_number(degrees) + "°)",
                             look.colour});
}

// The tangent at the origin: GZ ~ GM0 * phi for small heel (phi in rad), so
// the line from the origin through (1 rad = 57.3°, GM0). When that point is
// shown, it is marked with the value of GM0 and a vertical construction line
// from the axis, whose foot the note "1 rad = 57.3°" names; otherwise the
// tangent runs out at the top of the plot and the value of GM0 stands where
// it does.
void draw_gm0_tangent(LineChart& chart, double gm0, const SeriesLook& look, bool both_sides,
                      bool show_point) {
    const double one_radian = 180.0 / kPi;
    const std::string side = both_sides ? "" : std::string(look.name) + " ";
    const std::string value = side + "GM0 = " + format_number(gm0) + " m";
    chart.lines.push_back({0.0, 0.0, one_radian, gm0, true, look.colour, "0.8 0.8", 0.35,
                           side + "GM0 切线 (过 φ = 1 rad, GM0)",
                           show_point ? "" : value + " (φ = 1 rad 处, 图外)"});
    if (!show_point) return;
    chart.lines.push_back(
        {one_radian, 0.0, one_radian, gm0, false, "#606060", "0.5 0.8", 0.3, "", ""});
    chart.markers.push_back({one_radian, gm0, value, look.colour});
    chart.y_axis.include.push_back(gm0);
}

}  // namespace

LineChart righting_arm_chart(const ArmSeries& starboard, const ArmSeries& port,
                             const std::string& subtitle) {
    LineChart chart;
    chart.title = "静稳性曲线 (复原力臂 GZ)";
    chart.subtitle = subtitle;
    chart.x_axis.label = "横倾角 φ (°)";
    chart.x_axis.fixed = true;
    chart.x_axis.min = 0.0;
    chart.x_axis.max = kLastHeelDegrees;
    chart.x_axis.max_intervals = 9;
    chart.y_axis.label = "复原力臂 GZ (m)";
    chart.y_axis.include = {0.0};
    chart.y_axis.max_intervals = 10;

    const struct {
        const ArmSeries* series;
        const SeriesLook* look;
    } sides[] = {{&starboard, &kStarboardLook}, {&port, &kPortLook}};
    for (const auto& side : sides) {
        ChartSeries s;
        s.name = std::string(side.look->name) + " GZ";
        s.colour = side.look->colour;
        s.dash = side.look->dash;
        for (std::size_t i = 0; i < side.series->gz.size(); ++i) {
            s.x.push_back(static_cast<double>(i) * kHeelStepDegrees);
            s.y.push_back(side.series->gz[i]);
            s.hollow.push_back(!side.series->balanced_at(i));
        }
        chart.series.push_back(s);
        mark_largest_arm(chart, *side.series, *side.look);
    }
    chart.hollow_legend = "空心点: 纵倾调整未达平衡 (非纵向平衡状态的力臂)";

    // The tangent's point at one radian is shown when it is no more than
    // twice the largest arm; a larger GM0 would squeeze the curves, and its
    // tangent is then only cut at the top of the plot.
    const double top = std::max(largest_finite(starboard.gz), largest_finite(port.gz));
    const bool same =
        std::isfinite(starboard.gm0) && std::isfinite(port.gm0) &&
        std::fabs(starboard.gm0 - port.gm0) <= 1e-9 * std::max(1.0, std::fabs(starboard.gm0));
    // The port side's by its place in `sides`: both may be the same series.
    for (std::size_t k = 0; k < 2; ++k) {
        const double gm0 = sides[k].series->gm0;
        if (!std::isfinite(gm0)) continue;
        if (k == 1 && same) break;
        draw_gm0_tangent(chart, gm0, *sides[k].look, same, !(top > 0.0) || gm0 <= 2.0 * top);
    }
    bool construction_line = false;
    for (const ChartLine& line : chart.lines) construction_line |= !line.extend;
    if (construction_line)
        chart.notes.push_back({180.0 / kPi, 0.0, "1 rad = 57.3°", "#404040", "start", 1.0, -1.2});
    return chart;
}

std::string righting_arm_chart_svg(const ArmSeries& starboard, const ArmSeries& port,
                                   const std::string& subtitle) {
    return render_line_chart(righting_arm_chart(starboard, port, subtitle));
}

}  // namespace voxel
