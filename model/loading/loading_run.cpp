#include "model/loading/loading_run.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>

#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/task_pool.h"
#include "model/loading/curve_measures.h"
#include "model/loading/damage.h"
#include "model/loading/side_arms.h"
#include "model/loading/weather.h"
#include "model/stability/equilibrium_iteration.h"

namespace voxel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Peak {
    double deg = 0.0;
    double gz = kNaN;
    bool balanced = true;
};

// The largest arm of the grid from `from` (degrees) on, then climbed by
// halving steps and settled on the nearest multiples of kMaxWidth.
Peak largest_arm(SideArms& arms, const std::vector<double>& grid, double step, double from) {
    Peak p;
    for (double deg : grid) {
        if (deg < from - kOnGrid) continue;
        const double g = arms.gz(deg);
        if (std::isnan(p.gz) || g > p.gz) {
            p.gz = g;
            p.deg = deg;
        }
    }
    if (std::isnan(p.gz)) return p;
    const double lo = std::max(from, 0.0), hi = 90.0;
    double best = p.deg;
    for (double s = 0.5 * step; s >= 0.5 * kMaxWidth; s *= 0.5) {
        for (double c : {best - s, best + s}) {
            if (c < lo || c > hi) continue;
            if (arms.gz(c) > arms.gz(best)) best = c;
        }
    }
    const double snapped = std::round(best / kMaxWidth) * kMaxWidth;
    p.deg = snapped;
    p.gz = kNaN;
    for (double c : {snapped - kMaxWidth, snapped, snapped + kMaxWidth}) {
        const double cc = std::round(c / kMaxWidth) * kMaxWidth;
        if (cc < lo - kOnGrid || cc > hi + kOnGrid) continue;
        const double g = arms.gz(cc);
        if (std::isnan(p.gz) || g > p.gz) {
            p.gz = g;
            p.deg = cc;
        }
    }
    p.balanced = arms.balanced(p.deg);
    return p;
}

}  // namespace

double total_mass(const LoadedCondition& c) {
    double M = c.condition.lightship.mass;
    for (const FixedWeight& w : c.condition.items) M += w.mass;
    for (const Tank& t : c.tanks) M += t.mass;
    return M;
}

Point3 gravity_at(const LoadedCondition& c, const Point3& N) {
    const FixedWeight& l = c.condition.lightship;
    double M = l.mass;
    double mx = l.mass * l.centre.x, my = l.mass * l.centre.y, mz = l.mass * l.centre.z;
    for (const FixedWeight& w : c.condition.items) {
        M += w.mass;
        mx += w.mass * w.centre.x;
        my += w.mass * w.centre.y;
        mz += w.mass * w.centre.z;
    }
    for (const Tank& t : c.tanks) {
        M += t.mass;
        if (t.mass == 0.0) continue;
        const Point3 q = liquid_at(t, N).centre;
        mx += t.mass * q.x;
        my += t.mass * q.y;
        mz += t.mass * q.z;
    }
    return {mx / M, my / M, mz / M};
}

LoadingOutcome compute_loading(const LoadedCondition& c, int threads, const TrimBounds& bounds) {
    LoadingOutcome out;
    LoadingResult& r = out.result;
    const VoxelGroup& hull = *c.hull;
    r.condition = c.display_name;
    r.hull = c.hull_as_given;
    r.water_density = c.water_density;
    r.lpp = c.lpp;
    r.breadth = c.breadth;
    r.hull_box = hull.box();

    const double M = total_mass(c);
    const double V = M / c.water_density;
    const double hull_volume = hull.total_volume();
    if (!(M > 0.0)) {
        out.errors.push_back("总质量为 " + format_number(M) + " t, 船不受重力, 无浮态可求.");
        return out;
    }
    if (!(V < hull_volume)) {
        out.errors.push_back("排水体积 " + format_number(V) + " m^3 不小于船体的总体积 " +
                             format_number(hull_volume) + " m^3: 船下沉 (sinks).");
        return out;
    }

    const GravityAt G_at = [&c](const Point3& N) { return gravity_at(c, N); };

    // The floating position, liquids settled with the body.
    std::vector<std::string> stall_notes;
    IterationDialogue quiet{[](const std::string&) {}, [] { return EOF; },
                            [&stall_notes](const std::string& n) { stall_notes.push_back(n); }};
    const IterationOutcome eq = iterate_floating_attitude(hull, V, G_at, quiet);
    for (const std::string& n : stall_notes) r.notes.push_back(n);
    if (!eq.converged()) {
        out.errors.push_back("未求得平衡浮态: 重力与浮力作用线的距离 " + format_number(eq.d) +
                             " 大于允许值 " + format_number(eq.d_error) + ".");
        return out;
    }
    if (eq.capsized()) {
        out.errors.push_back("平衡浮态中水面法向朝下 (倾角 " + format_number(eq.tilt_degrees()) +
                             " 度): 船已倾覆 (capsized).");
        return out;
    }
    const Plane plane = unit_plane(eq.plane);
    const Point3 N{plane.A, plane.B, plane.C};
    const Point3 G = G_at(N);
    r.equilibrium = equilibrium_of(plane, eq.B, c.lpp);
    const Equilibrium& e = r.equilibrium;

    // Weights at the floating position.
    WeightSummary& w = r.weights;
    FixedWeight light = c.condition.lightship;
    if (light.name.empty()) light.name = "lightship";
    w.fixed.push_back(light);
    for (const FixedWeight& item : c.condition.items) w.fixed.push_back(item);
    const Point3 axis = carried_heel_axis(N);
    double fsm_sum = 0.0;
    for (const Tank& t : c.tanks) {
        TankState s;
        s.name = t.entry.name;
        s.capacity = t.capacity;
        s.volume = t.volume;
        s.mass = t.mass;
        s.fill = t.capacity > 0.0 ? t.volume / t.capacity : 0.0;
        s.centre = liquid_at(t, N).centre;
        s.free_surface_moment = free_surface_moment(t, N, axis);
        fsm_sum += s.free_surface_moment;
        w.tanks.push_back(s);
    }
    w.displacement = M;
    w.volume = V;
    w.centre_of_gravity = G;

    // Stability at rest.
    StabilityAtRest& st = r.stability;
    const WaterplaneProps wp = hull.waterplane(plane, axis);
    st.km = eq.B.z + wp.IT / V;
    st.kg = G.z;
    st.gm_solid = st.km - st.kg;
    st.free_surface_correction = fsm_sum / M;
    st.gm_fluid = st.gm_solid - st.free_surface_correction;
    if (st.gm_fluid < 0.0)
        r.notes.push_back("浮态的 GM (液面修正后) 为负 (" + format_number(st.gm_fluid) +
                          " m): 此平衡不稳定, 稍有扰动船即倾至别的平衡角 (GZ 曲线的零点).");

    // The GZ grid, both sides, shared among the threads.
    const double step = c.condition.heel_step;
    GzCurves& gz = r.gz;
    std::vector<ArmResult> grid;
    SideArms sides[2] = {SideArms(hull, V, G_at, -1.0, bounds),
                         SideArms(hull, V, G_at, 1.0, bounds)};
    gz_grid(hull, V, G_at, step, threads, bounds, gz, grid, sides);
    const int n = static_cast<int>(gz.heel_deg.size());

    // The listed side measures its areas from the equilibrium heel.
    const double list = std::fabs(e.heel);
    const int listed = list > kOnGrid ? (e.heel > 0.0 ? 0 : 1) : -1;
    if (listed >= 0) {
        r.listed_side = listed == 0 ? "starboard" : "port";
        r.list_deg = list;
    }

    // Downflooding: the least heel whose balanced water plane reaches an
    // opening.
    auto flooded_opening = [&](SideArms& s, double deg) -> const Opening* {
        const ArmResult& a = s.at(deg);
        const WaterPlane wpl = hull.find_water_plane(V, a.state.N);
        for (const Opening& o : c.condition.openings)
            if (wpl.plane.signed_distance(o.point) <= 0.0) return &o;
        return nullptr;
    };
    double theta_f[2] = {kNaN, kNaN};
    Peak peaks[2];
    struct Values {
        double v[6];
        bool balanced[6];
    } values[2];
    // The two sides are independent of each other: each computes the states
    // it needs between the grid's angles in its own store.
    auto side_work = [&](int side) {
        SideArms& s = sides[side];
        for (int i = 0; i < n && !c.condition.openings.empty(); ++i) {
            const double deg = gz.heel_deg[static_cast<std::size_t>(i)];
            if (!flooded_opening(s, deg)) continue;
            const double at =
                i == 0 ? 0.0
                       : bisect_angle(gz.heel_deg[static_cast<std::size_t>(i - 1)], deg,
                                      [&](double m) { return flooded_opening(s, m) != nullptr; });
            theta_f[side] = at;
            const std::string name = flooded_opening(s, at)->name;
            (side == 0 ? r.downflooding.starboard : r.downflooding.port) = at;
            (side == 0 ? r.downflooding_opening_starboard : r.downflooding_opening_port) = name;
            break;
        }

        // The largest arm and the angle of vanishing stability beyond it.
        peaks[side] = largest_arm(s, gz.heel_deg, step, 0.0);
        const std::vector<double>& arm = side == 0 ? gz.starboard : gz.port;
        for (int i = 1; i < n; ++i) {
            const double prev = gz.heel_deg[static_cast<std::size_t>(i - 1)];
            const double deg = gz.heel_deg[static_cast<std::size_t>(i)];
            if (deg <= peaks[side].deg) continue;
            if (arm[static_cast<std::size_t>(i - 1)] > 0.0 &&
                !(arm[static_cast<std::size_t>(i)] > 0.0)) {
                const double lo = std::max(prev, peaks[side].deg);
                const double v = bisect_angle(lo, deg, [&](double m) { return !(s.gz(m) > 0.0); });
                (side == 0 ? r.vanishing.starboard : r.vanishing.port) = v;
                break;
            }
        }

        // The values of the criteria.
        const double from = side == listed ? list : 0.0;
        const double end40 = std::isnan(theta_f[side]) ? 40.0 : std::min(40.0, theta_f[side]);
        const Area a30 = area_between(s, step, from, 30.0);
        const Area a40 = area_between(s, step, from, end40);
        const Area a3040 = area_between(s, step, std::max(30.0, from), end40);
        double gz30 = kNaN;
        bool gz30_balanced = true;
        for (int i = 0; i < n; ++i) {
            const double deg = gz.heel_deg[static_cast<std::size_t>(i)];
            if (deg < 30.0 - kOnGrid) continue;
            const double g = s.gz(deg);
            if (std::isnan(gz30) || g > gz30) gz30 = g;
            gz30_balanced = gz30_balanced && s.balanced(deg);
        }
        if (peaks[side].deg >= 30.0 && peaks[side].gz > gz30) gz30 = peaks[side].gz;
        Values& val = values[side];
        const double v[6] = {a30.value, a40.value, a3040.value, gz30, peaks[side].deg, st.gm_fluid};
        const bool b[6] = {a30.balanced,  a40.balanced,         a3040.balanced,
                           gz30_balanced, peaks[side].balanced, true};
        for (int k = 0; k < 6; ++k) {
            val.v[k] = v[k];
            val.balanced[k] = b[k];
        }
    };
    run_tasks(
        2, threads, [](int) {}, side_work, [](int) {});
    r.gz_max_starboard = peaks[0].gz;
    r.gz_max_starboard_deg = peaks[0].deg;
    r.gz_max_port = peaks[1].gz;
    r.gz_max_port_deg = peaks[1].deg;

    static const struct {
        const char* id;
        double limit;
    } kCriteria[6] = {{"area_0_30", 0.055}, {"area_0_40", 0.090},   {"area_30_40", 0.030},
                      {"gz_30_plus", 0.20}, {"angle_gz_max", 25.0}, {"gm0", 0.15}};
    auto side_value = [](double v, double limit, bool balanced) {
        SideValue s;
        s.value = v;
        s.result = !balanced ? "NOT_BALANCED" : (v >= limit ? "PASS" : "FAIL");
        return s;
    };
    for (int k = 0; k < 6; ++k) {
        CriterionOutcome co;
        co.id = kCriteria[k].id;
        co.limit = kCriteria[k].limit;
        co.starboard = side_value(values[0].v[k], co.limit, values[0].balanced[k]);
        co.port = side_value(values[1].v[k], co.limit, values[1].balanced[k]);
        r.criteria.push_back(co);
    }

    // The severe wind and rolling criterion: each leeward side reads the
    // other side's arms beyond upright from a copy of that side's store, so
    // that the two run apart.
    if (c.condition.weather) {
        WeatherInput in;
        in.entry = &*c.condition.weather;
        in.plane = plane;
        in.displacement = M;
        in.volume = V;
        in.draft_mid = e.draft_mid;
        in.breadth = c.breadth;
        in.waterline_length = wp.length;
        in.kg = st.kg;
        in.gm_fluid = st.gm_fluid;
        in.heel_step = step;
        in.downflooding = r.downflooding;
        const CentrePlaneSection section = centre_plane_section(hull.body(), plane);
        SideArms windward[2] = {sides[1], sides[0]};
        WeatherSideOutcome ws[2];
        run_tasks(
            2, threads, [](int) {},
            [&](int side) { ws[side] = weather_side(in, section, sides[side], windward[side]); },
            [](int) {});
        WeatherResult wr;
        wr.starboard = ws[0].side;
        wr.port = ws[1].side;
        wr.warnings = weather_warnings(in);
        for (const std::string& wn : wr.warnings) r.notes.push_back(wn);
        for (const WeatherSideOutcome& o : ws)
            for (const std::string& note : o.notes) r.notes.push_back(note);
        CriterionOutcome ratio, heel;
        ratio.id = "weather_area_ratio";
        ratio.limit = 1.0;
        heel.id = "weather_heel";
        heel.limit = std::min(ws[0].heel_limit, ws[1].heel_limit);
        if (ws[0].heel_limit != ws[1].heel_limit)
            r.notes.push_back("风浪准则: 两舷的横倾角限值不同 (右舷 " +
                              format_number(ws[0].heel_limit) + " 度, 左舷 " +
                              format_number(ws[1].heel_limit) +
                              " 度), 表中列出较小者, 各舷按各自的限值判定.");
        for (int side = 0; side < 2; ++side) {
            const WeatherSideOutcome& o = ws[side];
            SideValue a, h;
            a.value = o.computed && o.side.area_a > 0.0 ? o.side.area_b / o.side.area_a : kNaN;
            h.value = o.side.theta0;
            if (!o.balanced) {
                a.result = h.result = "NOT_BALANCED";
            } else {
                // No area a: the gust finds the curve above lw2 from the roll back on.
                a.result =
                    o.computed && (a.value >= 1.0 || !(o.side.area_a > 0.0)) ? "PASS" : "FAIL";
                h.result = !std::isnan(h.value) && h.value <= o.heel_limit ? "PASS" : "FAIL";
            }
            (side == 0 ? ratio.starboard : ratio.port) = a;
            (side == 0 ? heel.starboard : heel.port) = h;
        }
        r.criteria.push_back(ratio);
        r.criteria.push_back(heel);
        r.weather = wr;
    }

    // Notes on the grid's points whose trim could not be balanced.
    grid_notes(gz, grid, V, "", r.notes);

    // The damage cases, each on its own body.
    for (const DamageEntry& d : c.condition.damages)
        r.damage.push_back(compute_damage(c, d, r, threads, bounds));
    out.ok = true;
    return out;
}

}  // namespace voxel
