#include "model/loading/damage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "kernel/platform/number_format.h"
#include "kernel/platform/task_pool.h"
#include "model/loading/curve_measures.h"
#include "model/loading/side_arms.h"
#include "model/stability/equilibrium_iteration.h"

namespace voxel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The limits of the residual-stability criteria.
constexpr double kHeelLimit = 25.0;    // degrees
constexpr double kRangeLimit = 20.0;   // degrees beyond the equilibrium
constexpr double kArmLimit = 0.1;      // m
constexpr double kAreaLimit = 0.0175;  // m*rad
constexpr double kLastHeel = 90.0;     // the curves' end, degrees

// The residual curve towards one side: the heel h towards that side
// (degrees, negative for a heel to the other side) and the arm resisting a
// further heel that way. `own` holds the arms of heels to that side, `other`
// those to the other side, whose sign changes here.
class ResidualSide {
  public:
    ResidualSide(SideArms own, SideArms other, double from)
        : own_(std::move(own)), other_(std::move(other)), from_(from) {}

    double from() const { return from_; }  // the equilibrium heel towards this side
    double arm(double h) { return h >= 0.0 ? own_.gz(h) : -other_.gz(-h); }
    bool balanced(double h) { return h >= 0.0 ? own_.balanced(h) : other_.balanced(-h); }
    WaterPlane water_plane(double h) {
        auto it = planes_.find(h);
        if (it == planes_.end())
            it = planes_.emplace(h, h >= 0.0 ? own_.water_plane(h) : other_.water_plane(-h)).first;
        return it->second;
    }
    // Area under the curve from h = a to b (a <= b), split at upright.
    Area area(double step, double a, double b) {
        Area out;
        if (a < 0.0) {
            const Area back = area_between(other_, step, -std::min(b, 0.0), -a);
            out.value -= back.value;
            out.balanced = back.balanced;
        }
        if (b > 0.0) {
            const Area on = area_between(own_, step, std::max(a, 0.0), b);
            out.value += on.value;
            out.balanced = out.balanced && on.balanced;
        }
        return out;
    }

  private:
    SideArms own_, other_;
    double from_;
    std::map<double, WaterPlane> planes_;
};

// The grid's heels towards a side beyond `from` (and more than kAngleWidth
// beyond it), up to kLastHeel.
std::vector<double> heels_beyond(double from, double step) {
    std::vector<double> out;
    const long first = static_cast<long>(std::floor(from / step)) + 1;
    const long last = std::lround(kLastHeel / step);
    for (long k = first; k <= last; ++k) {
        const double h = k * step;
        if (h > from + kAngleWidth) out.push_back(h);
    }
    return out;
}

struct SideMeasures {
    double range = kNaN;
    bool range_balanced = true;
    double gz_max = kNaN;
    bool gz_max_balanced = true;
    Area area;
    std::vector<std::optional<double>> immersion;  // per opening, beyond the equilibrium
};

SideMeasures measure_side(ResidualSide& s, double step, const std::vector<Opening>& openings,
                          const Plane& rest) {
    SideMeasures m;
    const double from = s.from();
    const std::vector<double> heels = heels_beyond(from, step);

    // The range: the first heel beyond the equilibrium where the arm is no
    // longer positive, bisected from the last one where it is.
    double prev = from;
    double vanish = kLastHeel;
    for (double h : heels) {
        m.range_balanced = m.range_balanced && s.balanced(h);
        if (!(s.arm(h) > 0.0)) {
            vanish = bisect_angle(prev, h, [&](double x) { return !(s.arm(x) > 0.0); });
            m.range_balanced = m.range_balanced && s.balanced(vanish);
            break;
        }
        prev = h;
    }
    m.range = vanish - from;

    // The largest arm within kRangeLimit beyond the equilibrium: the grid's,
    // then climbed by halving steps to kMaxWidth.
    const double end20 = std::min(from + kRangeLimit, kLastHeel);
    double best = end20;
    double best_arm = s.arm(end20);
    for (double h : heels) {
        if (h > end20) break;
        const double a = s.arm(h);
        if (a > best_arm) {
            best_arm = a;
            best = h;
        }
    }
    for (double w = 0.5 * step; w >= 0.5 * kMaxWidth; w *= 0.5) {
        for (double x : {best - w, best + w}) {
            if (x < from || x > end20) continue;
            const double a = s.arm(x);
            if (a > best_arm) {
                best_arm = a;
                best = x;
            }
        }
    }
    m.gz_max = best_arm;
    m.gz_max_balanced = s.balanced(best);

    // The area within the range, up to kRangeLimit beyond the equilibrium.
    m.area = s.area(step, from, from + std::min(m.range, kRangeLimit));

    // Each opening: the heel beyond the equilibrium at which the balanced
    // water plane reaches it.
    for (const Opening& o : openings) {
        if (rest.signed_distance(o.point) <= 0.0) {
            m.immersion.emplace_back(0.0);
            continue;
        }
        std::optional<double> at;
        double last = from;
        for (double h : heels) {
            if (s.water_plane(h).plane.signed_distance(o.point) <= 0.0) {
                at = bisect_angle(last, h,
                                  [&](double x) {
                                      return s.water_plane(x).plane.signed_distance(o.point) <= 0.0;
                                  }) -
                     from;
                break;
            }
            last = h;
        }
        m.immersion.push_back(at);
    }
    return m;
}

SideValue judged(double value, bool pass, bool balanced) {
    SideValue s;
    s.value = value;
    s.result = !balanced ? "NOT_BALANCED" : (pass ? "PASS" : "FAIL");
    return s;
}

// The five criteria failed, with no values: a ship that does not float.
std::vector<CriterionOutcome> failed_criteria() {
    std::vector<CriterionOutcome> out;
    for (const auto& [id, limit] : {std::pair<const char*, double>{"final_heel", kHeelLimit},
                                    {"openings_clear", 0.0},
                                    {"residual_range", kRangeLimit},
                                    {"residual_gz_max", kArmLimit},
                                    {"residual_area", kAreaLimit}}) {
        CriterionOutcome c;
        c.id = id;
        c.limit = limit;
        c.starboard = c.port = SideValue{kNaN, "FAIL"};
        out.push_back(c);
    }
    return out;
}

// The stability at rest at the water plane `plane` (unit) with centre of
// buoyancy B: KM = z_B + I_T / V of the damaged body's section there, about
// its centroidal axis parallel to the heel axis as the trim carries it.
DamageStability stability_at(const LoadedCondition& c, const VoxelGroup& body, const Plane& plane,
                             const Point3& B, double V, double M) {
    const Point3 N{plane.A, plane.B, plane.C};
    const Point3 axis = carried_heel_axis(N);
    const Point3 G = gravity_at(c, N);
    double fsm = 0.0;
    for (const Tank& t : c.tanks) fsm += free_surface_moment(t, N, axis);
    const WaterplaneProps wp = body.waterplane(plane, axis);
    DamageStability st;
    st.km = B.z + wp.IT / V;
    st.gm_solid = st.km - G.z;
    st.gm_fluid = st.gm_solid - fsm / M;
    return st;
}

struct CurveZero {
    bool found = false;
    double heel = 0.0;  // degrees, > 0 to starboard
    bool tied = false;  // another stable zero lies as near, to the other side
};

// The stable zero of the residual curve through upright, y(phi) = the
// starboard arm at phi >= 0 and minus the port arm at -phi < 0 (> 0 turning
// the ship to port): of the grid's intervals where y rises from <= 0 to > 0,
// the one nearest to `near` (degrees), refined by regula falsi (the
// Illinois form) until |y| <= tolerance (m) or the interval is below 1e-10
// degrees.
CurveZero stable_zero(SideArms sides[2], const GzCurves& gz, double near, double tolerance) {
    auto y = [&](double phi) { return phi >= 0.0 ? sides[0].gz(phi) : -sides[1].gz(-phi); };
    std::vector<double> phis;
    for (std::size_t k = gz.heel_deg.size(); k-- > 1;) phis.push_back(-gz.heel_deg[k]);
    for (double h : gz.heel_deg) phis.push_back(h);
    CurveZero z;
    double lo = 0.0, hi = 0.0, best = HUGE_VAL;
    for (std::size_t i = 0; i + 1 < phis.size(); ++i) {
        if (!(y(phis[i]) <= 0.0 && y(phis[i + 1]) > 0.0)) continue;
        const double gap = near < phis[i]       ? phis[i] - near
                           : near > phis[i + 1] ? near - phis[i + 1]
                                                : 0.0;
        if (gap < best) {
            best = gap;
            lo = phis[i];
            hi = phis[i + 1];
            z.found = true;
            z.tied = false;
        } else if (gap == best) {
            z.tied = true;  // the first found, to port, is kept
        }
    }
    if (!z.found) return z;
    double ylo = y(lo), yhi = y(hi);
    double m = lo;
    int side = 0;
    for (int k = 0; k < 200 && hi - lo > 1e-10; ++k) {
        m = (lo * yhi - hi * ylo) / (yhi - ylo);
        if (!(m > lo && m < hi)) m = 0.5 * (lo + hi);
        const double ym = y(m);
        if (std::fabs(ym) <= tolerance) break;
        if (ym <= 0.0) {
            lo = m;
            ylo = ym;
            if (side == -1) yhi *= 0.5;
            side = -1;
        } else {
            hi = m;
            yhi = ym;
            if (side == 1) ylo *= 0.5;
            side = 1;
        }
    }
    z.heel = m;
    return z;
}

}  // namespace

void damaged_body(const LoadedCondition& c, const DamageEntry& d, VoxelGroup& out) {
    BodyBuilder b(c.hull->crossing, Summation::PerSolid);
    b.add_body(c.hull->body(), 1.0);
    for (const std::string& name : d.compartments)
        if (const Compartment* k = find_compartment(c.compartments, name))
            b.add_body(k->shape->body(), -k->entry.permeability);
    out.set_body(b.build());
}

DamageResult compute_damage(const LoadedCondition& c, const DamageEntry& d,
                            const LoadingResult& intact, int threads, const TrimBounds& bounds) {
    DamageResult out;
    out.name = d.name;
    out.compartments = d.compartments;
    for (const std::string& name : d.compartments)
        if (const Compartment* k = find_compartment(c.compartments, name)) {
            out.permeabilities.push_back(k->entry.permeability);
            out.compartment_volumes.push_back(k->volume);
            out.flooded_extents.push_back(k->shape->box());
        }
    out.lost_volume = kNaN;
    out.sinkage = kNaN;
    const double M = total_mass(c);
    const double V = M / c.water_density;
    const GravityAt G_at = [&c](const Point3& N) { return gravity_at(c, N); };

    VoxelGroup body(c.hull->crossing);
    damaged_body(c, d, body);
    const double left = body.total_volume();
    if (!(V < left)) {
        out.status = "sinks";
        out.notes.push_back("排水体积 " + format_number(V) + " m^3 不小于破损后船体余下的体积 " +
                            format_number(std::max(left, 0.0)) + " m^3: 船下沉 (sinks).");
        out.criteria = failed_criteria();
        return out;
    }

    // The residual curves of both sides from upright, which the floating
    // position does not change.
    const double step = c.condition.heel_step;
    std::vector<ArmResult> grid;
    SideArms sides[2] = {SideArms(body, V, G_at, -1.0, bounds),
                         SideArms(body, V, G_at, 1.0, bounds)};
    gz_grid(body, V, G_at, step, threads, bounds, out.gz, grid, sides);
    grid_notes(out.gz, grid, V, "", out.notes);

    // The damaged floating position: the free-floating iteration's when it
    // reaches a stable one, otherwise the stable zero of the residual curve
    // nearest to it (or to upright).
    std::vector<std::string> stall_notes;
    IterationDialogue quiet{[](const std::string&) {}, [] { return EOF; },
                            [&stall_notes](const std::string& n) { stall_notes.push_back(n); }};
    const IterationOutcome eq = iterate_floating_attitude(body, V, G_at, quiet);
    for (const std::string& n : stall_notes) out.notes.push_back(n);
    Plane plane;
    Point3 B;
    bool found = false;
    // Where the iteration ended is the hint of where to look on the curve.
    const double near = eq.capsized() ? 0.0 : to_degrees(std::atan2(eq.plane.B, eq.plane.C));
    if (eq.converged() && !eq.capsized()) {
        plane = unit_plane(eq.plane);
        B = eq.B;
        out.stability = stability_at(c, body, plane, B, V, M);
        found = out.stability.gm_fluid >= 0.0;
        if (!found)
            out.notes.push_back("自由漂浮迭代所得的平衡 (横倾 " + format_number(near) +
                                " 度) 不稳定 (GM < 0); 取剩余 GZ 曲线上最近的稳定零点.");
    } else {
        out.notes.push_back(eq.converged()
                                ? "自由漂浮迭代越过 90 度; 取剩余 GZ 曲线上的稳定零点."
                                : "自由漂浮迭代未收敛 (重力与浮力作用线的距离 " +
                                      format_number(eq.d) + " 大于允许值 " +
                                      format_number(eq.d_error) + "); 取剩余 GZ 曲线上的稳定零点.");
    }
    if (!found) {
        const CurveZero z = stable_zero(sides, out.gz, near, eq.d_error);
        if (!z.found) {
            // Upright without a trim that balances the ship, it goes down
            // by the head or the stern; otherwise over to a side.
            if (!out.gz.balanced_starboard.empty() && !out.gz.balanced_starboard[0]) {
                out.status = "sinks";
                out.notes.push_back(
                    "正浮时没有能使船纵向平衡的纵倾, 剩余 GZ 曲线也没有稳定的零点: "
                    "船首或船尾下沉 (sinks).");
            } else {
                out.status = "capsizes";
                out.notes.push_back(
                    "剩余 GZ 曲线在 -90 到 90 度之间没有稳定的零点: 船倾覆 (capsizes).");
            }
            out.criteria = failed_criteria();
            return out;
        }
        if (z.tied)
            out.notes.push_back("两舷各有一个同样近的稳定零点 (对称的进水与倾斜): 取左舷的 (横倾 " +
                                format_number(z.heel) + " 度); 另一舷的与之对称.");
        SideArms& s = sides[z.heel >= 0.0 ? 0 : 1];
        const double h = std::fabs(z.heel);
        if (!s.balanced(h)) {
            out.status = "unresolved";
            out.notes.push_back("剩余 GZ 曲线的稳定零点 (横倾 " + format_number(z.heel) +
                                " 度) 处纵倾未能平衡: " + trim_stop_text(s.at(h)));
            out.criteria = failed_criteria();
            return out;
        }
        const WaterPlane w = s.water_plane(h);
        plane = unit_plane(w.plane);
        B = w.B;
        out.stability = stability_at(c, body, plane, B, V, M);
    }
    out.status = "floats";
    out.equilibrium = equilibrium_of(plane, B, c.lpp);
    const Equilibrium& e = out.equilibrium;
    out.sinkage = e.draft_mid - intact.equilibrium.draft_mid;
    out.lost_volume = 0.0;
    for (const std::string& name : d.compartments)
        if (const Compartment* k = find_compartment(c.compartments, name))
            out.lost_volume += k->entry.permeability * k->shape->submerged_volume(plane);

    if (out.stability.gm_fluid < 0.0)
        out.notes.push_back("破损浮态的 GM (液面修正后) 为负 (" +
                            format_number(out.stability.gm_fluid) + " m): 此平衡不稳定.");
    // The heel towards starboard is e.heel (> 0 with the starboard side
    // down); towards port its negative.
    const double heel = std::fabs(e.heel) > kOnGrid ? e.heel : 0.0;
    ResidualSide residual[2] = {ResidualSide(sides[0], sides[1], heel),
                                ResidualSide(sides[1], sides[0], -heel)};
    SideMeasures measures[2];
    run_tasks(
        2, threads, [](int) {},
        [&](int side) {
            measures[side] = measure_side(residual[side], step, c.condition.openings, plane);
        },
        [](int) {});

    double least_height = kNaN;
    for (std::size_t i = 0; i < c.condition.openings.size(); ++i) {
        const Opening& o = c.condition.openings[i];
        OpeningImmersion im;
        im.name = o.name;
        im.height = plane.signed_distance(o.point);
        im.starboard = measures[0].immersion[i];
        im.port = measures[1].immersion[i];
        if (std::isnan(least_height) || im.height < least_height) least_height = im.height;
        out.downflooding.push_back(im);
    }

    const double abs_heel = std::fabs(e.heel);
    CriterionOutcome final_heel{"final_heel", kHeelLimit, {}, {}};
    CriterionOutcome openings{"openings_clear", 0.0, {}, {}};
    CriterionOutcome range{"residual_range", kRangeLimit, {}, {}};
    CriterionOutcome arm{"residual_gz_max", kArmLimit, {}, {}};
    CriterionOutcome area{"residual_area", kAreaLimit, {}, {}};
    for (int side = 0; side < 2; ++side) {
        const SideMeasures& m = measures[side];
        SideValue& fh = side == 0 ? final_heel.starboard : final_heel.port;
        SideValue& oc = side == 0 ? openings.starboard : openings.port;
        fh = judged(abs_heel, abs_heel <= kHeelLimit, true);
        oc = judged(least_height, std::isnan(least_height) || least_height > 0.0, true);
        (side == 0 ? range.starboard : range.port) =
            judged(m.range, m.range >= kRangeLimit, m.range_balanced);
        (side == 0 ? arm.starboard : arm.port) =
            judged(m.gz_max, m.gz_max >= kArmLimit, m.gz_max_balanced);
        (side == 0 ? area.starboard : area.port) =
            judged(m.area.value, m.area.value >= kAreaLimit, m.area.balanced);
    }
    out.criteria = {final_heel, openings, range, arm, area};
    return out;
}

}  // namespace voxel
