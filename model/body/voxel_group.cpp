#include "model/body/voxel_group.h"

#include <cmath>
#include <string>

#include "kernel/platform/number_format.h"
#include "kernel/volume_moments.h"

namespace voxel {

Box3 VoxelGroup::bounding_box() {
    Box3 b;
    for (const Tetrahedron& t : tetrahedra) b.fold(t.bounds());
    for (const Hexahedron& h : hexahedra) b.fold(h.bounds());
    for (const TrianglePrism& p : prisms) b.fold(p.bounds());
    for (Cylinder& c : cylinders) b.fold(c.bounds());
    box = b;
    return box;
}

void VoxelGroup::prepare_queries() {
    prepared_ = PreparedSolids{};  // the old one goes before the new one is built
    prepared_ = prepare();
    prepared_counts_[0] = tetrahedra.size();
    prepared_counts_[1] = hexahedra.size();
    prepared_counts_[2] = prisms.size();
    prepared_counts_[3] = cylinders.size();
    is_prepared_ = true;
}

PreparedSolids VoxelGroup::prepare() const {
    // The order in which the queries sum.
    PreparedSolids p;
    std::size_t tets = tetrahedra.size() + 5 * hexahedra.size() + 3 * prisms.size();
    for (const Cylinder& c : cylinders) tets += static_cast<std::size_t>(3 * (c.n > 0 ? c.n : 0));
    p.reserve(tetrahedra.size() + cylinders.size() + hexahedra.size() + prisms.size(), tets);
    for (const Tetrahedron& t : tetrahedra) p.add(t);
    for (const Cylinder& c : cylinders) p.add(c);
    for (const Hexahedron& h : hexahedra) p.add(h);
    for (const TrianglePrism& s : prisms) p.add(s);
    return p;
}

const PreparedSolids& VoxelGroup::prepared(PreparedSolids& scratch) const {
    if (is_prepared_ && prepared_counts_[0] == tetrahedra.size() &&
        prepared_counts_[1] == hexahedra.size() && prepared_counts_[2] == prisms.size() &&
        prepared_counts_[3] == cylinders.size())
        return prepared_;
    scratch = prepare();
    return scratch;
}

namespace {

double normal_length(const Plane& p) {
    return std::sqrt(p.A * p.A + p.B * p.B + p.C * p.C);
}

double volume_below(const PreparedSolids& solids, const Plane& p, CrossingTolerance crossing) {
    const double n = normal_length(p);
    double sum = 0.0;
    for (int i = 0; i < solids.solid_count(); ++i) sum += solids.volume(i, p, n, crossing);
    return sum;
}

SubmergedPart part_below(const PreparedSolids& solids, const Plane& p, CrossingTolerance crossing) {
    const double n = normal_length(p);
    VolumeMoments m;
    for (int i = 0; i < solids.solid_count(); ++i) {
        const SubmergedPart s = solids.part(i, p, n, crossing);
        m.add(s.volume, s.centroid);
    }
    return {m.volume, m.centroid()};
}

}  // namespace

double VoxelGroup::submerged_volume(Plane p) const {
    PreparedSolids scratch;
    return volume_below(prepared(scratch), p, crossing);
}

SubmergedPart VoxelGroup::submerged_volume_and_centre(Plane p) const {
    PreparedSolids scratch;
    return part_below(prepared(scratch), p, crossing);
}

double VoxelGroup::total_volume() const {
    // Every vertex has f = z - (maxz + 1) < 0 at this plane.
    Plane above;
    above.set(0.0, 0.0, 1.0, -(box.maxz + 1.0));
    return submerged_volume(above);
}

WaterPlane VoxelGroup::find_water_plane(double V, Point3 N) const {
    return search_water_plane(V, N, true);
}

WaterPlane VoxelGroup::find_water_plane_in_full(double V, Point3 N) const {
    return search_water_plane(V, N, false);
}

WaterPlane VoxelGroup::search_water_plane(double V, Point3 N, bool bounded) const {
    PreparedSolids scratch;
    const PreparedSolids& solids = prepared(scratch);
    const double len = std::sqrt(N.x * N.x + N.y * N.y + N.z * N.z);
    const Point3 n{N.x / len, N.y / len, N.z / len};

    const Point3 corners[8] = {
        {box.minx, box.miny, box.minz}, {box.maxx, box.miny, box.minz},
        {box.maxx, box.maxy, box.minz}, {box.minx, box.maxy, box.minz},
        {box.minx, box.miny, box.maxz}, {box.maxx, box.miny, box.maxz},
        {box.maxx, box.maxy, box.maxz}, {box.minx, box.maxy, box.maxz},
    };
    // Lowest (L) and highest (H) corner along n; ties keep the earlier one.
    Point3 L = corners[0], H = corners[0];
    double hL = dot(n, corners[0]), hH = hL;
    for (int i = 1; i < 8; ++i) {
        const double h = dot(n, corners[i]);
        if (h < hL) {
            L = corners[i];
            hL = h;
        }
        if (h > hH) {
            H = corners[i];
            hH = h;
        }
    }
    // The plane through Q with normal n. Plane(t = 0) leaves the body dry,
    // Plane(t = 1) submerges it.
    auto plane_through = [&n](const Point3& q) {
        Plane p;
        p.set(n.x, n.y, n.z, -(n.x * q.x + n.y * q.y + n.z * q.z));
        return p;
    };
    // Every plane of the search has the normal n: its products with the
    // vertices are made once.
    const NormalSums sums(solids, plane_through(L));
    auto volume_at = [&](const Plane& p) {
        double sum = 0.0;
        for (int i = 0; i < solids.solid_count(); ++i) sum += solids.volume(i, sums, p.D, crossing);
        return sum;
    };
    // A step of the search asks two things of the volume Vt at its plane:
    // whether |(Vt - V) / V| is still 1e-10 or more, and on which side of V
    // it lies. Bounds on Vt answer both, for every value between them, when
    // the two bounds lie on one side of V and both far enough from it; the
    // volume itself is needed only when they do not (near the end of the
    // search) and for the last plane. The bounds are sums in the order of
    // volume_at, and a rounded sum grows with each term, so Vt lies between.
    // Once the bounds fail to decide a step the planes are near the end and
    // they seldom decide another: from then on only the volume is computed.
    auto still_far = [V](double v) { return std::fabs((v - V) / V) >= 1e-10; };
    bool try_bounds = bounded && V > 1e-100;
    auto side = [&](const Plane& p, double& value, bool& exact) {
        if (try_bounds) {
            double low = 0.0, high = 0.0;
            for (int i = 0; i < solids.solid_count(); ++i) {
                const VolumeBracket b = solids.volume_bracket(i, sums, p.D, crossing);
                low += b.lo;
                high += b.hi;
            }
            if (still_far(low) && still_far(high) &&
                ((low > V && high > V) || (low < V && high < V))) {
                value = low;  // on the side of V that Vt is on, and far from it
                exact = false;
                return;
            }
            try_bounds = false;
        }
        value = volume_at(p);
        exact = true;
    };
    double V0 = volume_at(plane_through(L));
    double t = 0.5, lo = 0.0, hi = 1.0;
    Plane current = plane_through({(H.x + L.x) * 0.5, (H.y + L.y) * 0.5, (H.z + L.z) * 0.5});
    double Vt = 0.0;
    bool exact = false;
    side(current, Vt, exact);

    WaterPlane w;
    while (!exact || still_far(Vt)) {
        if (w.steps == kMaxBisections) {
            w.converged = false;
            if (!exact) Vt = volume_at(current);
            break;
        }
        ++w.steps;
        if ((Vt - V) * (V0 - V) > 0) {
            lo = t;
            V0 = Vt;
        } else {
            hi = t;
        }
        t = (hi + lo) * 0.5;
        current =
            plane_through({t * (H.x - L.x) + L.x, t * (H.y - L.y) + L.y, t * (H.z - L.z) + L.z});
        side(current, Vt, exact);
    }
    w.plane = current;
    w.volume_reached = Vt;
    w.B = part_below(solids, w.plane, crossing).centroid;
    return w;
}

WaterplaneProps VoxelGroup::waterplane(const Plane& p, const Point3& axis) const {
    PreparedSolids scratch;
    const PreparedSolids& solids = prepared(scratch);
    Point3 u = axis;
    normalize(u);
    Point3 n{p.A, p.B, p.C};
    normalize(n);
    const Point3 v = cross(n, u);
    SectionSums sums;
    for (const PreparedTetrahedron& t : solids.tetrahedra())
        sums.add(t.v, p, [&u, &v](const Point3& q) { return Point2{dot(q, u), dot(q, v)}; });
    return sums.result();
}

std::string water_plane_stall_note(double V, const WaterPlane& w) {
    return "find_water_plane: 二分 " + std::to_string(w.steps) +
           " 步后排水体积仍未达到相对误差 1e-10; V=" + format_number(V) +
           ", 达到的体积=" + format_number(w.volume_reached) + ", 取最后一个水面.";
}

LineDistance action_line_distance(Point3 p1, Point3 p2, Point3 n) {
    const Point3 d = difference(p1, p2);
    if (d.x * d.x + d.y * d.y + d.z * d.z < 1e-10) return {0.0, true};
    return {length(cross(d, n)) / length(n), false};
}

}  // namespace voxel
