#include "model/stability/righting_arm_at.h"

#include <cmath>

#include "kernel/angles.h"
#include "kernel/matrix4.h"
#include "kernel/plane.h"
#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

// Centre of buoyancy at the plane of normal n that displaces V; a search that
// its bound ended is kept in `stalls`.
Point3 buoyancy_centre(const VoxelGroup& body, double V, const Point3& n, StalledSearches& stalls) {
    const WaterPlane w = body.find_water_plane(V, n);
    if (!w.converged) stalls.push_back(w);
    return w.B;
}

}  // namespace

TrimOutcome balance_trim(const VoxelGroup& body, double V, const Point3& G, const Point3& t,
                         double step, TrimState& state, StalledSearches& stalls,
                         const TrimBounds& bounds) {
    return balance_trim(
        body, V, [&G](const Point3&) { return G; }, t, step, state, stalls, bounds);
}

TrimOutcome balance_trim(const VoxelGroup& body, double V, const GravityAt& G, const Point3& t,
                         double step, TrimState& state, StalledSearches& stalls,
                         const TrimBounds& bounds) {
    TrimOutcome out;
    out.step = step;
    while (state.d > kTrimTolerance) {
        Point3 Nt = state.N;
        Point3 at = state.a;
        // A positive turn about t lowers the end of the body at -a into the
        // water and moves B back along a: the turn that closes g < b.
        double s = (state.g < state.b) ? out.step : -out.step;
        for (;;) {
            if (out.trials == bounds.max_trials) {
                out.stop = TrimStop::TrialCount;
                return out;
            }
            ++out.trials;
            rotate_about_axis(Nt, t, s);
            rotate_about_axis(at, t, s);
            const double g = dot(at, G(Nt));
            const Point3 B = buoyancy_centre(body, V, Nt, stalls);
            const double b = dot(at, B);
            const double dn = std::fabs(g - b);
            if (dn < state.d) {
                state = TrimState{Nt, at, B, g, b, dn};
                break;
            }
            // Overshot or no better: back to the accepted state, half the turn.
            Nt = state.N;
            at = state.a;
            out.step = out.step * 0.5;
            s = s * 0.5;
            ++out.halvings;
            if (out.step < bounds.min_step) {
                out.stop = TrimStop::SmallStep;
                return out;
            }
        }
    }
    out.stop = TrimStop::Balanced;
    return out;
}

ArmResult righting_arm_at(const VoxelGroup& body, double V, Point3 G, HeelAxis axis, double theta,
                          double sigma, const TrimBounds& bounds) {
    return righting_arm_at(
        body, V, [&G](const Point3&) { return G; }, axis, theta, sigma, bounds);
}

ArmResult righting_arm_at(const VoxelGroup& body, double V, const GravityAt& G_at, HeelAxis axis,
                          double theta, double sigma, const TrimBounds& bounds) {
    ArmResult r;
    TrimState& st = r.state;

    // Upright: the trim axis t = N x a is horizontal and square to a.
    st.N = {0.0, 0.0, 1.0};
    st.a = axis.direction();
    Point3 t = cross(st.N, st.a);

    // Heel: the plane normal and the trim axis turn about a; a stays.
    rotate_about_axis(st.N, st.a, sigma * theta);
    rotate_about_axis(t, st.a, sigma * theta);

    const double step = kOneDegree;
    st.g = dot(st.a, G_at(st.N));
    st.B = buoyancy_centre(body, V, st.N, r.stalls);
    st.b = dot(st.a, st.B);
    st.d = std::fabs(st.g - st.b);
    if (st.d > kTrimTolerance) {
        r.trimmed = true;
        r.trim = balance_trim(body, V, G_at, t, step, st, r.stalls, bounds);
    } else {
        r.trim.step = step;
    }

    const Point3 G = G_at(st.N);
    r.G = G;
    // The arm is the distance between the lines of action of weight and
    // buoyancy, both along N. Its sign is that of the moment of buoyancy about
    // G, whose axis X = (B - G) x N lies along sigma * a when it turns the
    // heel back: GZ = (sigma * cos(X, a)) * L.
    const LineDistance distance = action_line_distance(G, st.B, st.N);
    r.L = distance.d;
    r.points_coincide = distance.points_coincide;
    const Point3 X = cross(difference(G, st.B), st.N);
    if (length(X) == 0.0) {
        // B on the line of action of G: no moment and no direction to take
        // the cosine of.
        r.GZ = 0.0;
        return r;
    }
    const double c = cosine_between(X, st.a);
    r.GZ = (sigma * c) * r.L;
    return r;
}

bool trim_balanced(const ArmResult& arm) {
    return !arm.trimmed || arm.trim.stop == TrimStop::Balanced;
}

std::string trim_stop_text(const ArmResult& arm) {
    std::string why;
    if (arm.trim.stop == TrimStop::SmallStep)
        why = "纵倾步长已减小到 " + format_number(arm.trim.step) + " rad";
    else
        why = "已试转 " + std::to_string(arm.trim.trials) + " 次";
    return "纵倾调整停止, 因为" + why + "; 剩余 |g - b| = " + format_number(arm.state.d) +
           "; 力臂取最后一次接受的纵倾状态.";
}

}  // namespace voxel
