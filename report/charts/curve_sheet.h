// A sheet of curves against one shared vertical axis (the draft of a sheet
// of hydrostatic curves): side-by-side panels, each holding curves on one or
// more horizontal scales of their own. Every scale is drawn as a labelled
// scale bar under its panel; every curve is labelled with its symbol beside
// it. Sizes are millimetres on the page; the result is a self-contained SVG.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/charts/linear_scale.h"
#include "report/charts/nice_ticks.h"

namespace voxel {

struct SheetCurve {
    std::string symbol;          // written beside the curve and on its scale bar, e.g. "V"
    std::string unit;            // e.g. "m³"; empty for a pure number
    std::vector<double> values;  // one per row of the sheet; a non-finite value leaves a gap
};

// One horizontal scale and the curves drawn on it.
struct SheetScale {
    std::vector<SheetCurve> curves;
    // true: the scale runs exactly from min to max. Otherwise it covers the
    // curves' finite values (and zero when include_zero) with 0.5 % room
    // beyond them (none below a zero it includes), is at least min_span wide
    // (centred on the data), and is widened to round ticks.
    bool fixed = false;
    double min = 0.0;
    double max = 1.0;
    bool include_zero = false;
    double min_span = 0.0;
    // The share of the panel's width the data may take (0 < fill <= 1):
    // curves of alike shape on scales of one panel (Aw and TPC are
    // proportional) get different fills and so lie apart, as on a drawn sheet.
    double fill = 1.0;
    // A curve that runs off without bound at one end of the rows (a
    // metacentre height at the shallowest drafts: BM = I/V as V goes to 0)
    // would squash every curve of its scale, itself included, into a line.
    // With clip_reach > 0 a scale that is not fixed covers no more than the
    // values of the rows in the upper half of the vertical range (with zero
    // when include_zero), widened on each side by clip_reach times their
    // span. A curve running beyond its scale (this one, or a fixed one) is
    // cut at the frame, an arrow marks where it leaves, and a note beside
    // the arrow says that it goes on beyond the frame and names the farthest
    // value it reaches.
    double clip_reach = 0.0;
};

struct SheetPanel {
    std::string title;  // above the panel
    std::vector<SheetScale> scales;
};

struct CurveSheet {
    std::string title;
    std::string subtitle;     // may be empty
    double width_mm = 297.0;  // A4 landscape by default
    double height_mm = 210.0;
    std::string vertical_label;    // e.g. "吃水 T (m)"
    std::vector<double> vertical;  // the vertical value of every row, ascending
    bool vertical_from_zero = true;
    std::vector<SheetPanel> panels;
    // Entries of the symbol key at the foot: symbol and name, e.g. {"V", "型排水体积"}.
    std::vector<std::pair<std::string, std::string>> key;
};

struct SheetScaleLayout {
    Ticks ticks;
    LinearScale scale;   // data to page x
    double bar_y = 0.0;  // page y of the scale bar's line
};

struct SheetPanelLayout {
    double left = 0.0, right = 0.0;  // page x of the panel's plot box
    std::vector<SheetScaleLayout> scales;
};

struct CurveSheetLayout {
    double top = 0.0, bottom = 0.0;  // page y of every panel's plot box
    Ticks vertical_ticks;
    LinearScale vertical;  // data to page y
    std::vector<SheetPanelLayout> panels;
};

CurveSheetLayout layout_curve_sheet(const CurveSheet& sheet);

// The SVG text. Each scale is a group of class "scale" holding its bar and its
// curves; curves are polylines of class "curve" with data-curve = their
// symbol. Tick labels stand at their tick's page coordinate: class "tick-v"
// (y) on the vertical axis, "tick-h" (x) on the scale bars. A curve cut at
// the frame has a polygon of class "clip-mark" (data-curve = its symbol)
// with its tip where the curve leaves, and a text of class "clip-note". The
// labels (class "curve-label" and "clip-note") stand apart from one another
// and from every curve wherever the panel leaves room for them.
std::string render_curve_sheet(const CurveSheet& sheet);

}  // namespace voxel
