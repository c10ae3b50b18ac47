#include "report/hydrostatic_sheet.h"

namespace voxel {

namespace {

SheetScale on_scale(std::vector<SheetCurve> curves, bool include_zero, double fill = 1.0,
                    double min_span = 0.0) {
    SheetScale s;
    s.curves = std::move(curves);
    s.include_zero = include_zero;
    s.fill = fill;
    s.min_span = min_span;
    return s;
}

}  // namespace

CurveSheet hydrostatic_sheet(const HydroTable& t, const std::string& subtitle) {
    CurveSheet sheet;
    sheet.title = "静水力曲线图";
    sheet.subtitle = subtitle;
    sheet.vertical_label = "吃水 T (m)";
    sheet.vertical = t.T;

    // Positions along the ship are measured from midship, positive forward;
    // a symmetric hull has them all at (nearly) zero, so their scale spans at
    // least 2 m instead of blowing rounding noise up to the panel's width.
    SheetScale coefficients =
        on_scale({{"CB", "", t.CB}, {"Cw", "", t.Cw}, {"Cm", "", t.Cm}, {"Cp", "", t.Cp}}, true);
    coefficients.fixed = true;
    coefficients.min = 0.0;
    coefficients.max = 1.0;

    // KM = KB + IT/V and KML = KB + IL/V grow without bound as the volume
    // goes to zero: at the shallowest waterlines they would squash KB and
    // their own working range into a line. Their scales are set by the
    // deeper half of the drafts (reaching twice as far), and the curves are
    // cut at the frame with an arrow and the value they go on to. KB stays on
    // the scale of KM, so BM reads as the distance between the two.
    SheetScale metacentres = on_scale({{"Zb", "m", t.Zb}, {"Zm", "m", t.Zm}}, true);
    metacentres.clip_reach = 1.0;
    SheetScale longitudinal_metacentre = on_scale({{"ZmL", "m", t.ZmL}}, true);
    longitudinal_metacentre.clip_reach = 1.0;

    sheet.panels = {
        {"排水体积与排水量",
         {on_scale({{"V", "m³", t.V}}, true),
          on_scale({{"DIS", "t", t.DIS}, {"DISk", "t", t.DISk}}, true, 0.75)}},
        {"水线面",
         {on_scale({{"Aw", "m²", t.Aw}}, true), on_scale({{"TPC", "t/cm", t.TPC}}, true, 0.75),
          on_scale({{"MTC", "t·m/cm", t.MTC}}, true, 0.5)}},
        {"浮心与稳心高度", {metacentres, longitudinal_metacentre}},
        {"浮心与漂心纵向位置", {on_scale({{"Xb", "m", t.Xb}, {"Xf", "m", t.Xf}}, false, 1.0, 2.0)}},
        {"船形系数", {coefficients}},
    };
    sheet.key = {{"V", "型排水体积"},
                 {"DIS", "型排水量"},
                 {"DISk", "总排水量"},
                 {"Aw", "水线面面积"},
                 {"TPC", "每厘米吃水吨数"},
                 {"MTC", "每厘米纵倾力矩"},
                 {"Zb", "浮心垂向坐标"},
                 {"Zm", "横稳心垂向坐标"},
                 {"ZmL", "纵稳心垂向坐标"},
                 {"Xb", "浮心纵向坐标"},
                 {"Xf", "漂心纵向坐标 (Xb, Xf 自舯起量, 向首为正)"},
                 {"CB", "方型系数"},
                 {"Cw", "水线面系数"},
                 {"Cm", "舯横剖面系数"},
                 {"Cp", "纵向棱形系数"}};
    return sheet;
}

std::string hydrostatic_sheet_svg(const HydroTable& table, const std::string& subtitle) {
    return render_curve_sheet(hydrostatic_sheet(table, subtitle));
}

}  // namespace voxel
