#include "report/loading_html.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "report/charts/svg_document.h"
#include "report/loading_files.h"

namespace voxel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- Text ------------------------------------------------------------------

// The bytes of one UTF-8 sequence starting at s[i], 0 when it is not one
// (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate or a code point beyond U+10FFFF).
std::size_t utf8_length(const std::string& s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned c = b(i);
    std::size_t n = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    if (n == 3 && ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) > 0x9F))) return 0;
    if (n == 4 && ((c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) > 0x8F))) return 0;
    return n;
}

// Markup as it is, its faulty UTF-8 bytes as U+FFFD.
std::string valid_utf8(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8_length(s, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    return out;
}

// Text for an element or an attribute: faulty UTF-8 bytes as U+FFFD, control
// characters but tab and line feed dropped, then escaped as the charts' text.
std::string esc(const std::string& s) {
    std::string clean;
    for (const char c : valid_utf8(s))
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') clean += c;
    return xml_escape(clean);
}

// Fixed decimals; a rounded negative zero without its sign; "–" for a value
// that is not finite. The minus sign is U+2212.
std::string fixed(double v, int decimals) {
    if (!std::isfinite(v)) return "–";
    const std::string t = format_fixed_unsigned_zero(v, decimals);
    return t[0] == '-' ? "\xE2\x88\x92" + t.substr(1) : t;
}

std::string opt_angle(const std::optional<double>& v) {
    return v ? fixed(*v, 2) + "°" : std::string("none up to 90°");
}

std::string td(const std::string& s, const char* cls = nullptr) {
    return cls ? "<td class=\"" + std::string(cls) + "\">" + s + "</td>" : "<td>" + s + "</td>";
}

std::string num(const std::string& s) {
    return td(s, "n");
}

std::string row(const std::string& label, const std::string& value) {
    return "<tr><th>" + label + "</th>" + num(value) + "</tr>\n";
}

// ---- Criteria ----------------------------------------------------------------

struct CriterionInfo {
    const char* clause;
    const char* text;
    const char* unit;
    int decimals;
    const char* relation;
};

CriterionInfo criterion_info(const std::string& id) {
    if (id == "area_0_30") return {"A 2.2.1", "area under GZ, 0° to 30°", "m·rad", 3, "≥"};
    if (id == "area_0_40") return {"A 2.2.1", "area under GZ, 0° to 40° or θf", "m·rad", 3, "≥"};
    if (id == "area_30_40") return {"A 2.2.1", "area under GZ, 30° to 40° or θf", "m·rad", 3, "≥"};
    if (id == "gz_30_plus") return {"A 2.2.2", "GZ at 30° or more", "m", 3, "≥"};
    if (id == "angle_gz_max") return {"A 2.2.3", "angle of the largest GZ", "°", 1, "≥"};
    if (id == "gm0") return {"A 2.2.4", "initial GM (液面修正后)", "m", 3, "≥"};
    if (id == "weather_area_ratio") return {"A 2.3", "weather: area b / area a", "", 3, "≥"};
    if (id == "weather_heel") return {"A 2.3", "weather: steady-wind heel θ0", "°", 2, "≤"};
    if (id == "final_heel") return {"28(6)", "final heel |φe|", "°", 2, "≤"};
    if (id == "openings_clear")
        return {"28(6)", "least height of an opening above the water", "m", 3, ">"};
    if (id == "residual_range") return {"28(6)", "range of positive residual GZ", "°", 1, "≥"};
    if (id == "residual_gz_max") return {"28(6)", "largest residual GZ within 20°", "m", 3, "≥"};
    if (id == "residual_area")
        return {"28(6)", "area under the residual GZ within the range, to 20°", "m·rad", 4, "≥"};
    return {"", "", "", 4, ""};
}

std::string result_cell(const std::string& result) {
    const char* cls = result == "PASS" ? "pass" : result == "FAIL" ? "fail" : "unb";
    const char* zh = result == "PASS" ? "通过" : result == "FAIL" ? "不通过" : "纵倾未平衡";
    const char* mark = result == "PASS" ? "✔ " : result == "FAIL" ? "✘ " : "? ";
    return "<td class=\"" + std::string(cls) + "\">" + mark + esc(result) + " <small>" + zh +
           "</small></td>";
}

std::string criteria_rows(const std::vector<CriterionOutcome>& list) {
    std::string h;
    for (const CriterionOutcome& c : list) {
        const CriterionInfo info = criterion_info(c.id);
        const std::string unit = !info.unit[0]                   ? std::string()
                                 : std::string(info.unit) == "°" ? std::string(info.unit)
                                                                 : std::string(" ") + info.unit;
        h += "<tr><td>" + std::string(info.clause) + "</td><td>" +
             (info.text[0] ? std::string(info.text) : esc(c.id)) + " <small class=\"muted\">" +
             esc(c.id) + "</small></td>" +
             num(std::string(info.relation) + " " + fixed(c.limit, info.decimals) + unit) +
             num(fixed(c.starboard.value, info.decimals) + unit) + result_cell(c.starboard.result) +
             num(fixed(c.port.value, info.decimals) + unit) + result_cell(c.port.result) +
             "</tr>\n";
    }
    return h;
}

// ---- Drawings ----------------------------------------------------------------

// Maps data (u, v) into a plot box of the SVG, v upward.
struct Frame {
    double u0, u1, v0, v1;  // data range
    double x0, y0, w, h;    // plot box in SVG units
    double x(double u) const { return x0 + (u - u0) / (u1 - u0) * w; }
    double y(double v) const { return y0 + h - (v - v0) / (v1 - v0) * h; }
};

std::string f1(double v) {
    return format_fixed(v, 1);
}

std::string pt(const Frame& f, double u, double v) {
    return f1(f.x(u)) + "," + f1(f.y(v));
}

// What a section drawing shows.
struct SectionView {
    Box3 hull;  // the hull's extent
    double lpp = 0.0, breadth = 0.0;
    Equilibrium equilibrium;
    Point3 G;
    std::vector<Box3> flooded;  // extents of flooded spaces, drawn hatched
    std::string pattern;        // the hatch's element id, one per drawing of the page
};

SectionView intact_view(const LoadingResult& r) {
    SectionView v;
    v.hull = r.hull_box;
    v.lpp = r.lpp;
    v.breadth = r.breadth;
    v.equilibrium = r.equilibrium;
    v.G = r.weights.centre_of_gravity;
    return v;
}

// The midship section seen from aft: port (+y) on the left, starboard on the
// right. The hull's extent in y and z, the breadth, the extents of flooded
// spaces, the water line of the floating position in the plane x = lpp / 2,
// G and B.
std::string section_svg(const SectionView& r) {
    const Box3& b = r.hull;
    const Plane& p = r.equilibrium.plane;
    if (!(b.maxy > b.miny) || !(b.maxz > b.minz) || !(std::fabs(p.C) > 0.0)) return "";
    const double xm = 0.5 * r.lpp;
    const auto wl = [&](double y) { return -(p.D + p.A * xm + p.B * y) / p.C; };
    const double half = std::max({-b.miny, b.maxy, 0.5 * r.breadth});
    const double span = 2.0 * half * 1.25;
    const double zlo = std::min(0.0, b.minz) - 0.1 * (b.maxz - b.minz);
    const double zhi = b.maxz + 0.15 * (b.maxz - b.minz);
    // Screen u = -y so that port is on the left.
    const double W = 300.0, H = 300.0 * (zhi - zlo) / span;
    const Frame f{-span / 2, span / 2, zlo, zhi, 0.0, 0.0, W, H};
    const auto X = [&](double y) { return f.x(-y); };
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + f1(W) + " " +
                    f1(H + 4) +
                    "\" class=\"section\" font-size=\"9\" font-family=\"sans-serif\">\n";
    if (!r.flooded.empty())
        s += "<defs><pattern id=\"" + r.pattern +
             "\" width=\"5\" height=\"5\" "
             "patternUnits=\"userSpaceOnUse\" patternTransform=\"rotate(45)\"><rect width=\"5\" "
             "height=\"5\" fill=\"#f6d5d5\"/><line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"5\" "
             "stroke=\"#a00000\" stroke-width=\"1\"/></pattern></defs>\n";
    // Water below the water line.
    const double ya = span / 2, yb = -span / 2;  // left and right ends in y
    s += "<polygon fill=\"#cfe6f7\" points=\"" + f1(X(ya)) + "," + f1(f.y(wl(ya))) + " " +
         f1(X(yb)) + "," + f1(f.y(wl(yb))) + " " + f1(X(yb)) + "," + f1(f.y(zlo)) + " " +
         f1(X(ya)) + "," + f1(f.y(zlo)) + "\"/>\n";
    s += "<rect x=\"" + f1(X(b.maxy)) + "\" y=\"" + f1(f.y(b.maxz)) + "\" width=\"" +
         f1(X(b.miny) - X(b.maxy)) + "\" height=\"" + f1(f.y(b.minz) - f.y(b.maxz)) +
         "\" fill=\"#f4efe6\" fill-opacity=\"0.75\" stroke=\"#333\" stroke-width=\"1.2\"/>\n";
    if (r.breadth > 0.0)
        s += "<rect x=\"" + f1(X(0.5 * r.breadth)) + "\" y=\"" + f1(f.y(b.maxz)) + "\" width=\"" +
             f1(X(-0.5 * r.breadth) - X(0.5 * r.breadth)) + "\" height=\"" +
             f1(f.y(b.minz) - f.y(b.maxz)) +
             "\" fill=\"none\" stroke=\"#996\" stroke-dasharray=\"4 2\" stroke-width=\"0.8\"/>\n";
    for (const Box3& k : r.flooded)
        s += "<rect x=\"" + f1(X(k.maxy)) + "\" y=\"" + f1(f.y(k.maxz)) + "\" width=\"" +
             f1(X(k.miny) - X(k.maxy)) + "\" height=\"" + f1(f.y(k.minz) - f.y(k.maxz)) +
             "\" fill=\"url(#" + r.pattern + ")\" stroke=\"#a00000\" stroke-width=\"0.8\"/>\n";
    s += "<line x1=\"" + f1(X(ya)) + "\" y1=\"" + f1(f.y(wl(ya))) + "\" x2=\"" + f1(X(yb)) +
         "\" y2=\"" + f1(f.y(wl(yb))) + "\" stroke=\"#1f5fa8\" stroke-width=\"1.4\"/>\n";
    // Centre line and base line.
    s += "<line x1=\"" + f1(X(0)) + "\" y1=\"" + f1(f.y(zhi)) + "\" x2=\"" + f1(X(0)) + "\" y2=\"" +
         f1(f.y(zlo)) + "\" stroke=\"#888\" stroke-dasharray=\"6 2 1 2\" stroke-width=\"0.6\"/>\n";
    const auto dot = [&](const Point3& q, const char* name, const char* colour, double dx) {
        return "<circle cx=\"" + f1(X(q.y)) + "\" cy=\"" + f1(f.y(q.z)) + "\" r=\"2.6\" fill=\"" +
               colour + "\"/><text x=\"" + f1(X(q.y) + dx) + "\" y=\"" + f1(f.y(q.z) + 3) +
               "\" fill=\"" + colour + "\"" + (dx < 0 ? " text-anchor=\"end\"" : "") + ">" + name +
               "</text>\n";
    };
    s += dot(r.G, "G", "#b00", 5);
    s += dot(r.equilibrium.B, "B", "#1f5fa8", -5);
    s += "<text x=\"4\" y=\"" + f1(f.y(zhi) + 10) + "\">port 左舷</text>";
    s += "<text x=\"" + f1(W - 4) + "\" y=\"" + f1(f.y(zhi) + 10) +
         "\" text-anchor=\"end\">starboard 右舷</text>\n";
    s += "<text x=\"" + f1(W - 4) + "\" y=\"" + f1(f.y(zlo) - 4) +
         "\" text-anchor=\"end\" fill=\"#1f5fa8\">water line: T = " +
         fixed(r.equilibrium.draft_mid, 3) + " m, heel " + fixed(r.equilibrium.heel, 2) +
         "°</text>\n";
    s += "</svg>\n";
    return s;
}

// A chart of the other files within the page: without its XML declaration,
// sized by the page's style for `classes` instead of its A4 size.
std::string embedded_chart(std::string s, const std::string& classes) {
    if (s.compare(0, 5, "<?xml") == 0) s.erase(0, s.find('\n') + 1);
    const std::size_t w = s.find("width=\"297mm\" height=\"210mm\"");
    if (w != std::string::npos) s.replace(w, 28, "class=\"" + classes + "\"");
    return valid_utf8(s);
}

// The GZ chart of the other files, sized by the page.
std::string gz_chart_svg(const LoadingResult& r) {
    return embedded_chart(loading_gz_svg(r), "chart");
}

// The leeward side's arm at heel phi (degrees) to that side, by straight lines
// between the grid points; a negative heel is a heel to the other side, whose
// arm changes sign.
double leeward_arm(const GzCurves& gz, bool starboard, double phi) {
    const std::vector<double>& own = starboard ? gz.starboard : gz.port;
    const std::vector<double>& other = starboard ? gz.port : gz.starboard;
    const std::vector<double>& arms = phi < 0.0 ? other : own;
    const double sign = phi < 0.0 ? -1.0 : 1.0;
    const double a = std::fabs(phi);
    const std::size_t n = std::min(gz.heel_deg.size(), arms.size());
    for (std::size_t i = 1; i < n; ++i)
        if (a <= gz.heel_deg[i]) {
            const double t = (a - gz.heel_deg[i - 1]) / (gz.heel_deg[i] - gz.heel_deg[i - 1]);
            return sign * (arms[i - 1] + t * (arms[i] - arms[i - 1]));
        }
    return kNaN;
}

// The classic picture of the weather criterion for one leeward side: the GZ
// curve from before theta0 - theta1 to beyond theta2, the steady-wind lever
// lw1 and the gust lever lw2, area a (below lw2, above the curve, from
// theta0 - theta1 to where the curve reaches lw2) and area b (above lw2,
// below the curve, up to theta2) shaded.
std::string weather_svg(const LoadingResult& r, const WeatherSide& w, bool starboard) {
    const double from = w.theta0 - w.theta1, to = w.theta2;
    if (!std::isfinite(from) || !std::isfinite(to) || !(to > from)) return "";
    const double u0 = std::max(-90.0, std::floor((from - 5.0) / 10.0) * 10.0);
    const double u1 = std::min(90.0, std::ceil((to + 5.0) / 10.0) * 10.0);
    std::vector<double> us;
    const double step = 0.25;
    for (double u = u0; u <= u1 + 1e-9; u += step) us.push_back(u);
    double vmin = std::min(0.0, w.lw2), vmax = std::max(0.0, w.lw2);
    for (double u : us) {
        const double a = leeward_arm(r.gz, starboard, u);
        if (std::isfinite(a)) vmin = std::min(vmin, a), vmax = std::max(vmax, a);
    }
    const double pad = 0.08 * (vmax - vmin > 0 ? vmax - vmin : 1.0);
    const double W = 340.0, H = 200.0;
    const Frame f{u0, u1, vmin - pad, vmax + pad, 36.0, 8.0, W - 46.0, H - 34.0};
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + f1(W) + " " +
                    f1(H) + "\" class=\"weather\" font-size=\"8\" font-family=\"sans-serif\">\n";
    // Shaded areas: the region between the curve and lw2 from theta0 - theta1
    // to theta2 (nonzero fill covers both lobes), split at lw2 by clips.
    std::string poly = pt(f, from, w.lw2);
    for (double u : us)
        if (u > from && u < to) poly += " " + pt(f, u, leeward_arm(r.gz, starboard, u));
    poly = pt(f, from, w.lw2) + " " + pt(f, from, leeward_arm(r.gz, starboard, from)) + " " +
           poly.substr(poly.find(' ') + 1) + " " + pt(f, to, leeward_arm(r.gz, starboard, to)) +
           " " + pt(f, to, w.lw2);
    const std::string id = starboard ? "s" : "p";
    const std::string ylw2 = f1(f.y(w.lw2));
    s += "<defs><clipPath id=\"above-" + id + "\"><rect x=\"0\" y=\"0\" width=\"" + f1(W) +
         "\" height=\"" + ylw2 + "\"/></clipPath><clipPath id=\"below-" + id +
         "\"><rect x=\"0\" y=\"" + ylw2 + "\" width=\"" + f1(W) + "\" height=\"" + f1(H) +
         "\"/></clipPath></defs>\n";
    s += "<polygon points=\"" + poly +
         "\" fill=\"#f2a65a\" fill-opacity=\"0.55\" clip-path=\"url(#below-" + id + ")\"/>\n";
    s += "<polygon points=\"" + poly +
         "\" fill=\"#6cc070\" fill-opacity=\"0.55\" clip-path=\"url(#above-" + id + ")\"/>\n";
    // Axes and grid.
    s += "<rect x=\"" + f1(f.x0) + "\" y=\"" + f1(f.y0) + "\" width=\"" + f1(f.w) + "\" height=\"" +
         f1(f.h) + "\" fill=\"none\" stroke=\"#999\" stroke-width=\"0.5\"/>\n";
    for (double u = u0; u <= u1 + 1e-9; u += 10.0)
        s += "<line x1=\"" + f1(f.x(u)) + "\" y1=\"" + f1(f.y0) + "\" x2=\"" + f1(f.x(u)) +
             "\" y2=\"" + f1(f.y0 + f.h) +
             "\" stroke=\"#e4e4e4\" stroke-width=\"0.5\"/><text x=\"" + f1(f.x(u)) + "\" y=\"" +
             f1(f.y0 + f.h + 9) + "\" text-anchor=\"middle\">" + fixed(u, 0) + "</text>\n";
    s += "<text x=\"" + f1(f.x0 + f.w) + "\" y=\"" + f1(H - 3) +
         "\" text-anchor=\"end\">heel to leeward φ (°)</text>\n";
    s += "<line x1=\"" + f1(f.x0) + "\" y1=\"" + f1(f.y(0)) + "\" x2=\"" + f1(f.x0 + f.w) +
         "\" y2=\"" + f1(f.y(0)) + "\" stroke=\"#666\" stroke-width=\"0.6\"/><text x=\"" +
         f1(f.x0 - 3) + "\" y=\"" + f1(f.y(0) + 3) + "\" text-anchor=\"end\">0</text>\n";
    // The curve.
    std::string line;
    for (double u : us) {
        const double a = leeward_arm(r.gz, starboard, u);
        if (std::isfinite(a)) line += (line.empty() ? "" : " ") + pt(f, u, a);
    }
    s += "<polyline points=\"" + line +
         "\" fill=\"none\" stroke=\"#1f5fa8\" stroke-width=\"1.3\"/>\n";
    // The levers.
    const auto lever = [&](double v, const char* name, const char* dash) {
        return "<line x1=\"" + f1(f.x0) + "\" y1=\"" + f1(f.y(v)) + "\" x2=\"" + f1(f.x0 + f.w) +
               "\" y2=\"" + f1(f.y(v)) + "\" stroke=\"#b00\" stroke-width=\"0.9\"" +
               (dash[0] ? std::string(" stroke-dasharray=\"") + dash + "\"" : std::string()) +
               "/><text x=\"" + f1(f.x0 - 3) + "\" y=\"" + f1(f.y(v) + 3) +
               "\" text-anchor=\"end\" fill=\"#b00\">" + name + "</text>\n";
    };
    s += lever(w.lw1, "lw1", "3 2");
    s += lever(w.lw2, "lw2", "");
    const auto mark = [&](double u, const std::string& name, double dy) {
        return "<line x1=\"" + f1(f.x(u)) + "\" y1=\"" + f1(f.y0) + "\" x2=\"" + f1(f.x(u)) +
               "\" y2=\"" + f1(f.y0 + f.h) +
               "\" stroke=\"#555\" stroke-width=\"0.6\" "
               "stroke-dasharray=\"2 2\"/><text x=\"" +
               f1(f.x(u) + 2) + "\" y=\"" + f1(f.y0 + 9 + dy) + "\">" + name + "</text>\n";
    };
    s += mark(from, "θ0−θ1", 0);
    s += mark(w.theta0, "θ0", 10);
    s += mark(to, "θ2", 0);
    // The letters of the areas near their middles.
    const double ua = 0.5 * (from + w.theta0), ub = 0.5 * (w.theta0 + to);
    const double aa = leeward_arm(r.gz, starboard, ua), ab = leeward_arm(r.gz, starboard, ub);
    if (std::isfinite(aa))
        s += "<text x=\"" + f1(f.x(ua)) + "\" y=\"" + f1(f.y(0.5 * (aa + w.lw2)) + 3) +
             "\" font-size=\"11\" font-weight=\"bold\" text-anchor=\"middle\">a</text>\n";
    if (std::isfinite(ab))
        s += "<text x=\"" + f1(f.x(ub)) + "\" y=\"" + f1(f.y(0.5 * (ab + w.lw2)) + 3) +
             "\" font-size=\"11\" font-weight=\"bold\" text-anchor=\"middle\">b</text>\n";
    s += "</svg>\n";
    return s;
}

std::string weather_section(const LoadingResult& r) {
    std::string h =
        "<section id=\"weather\">\n<h2>Severe wind and rolling "
        "(weather criterion, IS Code 2008 A 2.3) <small>气象衡准</small></h2>\n";
    if (!r.weather) {
        h += "<p class=\"muted\">Not checked: the condition has no [weather] table. "
             "未校核.</p>\n</section>\n";
        return h;
    }
    const WeatherResult& wr = *r.weather;
    const WeatherSide* sides[2] = {&wr.starboard, &wr.port};
    const char* names[2] = {"heeling to starboard (wind from port)",
                            "heeling to port (wind from starboard)"};
    h += "<table class=\"data\"><tr><th></th><th>to starboard 右舷</th><th>to port "
         "左舷</th></tr>\n";
    const auto line = [&](const std::string& label, double WeatherSide::*m, int d) {
        std::string t = "<tr><th>" + label + "</th>";
        for (const WeatherSide* s : sides) t += num(fixed(s->*m, d));
        return t + "</tr>\n";
    };
    const auto opt_line = [&](const std::string& label, std::optional<double> WeatherSide::*m) {
        std::string t = "<tr><th>" + label + "</th>";
        for (const WeatherSide* s : sides) t += num(s->*m ? fixed(*(s->*m), 2) : "none up to 90");
        return t + "</tr>\n";
    };
    h += line("windage area A (m²)", &WeatherSide::windage_area, 1);
    h += line("centre of windage z (m)", &WeatherSide::windage_centre_z, 3);
    h += line("lateral centre z (m)", &WeatherSide::lateral_centre_z, 3);
    h += line("lever Z (m)", &WeatherSide::lever, 3);
    h += line("lw1, steady wind (m)", &WeatherSide::lw1, 4);
    h += line("lw2 = 1.5 lw1, gust (m)", &WeatherSide::lw2, 4);
    h += line("θ0, steady-wind heel (°)", &WeatherSide::theta0, 2);
    h += line("θ1, roll to windward (°)", &WeatherSide::theta1, 2);
    h += line("θ2 (°)", &WeatherSide::theta2, 2);
    h += opt_line("θc, second intercept of lw2 (°)", &WeatherSide::theta_c);
    h += opt_line("deck edge immersion (°)", &WeatherSide::deck_edge);
    h += line("roll period T (s)", &WeatherSide::roll_period, 2);
    h += line("X1", &WeatherSide::x1, 3);
    h += line("X2", &WeatherSide::x2, 3);
    h += line("k", &WeatherSide::k, 3);
    h += line("r", &WeatherSide::r, 3);
    h += line("s", &WeatherSide::s, 4);
    h += line("area a (m·rad)", &WeatherSide::area_a, 4);
    h += line("area b (m·rad)", &WeatherSide::area_b, 4);
    h += "</table>\n<div class=\"pair\">\n";
    for (int k = 0; k < 2; ++k)
        h += "<figure>" + weather_svg(r, *sides[k], k == 0) + "<figcaption>" + names[k] +
             "</figcaption></figure>\n";
    h += "</div>\n";
    for (const std::string& wn : wr.warnings) h += "<p class=\"warn\">⚠ " + esc(wn) + "</p>\n";
    h += "</section>\n";
    return h;
}

// One damage case: what floods, the damaged floating position with its
// section drawing, the residual curve, the openings and the criteria.
std::string damage_section(const LoadingResult& r, const DamageResult& d, std::size_t number) {
    const auto [pass, fail, unbalanced] = tally(d.criteria);
    std::string names;
    for (std::size_t i = 0; i < d.compartments.size(); ++i) {
        names += (i == 0 ? "" : ", ") + esc(d.compartments[i]);
        if (i < d.permeabilities.size() && i < d.compartment_volumes.size())
            names += " (μ " + fixed(d.permeabilities[i], 2) + ", " +
                     fixed(d.compartment_volumes[i], 1) + " m³)";
    }
    const char* status = d.status == "floats"     ? "floats 浮"
                         : d.status == "sinks"    ? "sinks 下沉"
                         : d.status == "capsizes" ? "capsizes 倾覆"
                                                  : "no equilibrium found 未求得平衡浮态";
    std::string h = "<section class=\"damage\" id=\"damage-" + std::to_string(number) +
                    "\"><h2>Damage case " + std::to_string(number) +
                    " <small>破损工况</small>: " + esc(d.name) + "</h2>\n";
    h += "<p class=\"summary\">Flooded 进水舱室: " + names + ". Status: <b>" + status +
         "</b>. Residual criteria, both sides: <b>" + std::to_string(pass) + " PASS</b>, <b>" +
         std::to_string(fail) + " FAIL</b>" +
         (unbalanced ? ", <b>" + std::to_string(unbalanced) + " NOT_BALANCED</b>" : "") + ".</p>\n";
    if (d.status == "floats") {
        const Equilibrium& e = d.equilibrium;
        h += "<div class=\"row2\">\n<div><table class=\"data\">\n";
        h += row("lost volume 损失浮力体积", fixed(d.lost_volume, 2) + " m³");
        h += row("sinkage amidships 中部下沉", fixed(d.sinkage, 3) + " m");
        h += row("heel 横倾", fixed(e.heel, 3) + "°");
        h += row("trim 纵倾", fixed(e.trim_deg, 3) + "°, " + fixed(e.trim_m, 3) + " m");
        h += row("draft at AP 尾吃水", fixed(e.draft_ap, 3) + " m");
        h += row("draft amidships 中吃水", fixed(e.draft_mid, 3) + " m");
        h += row("draft at FP 首吃水", fixed(e.draft_fp, 3) + " m");
        h += row("KM", fixed(d.stability.km, 3) + " m");
        h += row("GM solid (液面修正前)", fixed(d.stability.gm_solid, 3) + " m");
        h += "<tr><th><b>GM fluid (液面修正后)</b></th>" +
             num("<b>" + fixed(d.stability.gm_fluid, 3) + " m</b>") + "</tr>\n";
        h += "</table></div>\n";
        SectionView v = intact_view(r);
        v.equilibrium = e;
        v.flooded = d.flooded_extents;
        v.pattern = "flooded-" + std::to_string(number);
        h += "<figure style=\"margin:0\">" + section_svg(v) +
             "<figcaption>Midship section seen from aft with the damaged water line; hatched: "
             "the flooded compartments' extents.</figcaption></figure>\n</div>\n";
        h += embedded_chart(damage_gz_svg(d), "chart damage-chart");
        if (!d.downflooding.empty()) {
            h += "<table class=\"data\"><tr class=\"head\"><th>opening 开口</th><th "
                 "class=\"n\">height above water</th><th class=\"n\">immersed beyond φe, "
                 "starboard</th><th class=\"n\">port</th></tr>\n";
            for (const OpeningImmersion& o : d.downflooding)
                h += "<tr><td>" + esc(o.name) + "</td>" + num(fixed(o.height, 3) + " m") +
                     num(opt_angle(o.starboard)) + num(opt_angle(o.port)) + "</tr>\n";
            h += "</table>\n";
        }
    }
    h += "<table class=\"data criteria\">\n<tr class=\"head\"><th>MARPOL I</th>"
         "<th>criterion</th><th class=\"n\">limit</th><th class=\"n\">starboard</th><th>"
         "</th><th class=\"n\">port</th><th></th></tr>\n";
    h += criteria_rows(d.criteria);
    h += "</table>\n<p class=\"small\">Range, arm and area from the equilibrium heel towards each "
         "side; towards the other side of the list back through upright.</p>\n";
    for (const std::string& n : d.notes) h += "<p class=\"warn\">⚠ " + esc(n) + "</p>\n";
    h += "</section>\n";
    return h;
}

const char* kStyle = R"(
@page { size: A4; margin: 12mm 12mm 14mm 12mm; }
* { box-sizing: border-box; }
body { font-family: "Noto Sans", "DejaVu Sans", "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif;
       font-size: 9.5pt; color: #111; margin: 0 auto; max-width: 186mm; line-height: 1.3; }
h1 { font-size: 15pt; margin: 0 0 2mm 0; }
h2 { font-size: 11.5pt; margin: 4mm 0 1.5mm 0; border-bottom: 1px solid #999; break-after: avoid; page-break-after: avoid; }
h2 small, h1 small { font-weight: normal; color: #555; }
table { border-collapse: collapse; break-inside: avoid; page-break-inside: avoid; }
table.data { width: 100%; }
th, td { padding: 0.6mm 2mm; border-bottom: 1px solid #ddd; text-align: left; vertical-align: top; }
thead th, tr.head th { background: #eef1f5; border-bottom: 1px solid #999; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
td.pass { color: #116611; font-weight: bold; background: #e3f4e3; white-space: nowrap; }
td.fail { color: #a00000; font-weight: bold; background: #fbe2e2; white-space: nowrap; }
td.unb { color: #8a5a00; font-weight: bold; background: #fff2cc; white-space: nowrap; }
section.keep, figure, .pair { break-inside: avoid; page-break-inside: avoid; }
.row2 { display: flex; gap: 5mm; align-items: flex-start; break-inside: avoid; page-break-inside: avoid; }
.row2 > * { flex: 1 1 0; }
svg.section { width: 100%; max-height: 62mm; }
svg.chart { width: 100%; height: 105mm; display: block; }
#weather th, #weather td { padding: 0.25mm 2mm; font-size: 8.5pt; }
.pair { display: flex; gap: 4mm; }
.pair figure { flex: 1 1 0; margin: 2mm 0; }
figcaption { font-size: 8.5pt; color: #444; text-align: center; }
.muted { color: #555; }
td.nw { white-space: nowrap; }
.warn { color: #8a5a00; margin: 0.8mm 0; }
p.small, .small { font-size: 8pt; color: #444; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 6.8pt; word-break: break-all; }
#inputs td { padding: 0.2mm 2mm; font-size: 8pt; }
.summary { font-size: 10.5pt; margin: 1mm 0 2mm 0; }
)";

// Added for a condition with damage cases: each case starts a page.
const char* kDamageStyle = R"(section.damage { break-before: page; page-break-before: always; }
section.damage th, section.damage td { padding: 0.3mm 2mm; font-size: 8.5pt; }
section.damage svg.section { max-height: 48mm; }
svg.damage-chart { height: 72mm; }
)";

}  // namespace

std::string loading_html(const LoadingResult& r, const HtmlInputs& inputs) {
    const WeightSummary& w = r.weights;
    const Equilibrium& e = r.equilibrium;
    const StabilityAtRest& st = r.stability;
    const auto [pass, fail, unbalanced] = tally(r.criteria);

    std::string h =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Loading condition: " +
        esc(r.condition) + "</title>\n<style>" + kStyle + (r.damage.empty() ? "" : kDamageStyle) +
        "</style>\n</head>\n<body>\n";
    h += "<h1>Loading condition <small>装载工况</small>: " + esc(r.condition) + "</h1>\n";
    h += "<p class=\"summary\">Intact criteria, both sides: <b>" + std::to_string(pass) +
         " PASS</b>, <b>" + std::to_string(fail) + " FAIL</b>" +
         (unbalanced ? ", <b>" + std::to_string(unbalanced) + " NOT_BALANCED</b>" : std::string()) +
         (r.weather ? "" : "; weather criterion not checked") + ".</p>\n";

    // Particulars.
    h += "<section class=\"keep\"><h2>Hull <small>船体</small></h2>\n<table class=\"data\">\n";
    h += "<tr><th>hull model</th><td>" + esc(r.hull) + "</td></tr>\n";
    h += row("length between perpendiculars Lpp", fixed(r.lpp, 3) + " m");
    h += row("moulded breadth B", fixed(r.breadth, 3) + " m");
    h += row("water density ρ", fixed(r.water_density, 4) + " t/m³");
    h +=
        "</table>\n<p class=\"small\">Body coordinates: x forward from the aft perpendicular, y to "
        "port, z up from the base plane. Heel &gt; 0 with the starboard (−y) side down; trim &gt; "
        "0 by the stern.</p></section>\n";

    // Weights.
    h += "<section><h2>Weights and tanks <small>重量与液舱</small></h2>\n";
    h += "<table class=\"data\"><tr class=\"head\"><th>fixed weight</th><th class=\"n\">mass "
         "(t)</th><th class=\"n\">x (m)</th><th class=\"n\">y (m)</th><th class=\"n\">z "
         "(m)</th></tr>\n";
    for (const FixedWeight& f : w.fixed)
        h += "<tr><td>" + esc(f.name) + "</td>" + num(fixed(f.mass, 2)) +
             num(fixed(f.centre.x, 3)) + num(fixed(f.centre.y, 3)) + num(fixed(f.centre.z, 3)) +
             "</tr>\n";
    h += "</table>\n";
    if (w.tanks.empty()) {
        h += "<p>No tanks.</p>\n";
    } else {
        h += "<table class=\"data\"><tr class=\"head\"><th>tank</th><th class=\"n\">capacity "
             "(m³)</th><th class=\"n\">volume (m³)</th><th class=\"n\">fill</th><th "
             "class=\"n\">mass (t)</th><th class=\"n\">x (m)</th><th class=\"n\">y (m)</th><th "
             "class=\"n\">z (m)</th><th class=\"n\">FSM (t·m)</th></tr>\n";
        for (const TankState& t : w.tanks)
            h += "<tr><td>" + esc(t.name) + "</td>" + num(fixed(t.capacity, 1)) +
                 num(fixed(t.volume, 1)) + num(fixed(100.0 * t.fill, 1) + " %") +
                 num(fixed(t.mass, 2)) + num(fixed(t.centre.x, 3)) + num(fixed(t.centre.y, 3)) +
                 num(fixed(t.centre.z, 3)) + num(fixed(t.free_surface_moment, 2)) + "</tr>\n";
        h += "</table>\n<p class=\"small\">Liquid centres and free-surface moments (FSM) at the "
             "floating position.</p>\n";
    }
    h += "<table class=\"data\">\n";
    h += row("displacement Δ", fixed(w.displacement, 2) + " t");
    h += row("displaced volume ∇", fixed(w.volume, 3) + " m³");
    h += row("centre of gravity G (x, y, z)", fixed(w.centre_of_gravity.x, 3) + ", " +
                                                  fixed(w.centre_of_gravity.y, 3) + ", " +
                                                  fixed(w.centre_of_gravity.z, 3) + " m");
    h += "</table>\n</section>\n";

    // Floating position and stability at rest.
    h += "<section class=\"keep\"><h2>Floating position and stability <small>浮态与稳性高"
         "</small></h2>\n<div class=\"row2\">\n<div><table class=\"data\">\n";
    h += row("heel 横倾", fixed(e.heel, 3) + "°");
    h += row("trim 纵倾", fixed(e.trim_deg, 3) + "°, " + fixed(e.trim_m, 3) + " m");
    h += row("draft at AP 尾吃水", fixed(e.draft_ap, 3) + " m");
    h += row("draft amidships 中吃水", fixed(e.draft_mid, 3) + " m");
    h += row("draft at FP 首吃水", fixed(e.draft_fp, 3) + " m");
    h += row("centre of buoyancy B",
             fixed(e.B.x, 3) + ", " + fixed(e.B.y, 3) + ", " + fixed(e.B.z, 3) + " m");
    h += row("KM", fixed(st.km, 3) + " m");
    h += row("KG", fixed(st.kg, 3) + " m");
    h += row("GM solid (液面修正前)", fixed(st.gm_solid, 3) + " m");
    h += row("free-surface correction FSC", fixed(st.free_surface_correction, 3) + " m");
    h += "<tr><th><b>GM fluid (液面修正后)</b></th>" +
         num("<b>" + fixed(st.gm_fluid, 3) + " m</b>") + "</tr>\n";
    h += "</table></div>\n<figure style=\"margin:0\">" + section_svg(intact_view(r)) +
         "<figcaption>Midship section (x = Lpp/2) seen from aft: the hull's extent in y and z "
         "(solid box), the moulded breadth (dashed), the water line of the floating position, G "
         "and B. The box is the hull's extent, not its section shape.</figcaption></figure>\n"
         "</div>\n";
    if (r.listed_side)
        h += "<p>The ship lists to " + esc(*r.listed_side) + " (" + fixed(r.list_deg, 3) +
             "°): the areas of that side are measured from the equilibrium heel.</p>\n";
    h += "</section>\n";

    // GZ.
    h += "<section class=\"keep\"><h2>Righting arms <small>GZ 曲线</small></h2>\n" +
         gz_chart_svg(r) +
         "<table class=\"data\"><tr class=\"head\"><th></th><th "
         "class=\"n\">starboard 右舷</th><th class=\"n\">port 左舷</th></tr>\n";
    h += "<tr><th>largest GZ</th>" +
         num(fixed(r.gz_max_starboard, 3) + " m at " + fixed(r.gz_max_starboard_deg, 1) + "°") +
         num(fixed(r.gz_max_port, 3) + " m at " + fixed(r.gz_max_port_deg, 1) + "°") + "</tr>\n";
    h += "<tr><th>angle of vanishing stability</th>" + num(opt_angle(r.vanishing.starboard)) +
         num(opt_angle(r.vanishing.port)) + "</tr>\n";
    const auto flood = [](const std::optional<double>& a, const std::optional<std::string>& n) {
        return opt_angle(a) + (a && n ? " (" + esc(*n) + ")" : std::string());
    };
    h += "<tr><th>downflooding angle θf 进水角</th>" +
         num(flood(r.downflooding.starboard, r.downflooding_opening_starboard)) +
         num(flood(r.downflooding.port, r.downflooding_opening_port)) + "</tr>\n</table>\n";
    h += "<p class=\"small\">With the liquids shifting and free trim at every heel; the table of "
         "arms is in the _gz.csv file.</p></section>\n";

    // Criteria.
    h += "<section class=\"keep\"><h2>Criteria <small>完整稳性衡准</small> (IS Code 2008)</h2>"
         "\n<table class=\"data\" id=\"criteria\">\n<tr class=\"head\"><th>clause</th>"
         "<th>criterion</th><th class=\"n\">limit</th><th class=\"n\">starboard</th><th>"
         "</th><th class=\"n\">port</th><th></th></tr>\n";
    h += criteria_rows(r.criteria);
    h += "</table>\n<p class=\"small\">NOT_BALANCED: the value uses a point whose trim balancing "
         "stopped at its bound.</p></section>\n";

    h += weather_section(r);
    for (std::size_t i = 0; i < r.damage.size(); ++i) h += damage_section(r, r.damage[i], i + 1);

    // Notes.
    h += "<section><h2>Notes and warnings <small>说明与警告</small></h2>\n";
    if (r.notes.empty())
        h += "<p class=\"muted\">None.</p>\n";
    else {
        h += "<ul>\n";
        for (const std::string& n : r.notes) h += "<li class=\"warn\">" + esc(n) + "</li>\n";
        h += "</ul>\n";
    }
    h += "</section>\n";

    // Inputs.
    h += "<section id=\"inputs\"><h2>Input files <small>输入文件</small></h2>\n<table "
         "class=\"data\"><tr class=\"head\"><th>file</th><th>path</th><th>SHA-256</th></tr>\n";
    for (const HtmlInputFile& f : inputs.files)
        h += "<tr><td class=\"nw\">" + esc(f.role) + "</td><td>" + esc(f.path) + "</td><td><code>" +
             esc(f.sha256) + "</code></td></tr>\n";
    h += "</table>\n<p class=\"small\">Written by loading_condition " + esc(inputs.version) +
         ".</p></section>\n";
    h += "</body>\n</html>\n";
    return h;
}

}  // namespace voxel
