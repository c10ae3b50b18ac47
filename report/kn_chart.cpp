#include "report/kn_chart.h"

#include <cmath>

#include "kernel/platform/number_format.h"
#include "report/charts/chart_style.h"

namespace voxel {

namespace {

// Whether the port side's KN stands apart from the starboard side's anywhere.
bool sides_differ(const CrossCurves& curves) {
    for (const KnPoint& p : curves.points)
        if (!(std::fabs(p.starboard.GZ - p.port.GZ) <= 5e-5)) return true;
    return false;
}

// The curve of heel j of one side.
ChartSeries heel_curve(const CrossCurves& curves, std::size_t j, bool starboard) {
    ChartSeries s;
    s.colour = kSeriesColours[j % kSeriesColourCount];
    s.dash = starboard ? "" : "2.4 1.2";
    s.width_mm = 0.4;
    for (std::size_t i = 0; i < curves.stations.size(); ++i) {
        const ArmResult& arm = starboard ? curves.at(i, j).starboard : curves.at(i, j).port;
        s.x.push_back(curves.stations[i].displacement);
        s.y.push_back(arm.GZ);
        s.hollow.push_back(!trim_balanced(arm));
    }
    return s;
}

}  // namespace

LineChart kn_curves_chart(const CrossCurves& curves, const std::string& subtitle) {
    LineChart chart;
    chart.title = "稳性横交曲线 (KN, 重心在基线上, 自由纵倾)";
    chart.subtitle = subtitle;
    chart.x_axis.label = "排水量 Δ (t)";
    chart.y_axis.label = "KN (m)";
    chart.y_axis.include = {0.0};
    const bool both = sides_differ(curves);
    for (std::size_t j = 0; j < curves.heels.size(); ++j) {
        ChartSeries s = heel_curve(curves, j, true);
        if (both && j == 0) s.name = "右倾 (实线)";
        // The label beside the curve's last finite point.
        for (std::size_t i = s.x.size(); i-- > 0;) {
            if (!std::isfinite(s.y[i])) continue;
            chart.notes.push_back({s.x[i], s.y[i], "φ = " + format_number(curves.heels[j]) + "°",
                                   s.colour, "start", 1.5, 1.0});
            break;
        }
        chart.series.push_back(s);
        if (!both) continue;
        ChartSeries p = heel_curve(curves, j, false);
        if (j == 0) p.name = "左倾 (虚线)";
        chart.series.push_back(p);
    }
    chart.hollow_legend = "空心点: 纵倾调整未达平衡 (非纵向平衡状态的力臂)";
    return chart;
}

std::string kn_curves_chart_svg(const CrossCurves& curves, const std::string& subtitle) {
    return render_line_chart(kn_curves_chart(curves, subtitle));
}

}  // namespace voxel
