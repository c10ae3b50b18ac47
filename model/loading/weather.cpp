#include "model/loading/weather.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kernel/platform/number_format.h"
#include "kernel/polygon2.h"
#include "kernel/section_polygon.h"
#include "model/body/facet_tree.h"
#include "model/loading/curve_measures.h"

namespace voxel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kWindPressure = 504.0;  // Pa
constexpr double kGravity = 9.81;        // m/s^2
constexpr double kMaxPanel = 1.0;        // degrees, the widest Simpson panel of the areas

// Area and first moments of the two parts of the section. A convex polygon
// (x, z) cut by the line f = A x + C z + D = 0 keeps its points with f > 0 in
// the part above and those with f <= 0 below, with the crossings of its edges
// in both (Sutherland-Hodgman against each half plane). Each part's signed
// area and moments come from the shoelace sums
//   2 A = sum (x_i z_j - x_j z_i),  6 A cx = sum (x_i + x_j)(x_i z_j - x_j z_i),
// j = i + 1, taken positive and multiplied by the polygon's weight.
class PartedSums {
  public:
    explicit PartedSums(const Plane& water) : w_(water) {}

    void extend(const Point2&) {}
    void add_polygon(int n, const Point2* pts, double weight, bool /*outline*/) {
        Point2 above[8], below[8];
        int na = 0, nb = 0;
        for (int i = 0; i < n; ++i) {
            const Point2& p = pts[i];
            const Point2& q = pts[(i + 1) % n];
            const double fp = f(p), fq = f(q);
            if (fp > 0.0)
                above[na++] = p;
            else
                below[nb++] = p;
            if ((fp > 0.0) != (fq > 0.0)) {
                const double s = fp / (fp - fq);
                const Point2 c{p.x + (q.x - p.x) * s, p.y + (q.y - p.y) * s};
                above[na++] = c;
                below[nb++] = c;
            }
        }
        add(na, above, weight, a_);
        add(nb, below, weight, b_);
    }

    CentrePlaneSection result() const {
        CentrePlaneSection s;
        s.above_area = a_[0];
        s.above_x = a_[1] / a_[0];
        s.above_z = a_[2] / a_[0];
        s.below_area = b_[0];
        s.below_x = b_[1] / b_[0];
        s.below_z = b_[2] / b_[0];
        return s;
    }

  private:
    double f(const Point2& p) const { return (w_.A * p.x + w_.C * p.y) + w_.D; }
    static void add(int n, const Point2* p, double weight, double sum[3]) {
        if (n < 3) return;
        double a2 = 0.0, mx = 0.0, mz = 0.0;
        for (int i = 0; i < n; ++i) {
            const Point2& u = p[i];
            const Point2& v = p[(i + 1) % n];
            const double c = u.x * v.y - v.x * u.y;
            a2 += c;
            mx += (u.x + v.x) * c;
            mz += (u.y + v.y) * c;
        }
        const double sign = a2 < 0.0 ? -1.0 : 1.0;
        sum[0] += weight * (sign * a2 / 2.0);
        sum[1] += weight * (sign * mx / 6.0);
        sum[2] += weight * (sign * mz / 6.0);
    }

    Plane w_;
    double a_[3] = {0.0, 0.0, 0.0};
    double b_[3] = {0.0, 0.0, 0.0};
};

// y = table(x), linear between the points and held at the ends.
double interpolate(const double* xs, const double* ys, int n, double x) {
    if (x <= xs[0]) return ys[0];
    for (int i = 1; i < n; ++i)
        if (x <= xs[i])
            return ys[i - 1] + (ys[i] - ys[i - 1]) * ((x - xs[i - 1]) / (xs[i] - xs[i - 1]));
    return ys[n - 1];
}

// The curve of the leeward side over both sides of upright (degrees, m).
struct Curve {
    SideArms& lee;
    SideArms& wind;
    bool balanced = true;

    double operator()(double phi) {
        if (phi >= 0.0) {
            balanced = balanced && lee.balanced(phi);
            return lee.gz(phi);
        }
        balanced = balanced && wind.balanced(-phi);
        return -wind.gz(-phi);
    }
};

// A root of g between lo and hi (g(lo) and g(hi) of opposite signs, or
// g(hi) zero): bisected down to kAngleWidth, then the chord through the
// bracket's ends.
template <class G>
double root(double lo, double hi, G&& g) {
    double glo = g(lo), ghi = g(hi);
    const bool rising = glo < 0.0;
    while (hi - lo > kAngleWidth) {
        const double m = 0.5 * (lo + hi);
        const double gm = g(m);
        if ((gm >= 0.0) == rising) {
            hi = m;
            ghi = gm;
        } else {
            lo = m;
            glo = gm;
        }
    }
    if (glo == ghi) return hi;
    return lo + (hi - lo) * (glo / (glo - ghi));
}

// Integral (m*rad) of g from a to b (degrees, a <= b) by Simpson's rule over
// panels ending at the multiples of `panel` between a and b (so that the
// grid's kept arms serve as ends) and at a and b, each with its middle
// computed.
template <class G>
double integral(double a, double b, double panel, G&& g) {
    if (!(b > a)) return 0.0;
    double sum = 0.0;
    double x0 = a;
    double g0 = g(a);
    long k = static_cast<long>(std::floor(a / panel)) + 1;
    while (x0 < b) {
        double x1 = k * panel;
        ++k;
        if (x1 <= x0 + 1e-9) continue;
        if (x1 > b - 1e-9) x1 = b;
        const double g1 = g(x1);
        const double gm = g(0.5 * (x0 + x1));
        sum += (to_radians(x1 - x0) / 6.0) * ((g0 + 4.0 * gm) + g1);
        x0 = x1;
        g0 = g1;
    }
    return sum;
}

std::string side_text(const SideArms& s) {
    return s.sigma() < 0.0 ? "右舷" : "左舷";
}

}  // namespace

CentrePlaneSection centre_plane_section(const Body& body, const Plane& water) {
    Plane centre;
    centre.set(0.0, 1.0, 0.0, 0.0);
    const auto project = [](const Point3& q) { return Point2{q.x, q.z}; };
    PartedSums sums(water);
    for (int i = 0; i < body.group_count(); ++i) {
        const BodyGroup& g = body.group(i);
        if (g.mesh >= 0) {
            add_surface_section(body.mesh(g), centre, project, g.weight, sums, [](const Facet&) {});
            continue;
        }
        for (int j = 0; j < g.count; ++j) {
            const TetraVertices& t = body.tetrahedron(g.first + static_cast<std::size_t>(j));
            SectionPolygon s;
            if (!section_polygon(t, centre, s)) continue;
            if (face_on_plane_from_below(t, centre)) continue;
            Point2 pts[4];
            for (int k = 0; k < s.count; ++k) pts[k] = project(s.point[k]);
            sums.add_polygon(s.count, pts, g.weight, true);
        }
    }
    return sums.result();
}

double weather_x1(double v) {
    static const double xs[12] = {2.4, 2.5, 2.6, 2.7, 2.8, 2.9, 3.0, 3.1, 3.2, 3.3, 3.4, 3.5};
    static const double ys[12] = {1.00, 0.98, 0.96, 0.95, 0.93, 0.91,
                                  0.90, 0.88, 0.86, 0.84, 0.82, 0.80};
    return interpolate(xs, ys, 12, v);
}

double weather_x2(double v) {
    static const double xs[6] = {0.45, 0.50, 0.55, 0.60, 0.65, 0.70};
    static const double ys[6] = {0.75, 0.82, 0.89, 0.95, 0.97, 1.00};
    return interpolate(xs, ys, 6, v);
}

double weather_k(double v) {
    static const double xs[8] = {0.0, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0};
    static const double ys[8] = {1.00, 0.98, 0.95, 0.88, 0.79, 0.74, 0.72, 0.70};
    return interpolate(xs, ys, 8, v);
}

double weather_s(double v) {
    static const double xs[8] = {6.0, 7.0, 8.0, 12.0, 14.0, 16.0, 18.0, 20.0};
    static const double ys[8] = {0.100, 0.098, 0.093, 0.065, 0.053, 0.044, 0.038, 0.035};
    return interpolate(xs, ys, 8, v);
}

namespace {

// T = 2 C B / sqrt(GM), C = 0.373 + 0.023 (B/d) - 0.043 (Lwl/100); s.
double roll_period(const WeatherInput& in) {
    const double d = in.draft_mid, B = in.breadth;
    const double C = (0.373 + 0.023 * (B / d)) - 0.043 * (in.waterline_length / 100.0);
    return 2.0 * C * B / std::sqrt(in.gm_fluid);
}

}  // namespace

std::vector<std::string> weather_warnings(const WeatherInput& in) {
    std::vector<std::string> w;
    const double d = in.draft_mid;
    const double bd = in.breadth / d, ogd = (in.kg - d) / d;
    if (bd < 2.4 || bd > 3.5)
        w.push_back("风浪准则: B/d = " + format_number(bd) +
                    " 不在 2.4 到 3.5 之间, X1 取表的端值.");
    if (ogd < -0.3 || ogd > 0.5)
        w.push_back("风浪准则: OG/d = " + format_number(ogd) + " 不在 -0.3 到 0.5 之间.");
    if (!(in.gm_fluid > 0.0)) {
        w.push_back("风浪准则: GM (液面修正后) = " + format_number(in.gm_fluid) +
                    " m 不大于 0, 横摇周期无定义, 准则无法计算.");
        return w;
    }
    const double T = roll_period(in);
    if (T < 6.0 || T > 20.0)
        w.push_back("风浪准则: 横摇周期 T = " + format_number(T) +
                    " s 不在 6 到 20 s 之间, s 取表的端值.");
    return w;
}

// The windage area A (m^2) at height z of its centre above water, and the
// underwater lateral area's centre z_L: the wind's lever Z = z - z_L (or
// z - d/2); its arm lw1 = P A Z / (1000 g Delta) m, the gust's lw2 = 1.5
// lw1. theta0 solves GZ(theta0) = lw1 on the leeward curve; the roll back
// to windward ends at theta0 - theta1; area a lies between lw2 and the curve
// from there to the first intercept theta_i of lw2, area b between the curve
// and lw2 from theta_i to theta2 = min(theta_f, 50, theta_c).
WeatherSideOutcome weather_side(const WeatherInput& in, const CentrePlaneSection& section,
                                SideArms& leeward, SideArms& windward) {
    WeatherSideOutcome out;
    WeatherSide& w = out.side;
    const WeatherEntry& entry = *in.entry;
    const std::string side = side_text(leeward);

    // The windage and its lever.
    double A = 0.0, Az = 0.0;
    if (entry.hull_profile && section.above_area > 0.0) {
        A = section.above_area;
        Az = section.above_area * section.above_z;
    }
    for (const auto& poly : entry.profile) {
        const std::size_t n = poly.size();
        double a2 = 0.0, mz = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto& u = poly[i];
            const auto& v = poly[(i + 1) % n];
            const double c = u.first * v.second - v.first * u.second;
            a2 += c;
            mz += (u.second + v.second) * c;
        }
        const double sign = a2 < 0.0 ? -1.0 : 1.0;
        A += sign * a2 / 2.0;
        Az += sign * mz / 6.0;
    }
    w.windage_area = A;
    w.windage_centre_z = A > 0.0 ? Az / A : kNaN;
    w.lateral_centre_z = entry.lateral_centre_z ? *entry.lateral_centre_z : section.below_z;
    w.lever = entry.lever_half_draft ? w.windage_centre_z - 0.5 * in.draft_mid
                                     : w.windage_centre_z - w.lateral_centre_z;
    w.lw1 = (kWindPressure * A * w.lever) / (1000.0 * kGravity * in.displacement);
    w.lw2 = 1.5 * w.lw1;

    // The roll-back angle.
    const double d = in.draft_mid, B = in.breadth, L = in.waterline_length;
    const double CB = in.volume / ((L * B) * d);
    w.x1 = weather_x1(B / d);
    w.x2 = weather_x2(CB);
    w.k = entry.sharp_bilge ? 0.7 : weather_k(100.0 * entry.bilge_keel_area / (L * B));
    w.r = 0.73 + 0.6 * ((in.kg - d) / d);
    w.theta0 = w.theta1 = w.theta2 = w.roll_period = w.s = w.area_a = w.area_b = kNaN;

    // The deck edge's immersion: the point on the leeward side.
    if (entry.deck_edge) {
        Point3 q = *entry.deck_edge;
        q.y = leeward.sigma() < 0.0 ? -std::fabs(q.y) : std::fabs(q.y);
        auto wet = [&](double deg) {
            return leeward.water_plane(deg).plane.signed_distance(q) <= 0.0;
        };
        double prev = 0.0;
        const long n = std::lround(90.0 / in.heel_step);
        for (long i = 0; i <= n; ++i) {
            const double at = i * in.heel_step;
            if (wet(at)) {
                w.deck_edge = at == 0.0 ? 0.0 : bisect_angle(prev, at, wet);
                break;
            }
            prev = at;
        }
    }
    out.heel_limit = w.deck_edge ? std::min(16.0, 0.8 * *w.deck_edge) : 16.0;

    if (!(A > 0.0)) {
        out.notes.push_back("风浪准则 (" + side + "为下风舷): 受风面积为 0, 判为不满足.");
        return out;
    }
    if (!(in.gm_fluid > 0.0)) {
        out.notes.push_back("风浪准则 (" + side +
                            "为下风舷): GM 不大于 0, 横摇周期无定义, 判为不满足.");
        return out;
    }
    w.roll_period = roll_period(in);
    w.s = weather_s(w.roll_period);
    w.theta1 = 109.0 * w.k * w.x1 * w.x2 * std::sqrt(w.r * w.s);
    if (!(w.r * w.s >= 0.0)) {
        out.notes.push_back("风浪准则 (" + side + "为下风舷): r = " + format_number(w.r) +
                            " 为负, 横摇角无定义, 判为不满足.");
        return out;
    }

    Curve F{leeward, windward};
    const double step = in.heel_step;
    const double panel = step / std::ceil(step / kMaxPanel - 1e-9);

    // theta0: where the curve, rising, meets lw1, from upright to leeward, or
    // to windward when the arm at upright already exceeds lw1.
    auto g1 = [&](double phi) { return F(phi) - w.lw1; };
    double theta0 = kNaN;
    const long n = std::lround(90.0 / step);
    if (g1(0.0) < 0.0) {
        for (long i = 1; i <= n; ++i)
            if (g1(i * step) >= 0.0) {
                theta0 = root((i - 1) * step, i * step, g1);
                break;
            }
    } else {
        for (long i = 1; i <= n; ++i)
            if (g1(-(i * step)) < 0.0) {
                theta0 = root(-(i * step), -((i - 1) * step), g1);
                break;
            }
    }
    if (std::isnan(theta0)) {
        out.notes.push_back("风浪准则 (" + side + "为下风舷): 风倾力臂 lw1 = " +
                            format_number(w.lw1) + " m 大于复原力臂, 无风倾平衡角, 判为不满足.");
        out.balanced = F.balanced;
        return out;
    }
    w.theta0 = theta0;
    const double start = theta0 - w.theta1;

    // The intercepts of lw2.
    auto g2 = [&](double phi) { return F(phi) - w.lw2; };
    double theta_i = kNaN;
    if (g2(start) >= 0.0) {
        theta_i = start;
    } else {
        double prev = start;
        for (long k = static_cast<long>(std::floor(start / step)) + 1; k <= n; ++k) {
            const double deg = k * step;
            if (g2(deg) >= 0.0) {
                theta_i = root(prev, deg, g2);
                break;
            }
            prev = deg;
        }
    }
    if (std::isnan(theta_i)) {
        out.notes.push_back("风浪准则 (" + side + "为下风舷): 阵风倾侧力臂 lw2 = " +
                            format_number(w.lw2) + " m 大于复原力臂, 判为不满足.");
        w.area_a = integral(start, 90.0, panel, [&](double phi) { return w.lw2 - F(phi); });
        w.area_b = 0.0;
        out.balanced = F.balanced;
        out.computed = true;
        return out;
    }
    {
        double prev = theta_i;
        for (long k = static_cast<long>(std::floor(theta_i / step)) + 1; k <= n; ++k) {
            const double deg = k * step;
            if (g2(deg) < 0.0) {
                w.theta_c = root(prev, deg, g2);
                break;
            }
            prev = deg;
        }
    }
    double theta2 = 50.0;
    const std::optional<double>& tf =
        leeward.sigma() < 0.0 ? in.downflooding.starboard : in.downflooding.port;
    if (tf) theta2 = std::min(theta2, *tf);
    if (w.theta_c) theta2 = std::min(theta2, *w.theta_c);
    w.theta2 = theta2;
    w.area_a = integral(start, theta_i, panel, [&](double phi) { return w.lw2 - F(phi); });
    w.area_b = integral(theta_i, theta2, panel, [&](double phi) { return F(phi) - w.lw2; });
    out.balanced = F.balanced;
    out.computed = true;
    return out;
}

}  // namespace voxel
