#include "model/loading/curve_measures.h"

#include <cmath>

#include "kernel/platform/number_format.h"
#include "kernel/platform/task_pool.h"

namespace voxel {

namespace {

// Height of the water plane on the centre line at x.
double draft_at(const Plane& p, double x) {
    return -(p.D + p.A * x) / p.C;
}

// Simpson's rule over one panel [a, b] (degrees) with its middle.
double panel(SideArms& arms, double a, double b, bool& balanced) {
    const double m = 0.5 * (a + b);
    balanced = balanced && arms.balanced(a) && arms.balanced(m) && arms.balanced(b);
    return (to_radians(b - a) / 6.0) * ((arms.gz(a) + 4.0 * arms.gz(m)) + arms.gz(b));
}

}  // namespace

const char* side_name(double sigma) {
    return sigma < 0.0 ? "右舷" : "左舷";
}

Plane unit_plane(const Plane& p) {
    const double n = p.normal_length();
    Plane u;
    u.set(p.A / n, p.B / n, p.C / n, p.D / n);
    return u;
}

// A heel about x leaves x as it is, and a trim about an axis square to x in
// the plane turns x within the plane spanned by x and N.
Point3 carried_heel_axis(const Point3& N) {
    Point3 a{1.0 - N.x * N.x, -N.x * N.y, -N.x * N.z};
    normalize(a);
    return a;
}

Equilibrium equilibrium_of(const Plane& plane, const Point3& B, double lpp) {
    Equilibrium e;
    e.heel = to_degrees(std::atan2(plane.B, plane.C));
    e.trim_deg = to_degrees(std::asin(plane.A));
    e.draft_ap = draft_at(plane, 0.0);
    e.draft_fp = draft_at(plane, lpp);
    e.draft_mid = draft_at(plane, 0.5 * lpp);
    e.trim_m = e.draft_ap - e.draft_fp;
    e.plane = plane;
    e.B = B;
    return e;
}

Area area_between(SideArms& arms, double step, double a, double b) {
    Area out;
    if (!(b > a)) return out;
    long i0 = static_cast<long>(std::ceil(a / step - kOnGrid));
    long i1 = static_cast<long>(std::floor(b / step + kOnGrid));
    if (i1 <= i0) {
        out.value = panel(arms, a, b, out.balanced);
        return out;
    }
    if ((i1 - i0) % 2 != 0) --i1;
    const double g0 = i0 * step, g1 = i1 * step;
    double sum = 0.0;
    if (a < g0 - kOnGrid) sum += panel(arms, a, g0, out.balanced);
    if (i1 > i0) {
        double s = arms.gz(g0);
        out.balanced = out.balanced && arms.balanced(g0);
        for (long i = i0 + 1; i <= i1; ++i) {
            const double deg = i * step;
            const double w = (i == i1) ? 1.0 : ((i - i0) % 2 != 0 ? 4.0 : 2.0);
            s += w * arms.gz(deg);
            out.balanced = out.balanced && arms.balanced(deg);
        }
        sum += (to_radians(step) / 3.0) * s;
    }
    if (g1 < b - kOnGrid) sum += panel(arms, g1, b, out.balanced);
    out.value = sum;
    return out;
}

void gz_grid(const VoxelGroup& body, double V, const GravityAt& G_at, double step, int threads,
             const TrimBounds& bounds, GzCurves& gz, std::vector<ArmResult>& grid,
             SideArms sides[2]) {
    const int n = static_cast<int>(std::lround(90.0 / step)) + 1;
    for (int i = 0; i < n; ++i) gz.heel_deg.push_back(i * step);
    grid.assign(static_cast<std::size_t>(2 * n), ArmResult{});
    run_tasks(
        2 * n, threads, [](int) {},
        [&](int k) {
            const double sigma = k < n ? -1.0 : 1.0;
            const double deg = gz.heel_deg[static_cast<std::size_t>(k % n)];
            grid[static_cast<std::size_t>(k)] =
                righting_arm_at(body, V, G_at, kHeelAboutX, to_radians(deg), sigma, bounds);
        },
        [](int) {});
    for (int k = 0; k < 2 * n; ++k) {
        const ArmResult& a = grid[static_cast<std::size_t>(k)];
        const double deg = gz.heel_deg[static_cast<std::size_t>(k % n)];
        (k < n ? gz.starboard : gz.port).push_back(a.GZ);
        (k < n ? gz.balanced_starboard : gz.balanced_port).push_back(trim_balanced(a));
        sides[k < n ? 0 : 1].keep(deg, a);
    }
}

void grid_notes(const GzCurves& gz, const std::vector<ArmResult>& grid, double V,
                const std::string& prefix, std::vector<std::string>& notes) {
    const int n = static_cast<int>(gz.heel_deg.size());
    for (int k = 0; k < 2 * n; ++k) {
        const ArmResult& a = grid[static_cast<std::size_t>(k)];
        const double sigma = k < n ? -1.0 : 1.0;
        const double deg = gz.heel_deg[static_cast<std::size_t>(k % n)];
        if (!trim_balanced(a))
            notes.push_back(prefix + side_name(sigma) + "横倾 " + format_number(deg) +
                            " 度: " + trim_stop_text(a));
        for (const WaterPlane& stall : a.stalls)
            notes.push_back(prefix + side_name(sigma) + "横倾 " + format_number(deg) +
                            " 度: " + water_plane_stall_note(V, stall));
    }
}

}  // namespace voxel
