#include "model/voxel_group.h"

#include <cmath>
#include <string>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"

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

double VoxelGroup::submerged_volume(Plane p) {
    double sum = 0.0;
    for (Tetrahedron& t : tetrahedra) {
        t.submerge(p);
        sum += t.volume;
    }
    for (Cylinder& c : cylinders) {
        c.submerge(p);
        sum += c.volume;
    }
    for (Hexahedron& h : hexahedra) {
        h.submerge(p);
        sum += h.volume;
    }
    for (TrianglePrism& s : prisms) {
        s.submerge(p);
        sum += s.volume;
    }
    return sum;
}

namespace {

struct Moments {
    double V = 0.0, Mx = 0.0, My = 0.0, Mz = 0.0;
    void add(double v, const Point3& c) {
        V += v;
        Mx += v * c.x;
        My += v * c.y;
        Mz += v * c.z;
    }
};

}  // namespace

void VoxelGroup::submerged_volume_and_centre(Plane p, double& volume, Point3& B) {
    Moments m;
    for (Tetrahedron& t : tetrahedra) {
        t.submerge(p);
        m.add(t.volume, t.centroid);
    }
    for (Cylinder& c : cylinders) {
        c.submerge(p);
        m.add(c.volume, c.centroid);
    }
    for (Hexahedron& h : hexahedra) {
        h.submerge(p);
        m.add(h.volume, h.centroid);
    }
    for (TrianglePrism& s : prisms) {
        s.submerge(p);
        m.add(s.volume, s.centroid);
    }
    volume = m.V;
    B = {m.Mx / m.V, m.My / m.V, m.Mz / m.V};
}

double VoxelGroup::total_volume() {
    // Every vertex has f = z - (maxz + 1) < 0 at this plane.
    Plane above;
    above.set(0.0, 0.0, 1.0, -(box.maxz + 1.0));
    return submerged_volume(above);
}

void VoxelGroup::find_water_plane(double V, Point3 N, Plane& plane, Point3& B) {
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
    double V0 = submerged_volume(plane_through(L));
    double t = 0.5, lo = 0.0, hi = 1.0;
    Plane current = plane_through({(H.x + L.x) * 0.5, (H.y + L.y) * 0.5, (H.z + L.z) * 0.5});
    double Vt = submerged_volume(current);

    constexpr int kMaxBisections = 200;
    int steps = 0;
    while (std::fabs((Vt - V) / V) >= 1e-10) {
        if (steps == kMaxBisections) {
            diagnostic_line(
                "find_water_plane: " + std::to_string(kMaxBisections) +
                " bisection steps without reaching the volume tolerance; V=" + format_number(V) +
                ", volume reached=" + format_number(Vt) + ", the last plane is kept.");
            break;
        }
        ++steps;
        if ((Vt - V) * (V0 - V) > 0) {
            lo = t;
            V0 = Vt;
        } else {
            hi = t;
        }
        t = (hi + lo) * 0.5;
        current =
            plane_through({t * (H.x - L.x) + L.x, t * (H.y - L.y) + L.y, t * (H.z - L.z) + L.z});
        Vt = submerged_volume(current);
    }
    plane = current;
    double unused = 0.0;
    submerged_volume_and_centre(plane, unused, B);
}

double action_line_distance(Point3 p1, Point3 p2, Point3 n) {
    const Point3 d = difference(p1, p2);
    if (d.x * d.x + d.y * d.y + d.z * d.z < 1e-10) {
        console_line("两点之间的距离小于1e-10 !");
        return 0.0;
    }
    return length(cross(d, n)) / length(n);
}

}  // namespace voxel
