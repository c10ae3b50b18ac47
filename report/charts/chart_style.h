// Fonts, sizes and colours shared by the charts. Sizes are millimetres on
// paper; the smallest text stays at 2.5 mm or more, readable on A4.
#pragma once

namespace voxel {

// Generic enough that any SVG viewer finds a face with the Chinese glyphs.
constexpr const char* kChartFontFamily = "WenQuanYi Micro Hei, Noto Sans CJK SC, sans-serif";

constexpr double kTitleFontMm = 5.0;
constexpr double kAxisLabelFontMm = 3.5;
constexpr double kTickFontMm = 2.8;
constexpr double kNoteFontMm = 2.8;

constexpr const char* kFrameColour = "#000000";
constexpr const char* kGridColour = "#c8c8c8";
constexpr const char* kTextColour = "#000000";

// Line colours that stay apart in print and for the common colour-vision
// deficiencies: blue, vermilion, bluish green, reddish purple, orange.
constexpr const char* kSeriesColours[] = {"#0b4f9c", "#d0451b", "#007a5a", "#a4407a", "#e69500"};
constexpr int kSeriesColourCount = 5;

}  // namespace voxel
