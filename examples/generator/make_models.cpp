// make_models: writes the example models under examples/.
//
//   make_models <examples folder>
//
// Every number is written with "%.10g" in the C locale and every file has LF
// line ends, so two runs give the same bytes. The generator checks each model
// before it writes it: every hexahedron, prism and cylinder must cut into
// tetrahedra of the senses of a sound cell (no folded cell), and every Format2
// model's displacement volume must lie strictly between 0 and the body's
// volume, so that the water-plane search of the programs can find it.
//
// Models (all lengths in metres, volumes in m^3, densities in t/m^3):
//   box_barge/        ship.txt, model.txt, FourPillars.txt
//   wigley/           offsets.csv, offsets_coarse.csv (tables of offsets) and
//                     ship_fine.txt, ship_coarse.txt built from them
//   semisub/          model.txt, FourPillars.txt (G off the centre lines)
//   semisub_symmetric/ model.txt, FourPillars.txt (G on the centre lines)
//   mixed/            model.txt, ship.txt, FourPillars.txt (all four kinds)
//   wigley_mesh/      hull_coarse.stl, hull_fine.stl (the Wigley hull as closed
//                     triangle meshes) with ship_coarse.txt, ship_fine.txt,
//                     model.txt, FourPillars.txt
//   catamaran/        catamaran.obj (two Wigley demi-hulls under a deck box)
//                     with ship.txt, model.txt, FourPillars.txt
//   loading/          box_barge/ and wigley/: condition.toml (a loading
//                     condition on box_barge/ship.txt, wigley/ship_fine.txt)
//                     and its tanks' shapes, tanks/*.txt (one Hexahedron each),
//                     and the spaces its damage cases flood, compartments/*.txt
//
// Vertex conventions of the solids as the programs cut them:
//   Hexahedron     V0..V3 and V4..V7 two faces in cyclic order, lateral edges
//                  V0-V4, V1-V5, V2-V6, V3-V7; five tetrahedra (V0 V1 V2 V5),
//                  (V7 V5 V2 V6), (V0 V5 V7 V4), (V0 V7 V2 V5), (V0 V7 V2 V3),
//                  i.e. the faces are split along V0-V2, V5-V7, V0-V5, V2-V7,
//                  V0-V7 and V2-V5.
//   TrianglePrism  end triangles (V0 V1 V2) and (V3 V4 V5), lateral edges
//                  V0-V3, V1-V4, V2-V5; tetrahedra (V0 V1 V2 V4), (V0 V2 V3 V4),
//                  (V2 V3 V5 V4).
//   Cylinder       end centres P0, P1 and radius r; cut as the inscribed
//                  30-gon prism whose rim points sit at the angles
//                  2k*3.1415926/30, so its volume is 15 sin(2*3.1415926/30) r^2 L
//                  (0.99271 of pi r^2 L).
// The generator restates these tables instead of using the kernel's, so that
// its volume checks do not lean on the code they are meant to check. The one
// piece of the project it uses is the hull builder of hull_from_offsets: the
// Wigley hull is written as a table of offsets, read back and built by the
// same code as the program builds any table, and then checked here.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/io/hull_cells.h"
#include "model/io/offset_table_reader.h"
#include "wigley_surface.h"

namespace {

// ---------------------------------------------------------------------------
// Geometry

struct P3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

P3 operator+(P3 a, P3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
P3 operator-(P3 a, P3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
P3 operator*(double s, P3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
double dot(P3 a, P3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
P3 cross(P3 a, P3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(P3 a) {
    return std::sqrt(dot(a, a));
}

// Six times the signed volume of the tetrahedron (a, b, c, d).
double volume6(P3 a, P3 b, P3 c, P3 d) {
    return dot(b - a, cross(c - a, d - a));
}

// The value of pi with which the programs place a cylinder's rim points, and
// the fixed number of sectors.
constexpr double kRimPi = 3.1415926;
constexpr int kSectors = 30;

// Area of the inscribed 30-gon of radius r as the programs build it: 30 fan
// triangles of apex angle 2*3.1415926/30, each r^2 sin(angle) / 2 [m^2].
double rim_polygon_area(double r) {
    return kSectors * std::sin(2.0 * kRimPi / kSectors) / 2.0 * r * r;
}

// Rim point k of the first end disc, as the programs compute it: along x the
// rim starts below the axis; otherwise it starts along e1 = (m, -ux uy/m,
// -ux uz/m) and turns towards e2 = (0, uz/m, -uy/m), m = sqrt(uy^2 + uz^2).
P3 rim_point(P3 p0, P3 p1, double r, int k) {
    const P3 a = p1 - p0;
    const P3 u = (1.0 / length(a)) * a;
    const double t = (2.0 * k) * kRimPi / kSectors;
    if (std::fabs(u.y) < 1e-10 && std::fabs(u.z) < 1e-10)
        return {p0.x, p0.y + r * std::sin(t), p0.z - r * std::cos(t)};
    const double m = std::sqrt(u.z * u.z + u.y * u.y);
    return {p0.x + r * m * std::cos(t),
            p0.y + (r * u.z * std::sin(t) - r * u.x * u.y * std::cos(t)) / m,
            p0.z - (r * u.x * u.z * std::cos(t) + r * u.y * std::sin(t)) / m};
}

// ---------------------------------------------------------------------------
// Solids and bodies

enum class Kind { Tetrahedron, Hexahedron, TrianglePrism, Cylinder };

struct Solid {
    Kind kind = Kind::Tetrahedron;
    std::vector<P3> v;  // 4, 8 or 6 vertices; for a cylinder P0 and P1
    double r = 0.0;     // cylinder radius [m]
};

struct Tet {
    P3 a, b, c, d;
};

// The tetrahedra of one solid, in the order the programs produce them.
std::vector<Tet> tetrahedra_of(const Solid& s) {
    const std::vector<P3>& V = s.v;
    switch (s.kind) {
        case Kind::Tetrahedron:
            return {{V[0], V[1], V[2], V[3]}};
        case Kind::Hexahedron:
            return {{V[0], V[1], V[2], V[5]},
                    {V[7], V[5], V[2], V[6]},
                    {V[0], V[5], V[7], V[4]},
                    {V[0], V[7], V[2], V[5]},
                    {V[0], V[7], V[2], V[3]}};
        case Kind::TrianglePrism:
            return {{V[0], V[1], V[2], V[4]}, {V[0], V[2], V[3], V[4]}, {V[2], V[3], V[5], V[4]}};
        case Kind::Cylinder: {
            std::vector<Tet> out;
            const P3 a = V[1] - V[0];
            for (int k = 0; k < kSectors; ++k) {
                const P3 c0 = rim_point(V[0], V[1], s.r, k);
                const P3 c1 = rim_point(V[0], V[1], s.r, k + 1);
                const Solid wedge{Kind::TrianglePrism, {V[0], c0, c1, V[1], c0 + a, c1 + a}, 0.0};
                for (const Tet& t : tetrahedra_of(wedge)) out.push_back(t);
            }
            return out;
        }
    }
    return {};
}

// The cutting tables do not keep the vertex sense: in a sound hexahedron the
// central tetrahedron (index 3) has the opposite sense to the four corners,
// in a sound prism the last one (index 2) to the first two, in a cylinder
// every third. This factor brings them all to one sense.
double orientation_sign(Kind kind, int k) {
    switch (kind) {
        case Kind::Hexahedron:
            return k == 3 ? -1.0 : 1.0;
        case Kind::TrianglePrism:
        case Kind::Cylinder:
            return k % 3 == 2 ? -1.0 : 1.0;
        case Kind::Tetrahedron:
            break;
    }
    return 1.0;
}

void fail(const std::string& what) {
    std::fprintf(stderr, "make_models: %s\n", what.c_str());
    std::exit(1);
}

// Volume [m^3] and first moments [m^4] of a set of solids.
struct Mass {
    double V = 0.0;
    P3 M;
    P3 centre() const { return (1.0 / V) * M; }
};

struct Body {
    std::vector<Solid> solids;

    void tetrahedron(P3 a, P3 b, P3 c, P3 d) {
        solids.push_back({Kind::Tetrahedron, {a, b, c, d}, 0.0});
    }
    void hexahedron(const std::vector<P3>& v) { solids.push_back({Kind::Hexahedron, v, 0.0}); }
    void prism(const std::vector<P3>& v) { solids.push_back({Kind::TrianglePrism, v, 0.0}); }
    void cylinder(P3 p0, double r, P3 p1) { solids.push_back({Kind::Cylinder, {p0, p1}, r}); }

    // Axis-parallel box [x0,x1] x [y0,y1] x [z0,z1] as one hexahedron.
    void box(double x0, double x1, double y0, double y1, double z0, double z1) {
        hexahedron({{x0, y0, z0},
                    {x1, y0, z0},
                    {x1, y1, z0},
                    {x0, y1, z0},
                    {x0, y0, z1},
                    {x1, y0, z1},
                    {x1, y1, z1},
                    {x0, y1, z1}});
    }

    int count(Kind k) const {
        int n = 0;
        for (const Solid& s : solids) n += s.kind == k ? 1 : 0;
        return n;
    }

    // Volume and moments of the tetrahedra that lie wholly at or below z_cut
    // (everything with z_cut = +inf). A tetrahedron that straddles z_cut is an
    // error: the callers cut only at heights where the grid has a level.
    Mass mass_below(double z_cut) const {
        Mass m;
        for (const Solid& s : solids) {
            for (const Tet& t : tetrahedra_of(s)) {
                const double zmax = std::fmax(std::fmax(t.a.z, t.b.z), std::fmax(t.c.z, t.d.z));
                const double zmin = std::fmin(std::fmin(t.a.z, t.b.z), std::fmin(t.c.z, t.d.z));
                if (zmax <= z_cut) {
                    const double v = std::fabs(volume6(t.a, t.b, t.c, t.d)) / 6.0;
                    m.V += v;
                    m.M = m.M + (v / 4.0) * (t.a + t.b + t.c + t.d);
                } else if (zmin < z_cut) {
                    fail("a tetrahedron straddles the level z = " + std::to_string(z_cut));
                }
            }
        }
        return m;
    }
    Mass mass() const { return mass_below(HUGE_VAL); }

    // Every solid must cut into tetrahedra of one sense once the factors of
    // orientation_sign are applied (zero-volume pieces of a collapsed edge
    // aside); a folded cell would count its overlap twice, because the
    // programs add the volumes' absolute values.
    void check_orientation(const std::string& name) const {
        for (std::size_t i = 0; i < solids.size(); ++i) {
            double scale = 0.0;
            for (const P3& p : solids[i].v) scale = std::fmax(scale, length(p - solids[i].v[0]));
            if (solids[i].kind == Kind::Cylinder) scale = std::fmax(scale, solids[i].r);
            const double eps = 1e-12 * scale * scale * scale;
            int positive = 0, negative = 0, k = 0;
            for (const Tet& t : tetrahedra_of(solids[i])) {
                const double v6 =
                    orientation_sign(solids[i].kind, k++) * volume6(t.a, t.b, t.c, t.d);
                positive += v6 > eps ? 1 : 0;
                negative += v6 < -eps ? 1 : 0;
            }
            if (positive > 0 && negative > 0)
                fail(name + ": solid " + std::to_string(i) +
                     " is folded (tetrahedra of both orientations)");
            if (positive + negative == 0)
                fail(name + ": solid " + std::to_string(i) + " has no volume");
        }
    }
};

// ---------------------------------------------------------------------------
// Plane polygons: area, centroid and second moments from the vertex loop,
// by Green's theorem over the edges (u_k, w_k) -> (u_k+1, w_k+1) with
// c_k = u_k w_k+1 - u_k+1 w_k:
//   A = sum c_k / 2,  int u dA = sum c_k (u_k + u_k+1) / 6,
//   int w^2 dA = sum c_k (w_k^2 + w_k w_k+1 + w_k+1^2) / 12   (and u alike).
// A clockwise loop gives all five with the opposite sign; the caller adds
// polygons of one sense only.

struct Area2 {
    double A = 0.0, Su = 0.0, Sw = 0.0, Juu = 0.0, Jww = 0.0;  // m^2, m^3, m^4

    void add_loop(const std::vector<double>& u, const std::vector<double>& w) {
        const std::size_t n = u.size();
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t l = (k + 1) % n;
            const double c = u[k] * w[l] - u[l] * w[k];
            A += c / 2.0;
            Su += c * (u[k] + u[l]) / 6.0;
            Sw += c * (w[k] + w[l]) / 6.0;
            Juu += c * (u[k] * u[k] + u[k] * u[l] + u[l] * u[l]) / 12.0;
            Jww += c * (w[k] * w[k] + w[k] * w[l] + w[l] * w[l]) / 12.0;
        }
    }
    double cu() const { return Su / A; }
    double cw() const { return Sw / A; }
    // Second moments about the centroid axes [m^4].
    double Iuu() const { return Juu - A * cu() * cu(); }  // int (u - cu)^2 dA
    double Iww() const { return Jww - A * cw() * cw(); }  // int (w - cw)^2 dA
};

// Waterplane of a vertical 30-gon column on the axis (x, y), as the programs
// build its rim (counter-clockwise seen from above).
void add_column_waterplane(Area2& wp, double x, double y, double r) {
    std::vector<double> u, w;
    for (int k = 0; k < kSectors; ++k) {
        const P3 c = rim_point({x, y, 0.0}, {x, y, 1.0}, r, k);
        u.push_back(c.x);
        w.push_back(c.y);
    }
    wp.add_loop(u, w);
}

// ---------------------------------------------------------------------------
// Writing

std::string num(double v) {
    if (v == 0.0) v = 0.0;  // never "-0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

double written(double v) {
    return std::strtod(num(v).c_str(), nullptr);
}

class Out {
  public:
    explicit Out(const std::filesystem::path& path) : path_(path) {
        std::filesystem::create_directories(path.parent_path());
        f_ = std::fopen(path.string().c_str(), "wb");
        if (!f_) fail("cannot write " + path.string());
    }
    ~Out() {
        if (std::fclose(f_) != 0) fail("cannot finish " + path_.string());
    }
    Out(const Out&) = delete;
    Out& operator=(const Out&) = delete;

    void line(const std::string& s) {
        if (std::fputs(s.c_str(), f_) < 0 || std::fputc('\n', f_) < 0)
            fail("cannot write " + path_.string());
    }
    void point(P3 p) { line(num(p.x) + "," + num(p.y) + "," + num(p.z)); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::FILE* f_ = nullptr;
};

// The solid blocks. A remark line starts with "#" so that it can never be a
// keyword line; the readers skip it.
void write_solids(Out& o, const Body& body) {
    for (const Solid& s : body.solids) {
        switch (s.kind) {
            case Kind::Tetrahedron:
                o.line("Tetrahedron");
                break;
            case Kind::Hexahedron:
                o.line("Hexahedron");
                break;
            case Kind::TrianglePrism:
                o.line("TrianglePrism");
                break;
            case Kind::Cylinder:
                o.line("Cylinder");
                o.point(s.v[0]);
                o.line(num(s.r));
                o.point(s.v[1]);
                o.line(num(s.r));
                continue;
        }
        for (const P3& p : s.v) o.point(p);
    }
}

struct ShipHeader {
    double Loa, Lpp, B, D, VD;  // m, m, m, m; VD the displacement volume, m^3
    P3 G;                       // m
    double W_Den, C1;           // t/m^3, -
};

// The ten key lines and the remark line of a ship information file.
void write_ship_keys(Out& o, const ShipHeader& h, const std::string& remark) {
    o.line("Loa=" + num(h.Loa));
    o.line("Lpp=" + num(h.Lpp));
    o.line("B=" + num(h.B));
    o.line("D=" + num(h.D));
    o.line("VD=" + num(h.VD));
    o.line("Gra_Pt.x=" + num(h.G.x));
    o.line("Gra_Pt.y=" + num(h.G.y));
    o.line("Gra_Pt.z=" + num(h.G.z));
    o.line("W_Den=" + num(h.W_Den));
    o.line("C1=" + num(h.C1));
    o.line("# " + remark);
}

void write_ship_file(const std::filesystem::path& path, const ShipHeader& h, const Body& body,
                     const std::string& remark) {
    Out o(path);
    write_ship_keys(o, h, remark);
    write_solids(o, body);
}

// Format2 model: displacement volume V [m^3], centre of gravity G [m]; the
// body's total volume `total` [m^3] must exceed V.
void write_format2_keys(Out& o, double V, P3 G, double total, const std::string& remark) {
    const double v = written(V);
    if (!(v > 0.0 && v < total))
        fail(o.path().string() + ": displacement " + num(v) + " outside (0, " + num(total) + ")");
    o.line("Volume of Displacement=" + num(V));
    o.line("Gra_Pt.x=" + num(G.x));
    o.line("Gra_Pt.y=" + num(G.y));
    o.line("Gra_Pt.z=" + num(G.z));
    o.line("# " + remark);
}

void write_format2(const std::filesystem::path& path, double V, P3 G, const Body& body,
                   const std::string& remark) {
    Out o(path);
    write_format2_keys(o, V, G, body.mass().V, remark);
    write_solids(o, body);
}

// Four pillar axes, each from its lower end P0 to its upper end P1.
void write_pillars(const std::filesystem::path& path, const std::vector<P3>& p0,
                   const std::vector<P3>& p1) {
    Out o(path);
    for (int i = 0; i < 4; ++i) {
        o.line("#" + std::to_string(i + 1) + ":");
        o.point(p0[i]);
        o.point(p1[i]);
    }
}

void report(const std::string& name, const Body& body, const std::filesystem::path& file) {
    const Mass m = body.mass();
    std::printf("%-34s %5d hex %4d prism %3d tet %2d cyl  volume %-12s %8ju bytes\n", name.c_str(),
                body.count(Kind::Hexahedron), body.count(Kind::TrianglePrism),
                body.count(Kind::Tetrahedron), body.count(Kind::Cylinder), num(m.V).c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(file)));
}

// ---------------------------------------------------------------------------
// Box barge
//
// L = 100 (x from 0 to 100), B = 20 (y from -10 to 10), D = 10 (z from 0 to
// 10), as ten 10 m slices so that the midship station x = 50 is a face shared
// by two hexahedra. Closed forms at a level draft d (0 < d <= D):
//   V = L B d,  KB = d / 2,  Aw = L B,  LCB = LCF = L / 2,
//   BM = I_T / V = (L B^3 / 12) / (L B d) = B^2 / (12 d),
//   BML = I_L / V = (B L^3 / 12) / (L B d) = L^2 / (12 d),
//   CB = Cw = Cm = Cp = 1,  TPC = W_Den L B / 100.
// Format2 model: d = 4, V = 8000, G = (50, 0, 6):
//   KB = 2, BM = 400 / 48 = 8.3333, KM = 10.3333, GM = 4.3333 (stable),
//   GML = 2 + 10000 / 48 - 6 = 204.33.
// Heeled to phi at constant displacement, while the deck edge stays dry and
// the bilge stays wet (tan phi <= min(2 (D - d) / B, 2 d / B) = 0.4 here, i.e.
// phi <= 21.8 deg), the wall-sided formula is exact for a box:
//   GZ = sin(phi) (GM + BM tan^2(phi) / 2).
// Beyond it the immersed section is a trapezoid or triangle of the same area
// B d; its centroid gives GZ exactly (the acceptance test derives it).

constexpr double kBargeL = 100.0, kBargeB = 20.0, kBargeD = 10.0, kBargeDraft = 4.0;
constexpr double kBargeKG = 6.0;

Body box_barge() {
    Body b;
    for (int i = 0; i < 10; ++i)
        b.box(10.0 * i, 10.0 * (i + 1), -kBargeB / 2, kBargeB / 2, 0.0, kBargeD);
    return b;
}

void write_box_barge(const std::filesystem::path& dir) {
    const Body body = box_barge();
    body.check_orientation("box barge");
    const double V = kBargeL * kBargeB * kBargeDraft;
    const ShipHeader h{kBargeL, kBargeL, kBargeB, kBargeD, V, {50.0, 0.0, kBargeKG}, 1.025, 1.005};
    write_ship_file(dir / "ship.txt", h, body,
                    "box barge 100 x 20 x 10 m in ten 10 m slices (make_models)");
    write_format2(dir / "model.txt", V, {50.0, 0.0, kBargeKG}, body,
                  "box barge 100 x 20 x 10 m, draft 4 m, KG 6 m (make_models)");
    const double y = kBargeB / 2;
    write_pillars(
        dir / "FourPillars.txt", {{0, -y, 0}, {kBargeL, -y, 0}, {kBargeL, y, 0}, {0, y, 0}},
        {{0, -y, kBargeD}, {kBargeL, -y, kBargeD}, {kBargeL, y, kBargeD}, {0, y, kBargeD}});
    report("box_barge/ship.txt, model.txt", body, dir / "model.txt");
    const double KB = kBargeDraft / 2, BM = kBargeB * kBargeB / (12.0 * kBargeDraft);
    std::printf("    d = 4: V = %s, KB = %s, BM = %s, GM = %s\n", num(V).c_str(), num(KB).c_str(),
                num(BM).c_str(), num(KB + BM - kBargeKG).c_str());
}

// ---------------------------------------------------------------------------
// Wigley hull
//
// Half-breadth y(x, z) = (B/2) f(s) g(t), with s = 2 (x - L/2) / L in [-1, 1]
// measured from midship, f(s) = 1 - s^2, and t = z / T in [0, 1], so that the
// depth below the design waterline is zeta = T - z = T (1 - t) and
// g(t) = 1 - (1 - t)^2 = 2t - t^2 (0 at the keel, 1 at the waterline). Above T
// the hull is wall-sided up to D: g = 1. L = 100, B = 10, T = 6.25, D = 10.
//
// Closed forms at a level draft d = t T <= T (waterplane breadth B g(t), the
// waterplane reaches both ends so its length is L):
//   Aw(d)  = int B f g dx = B g (L/2) int_{-1}^{1} (1 - s^2) ds = (2/3) L B g(t)
//   V(d)   = int_0^d Aw dz = (2/3) L B T (t^2 - t^3 / 3)
//   KB(d)  = int_0^d z Aw dz / V = T (2t^3/3 - t^4/4) / (t^2 - t^3/3)
//   I_T(d) = (2/3) int y^3 dx = (2/3) (B/2)^3 g^3 (L/2) int (1 - s^2)^3 ds
//          = (2/3)(B^3/8) g^3 (L/2)(32/35) = (4/105) B^3 L g(t)^3
//   I_L(d) = int xi^2 2y dxi = B g (L/2)^3 int s^2 (1 - s^2) ds = B L^3 g(t) / 30
//   Am(d)  = 2 int_0^d (B/2) g dz = B T (t^2 - t^3 / 3),  Bm = B g(t)
//   Cw = Aw / (L B g) = 2/3 and Cp = V / (Am L) = 2/3 at every draft;
//   CB = V / (d L B g) = (2/3)(1 - t/3)/(2 - t),  Cm = Am / (Bm d) = (1 - t/3)/(2 - t).
// At the design draft d = T (t = 1):
//   CB = 4/9, Cw = Cm = Cp = 2/3,
//   V  = (4/9) L B T = 2777.777... m^3,
//   KB = (5/8) T = 3.90625 m,
//   BM = I_T / V = (4/105) B^3 L / ((4/9) L B T) = 3 B^2 / (35 T) = 1.3714286 m,
//   BML = I_L / V = (B L^3 / 30) / ((4/9) L B T) = 3 L^2 / (40 T) = 120 m.
// Above T (d > T), wall-sided: Aw = (2/3) L B, V = (4/9) L B T + (2/3) L B (d - T),
// V KB = (4/9) L B T (5T/8) + (2/3) L B (d - T)(d + T)/2, I_T and I_L as at T,
// Am = (2/3) B T + B (d - T), Bm = B.
//
// The table of offsets: stations x_i = i L / N (N even, so midship is a
// station) and waterlines z_j = j T / M up to the design waterline, plus the
// deck z = D with the waterline's half-breadths (the wall-sided layer); each
// half-breadth is the formula's, written with "%.10g". The hull is built from
// the table by the same code as the program hull_from_offsets
// (model/io/hull_cells.h): each cell between two stations and
// two waterlines is split at the centre plane into a starboard and a port
// half, the port half the exact mirror image, and the cells of the fore body
// are the mirror images of those of the aft body, so LCB and LCF stay at
// midship. Ordinary cells are hexahedra; keel cells (half-breadth 0 at z = 0)
// triangle prisms with their end triangles on the stations; end cells (0 at
// the stem or stern post) prisms with horizontal end triangles; the corner
// cells (keel and end at once) pyramids, as two tetrahedra. The shell faces
// are slightly twisted (y is not bilinear in x and z); every cell splits them
// along the same diagonal, from the lower corner at the station farther from
// midship to the upper corner at the nearer one, and every shared face
// (stations, waterlines, centre plane) is planar. The generator checks that
// no cell folds.

constexpr double kWigL = 100.0, kWigB = 10.0, kWigT = 6.25, kWigD = 10.0;
constexpr double kWigKG = 4.5;

struct WigleyGrid {
    int N, M;  // station intervals, waterline intervals below T

    double x(int i) const { return kWigL * i / N; }
    double z(int j) const { return j <= M ? kWigT * j / M : kWigD; }
    double half_breadth(int i, int j) const {
        const double s = static_cast<double>(2 * i - N) / N;
        const double f = 1.0 - s * s;
        double g = 1.0;
        if (j <= M) {
            const double depth = static_cast<double>(M - j) / M;  // zeta / T
            g = 1.0 - depth * depth;
        }
        return kWigB / 2 * f * g;
    }
};

// The offsets as CSV: a remark, the header row "x\z" and the waterlines, then
// one row per station.
std::string wigley_offsets_csv(const WigleyGrid& G) {
    std::string text =
        "# Wigley hull L 100 B 10 T 6.25, wall-sided from T to D 10: " + std::to_string(G.N + 1) +
        " stations x " + std::to_string(G.M + 2) + " waterlines (make_models)\n";
    text += "x\\z";
    for (int j = 0; j <= G.M + 1; ++j) text += "," + num(G.z(j));
    text += "\n";
    for (int i = 0; i <= G.N; ++i) {
        text += num(G.x(i));
        for (int j = 0; j <= G.M + 1; ++j) text += "," + num(G.half_breadth(i, j));
        text += "\n";
    }
    return text;
}

void write_text(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
        fail("cannot write " + path.string());
}

// The table read back as the program reads it, and its solids.
voxel::OffsetTable read_back(const std::string& csv, const std::string& name) {
    const voxel::OffsetTableRead read = voxel::read_offset_table(csv);
    if (!read.ok) fail(voxel::table_error_message(name, read.error));
    return read.table;
}

Body body_of(const std::vector<voxel::SolidBlock>& solids) {
    Body body;
    for (const voxel::SolidBlock& s : solids) {
        std::vector<P3> v;
        for (int i = 0; i < voxel::vertex_lines(s.kind); ++i)
            v.push_back({s.vertex[i].x, s.vertex[i].y, s.vertex[i].z});
        switch (s.kind) {
            case voxel::SolidKind::Tetrahedron:
                body.tetrahedron(v[0], v[1], v[2], v[3]);
                break;
            case voxel::SolidKind::Hexahedron:
                body.hexahedron(v);
                break;
            case voxel::SolidKind::TrianglePrism:
                body.prism(v);
                break;
            case voxel::SolidKind::Cylinder:
                fail("a hull of offsets has no cylinders");
                break;
            case voxel::SolidKind::SurfaceMesh:
                fail("a hull of offsets has no meshes");
                break;
        }
    }
    return body;
}

// Largest distance of a shell-face corner from the plane of the other three,
// over all hexahedra [m]: how far the twisted faces are from planar.
double largest_twist(const Body& body) {
    double worst = 0.0;
    for (const Solid& s : body.solids) {
        if (s.kind != Kind::Hexahedron) continue;
        const P3 n = cross(s.v[1] - s.v[0], s.v[5] - s.v[0]);
        worst = std::fmax(worst, std::fabs(dot(s.v[4] - s.v[0], n)) / length(n));
    }
    return worst;
}

// The discrete model at the design draft T, as the loading condition on it
// needs it: its table of offsets, and its volume [m^3], KB [m], waterplane
// area [m^2] and the waterplane's transverse second moment [m^4] at T.
struct WigleyAtT {
    voxel::OffsetTable table;
    double V = 0.0, KB = 0.0, Aw = 0.0, I_T = 0.0;
};

WigleyAtT write_wigley(const std::filesystem::path& dir, const WigleyGrid& G,
                       const std::string& table_file, const std::string& file,
                       const std::string& label) {
    const std::string csv = wigley_offsets_csv(G);
    write_text(dir / table_file, csv);
    const voxel::OffsetTable table = read_back(csv, "wigley/" + table_file);
    const Body body = body_of(voxel::hull_solids(table));
    body.check_orientation("wigley " + label);
    const double V_T = 4.0 / 9.0 * kWigL * kWigB * kWigT;
    const ShipHeader h{kWigL, kWigL, kWigB, kWigD, V_T, {kWigL / 2, 0.0, kWigKG}, 1.025, 1.0};
    write_ship_file(dir / file, h, body,
                    "Wigley hull L 100 B 10 T 6.25 D 10, " + label + " grid " +
                        std::to_string(G.N) + " x " + std::to_string(G.M) + " (make_models)");
    report("wigley/" + table_file + ", " + file, body, dir / file);

    // The discrete model at the design draft, against the closed forms: the
    // volume below the level z = T, the waterplane polygon at T and the
    // midship section polygon are exact for the model's flat-faced cells.
    const Mass below = body.mass_below(kWigT);
    const auto y = [&](int i, int j) { return table.half_breadth(i, j); };
    Area2 wp, mid;
    std::vector<double> u, w;
    for (int i = 0; i <= G.N; ++i) u.push_back(table.x[i]), w.push_back(-y(i, G.M));
    for (int i = G.N; i >= 0; --i) u.push_back(table.x[i]), w.push_back(y(i, G.M));
    wp.add_loop(u, w);
    u.clear(), w.clear();
    for (int j = G.M; j >= 0; --j) u.push_back(-y(G.N / 2, j)), w.push_back(table.z[j]);
    for (int j = 1; j <= G.M; ++j) u.push_back(y(G.N / 2, j)), w.push_back(table.z[j]);
    mid.add_loop(u, w);
    const double V = below.V, KB = below.centre().z;
    const double box = kWigL * kWigB * kWigT;
    std::printf("    at T: CB %.6f (4/9 %.6f)  Cw %.6f  Cm %.6f  Cp %.6f (2/3)\n", V / box,
                4.0 / 9.0, wp.A / (kWigL * kWigB), mid.A / (kWigB * kWigT), V / (mid.A * kWigL));
    std::printf("          V %.4f (%.4f)  KB %.5f (%.5f)  BM %.6f (%.6f)  BML %.4f (120)\n", V, V_T,
                KB, 5.0 / 8.0 * kWigT, wp.Iww() / V, 3.0 * kWigB * kWigB / (35.0 * kWigT),
                wp.Iuu() / V);
    std::printf("          LCB %.9g  TCB %.3g  largest shell twist %.3g m\n", below.centre().x,
                below.centre().y, largest_twist(body));
    return {table, V, KB, wp.A, wp.Iww()};
}

// ---------------------------------------------------------------------------
// Mesh hulls
//
// The Wigley hull above, and a catamaran of two smaller Wigley demi-hulls
// under a deck box, as closed triangle meshes (examples/generator/
// wigley_surface.h): the shell between two stations and two levels is two
// triangles on each side instead of a cell, so at the levels of the grid the
// mesh hull is the table's hull (the same waterplane and station polygons),
// and a mesh of the grid of ship_fine.txt gives its CB, Cw and Cm.
//
// The figures the generator prints come from the facets alone: at a level z
// of the grid no facet straddles the plane, and the solid below it is the sum
// of the tetrahedra joining a point q of the plane to every facet wholly
// below it, each with the sign of det(a - q, b - q, c - q) (the facets above
// give tetrahedra above the plane, which contribute nothing; the cap in the
// plane gives tetrahedra of no volume). The programs cut a fan from another
// point, so the figures are an independent check of theirs.

// The vertices as the mesh file stores them: float32 in a binary STL, %.10g
// in an OBJ.
wigley::Mesh as_stored(wigley::Mesh mesh, bool stl) {
    for (wigley::Vertex& v : mesh.vertices)
        for (double* c : {&v.x, &v.y, &v.z})
            *c = stl ? static_cast<double>(static_cast<float>(*c)) : written(*c);
    return mesh;
}

P3 vertex(const wigley::Mesh& mesh, int i) {
    const wigley::Vertex& v = mesh.vertices[static_cast<std::size_t>(i)];
    return {v.x, v.y, v.z};
}

// Volume and moments of the part of a closed mesh below the level z_cut, at
// which no facet may straddle; q any point of that plane.
Mass mesh_mass_below(const wigley::Mesh& mesh, double z_cut, P3 q) {
    Mass m;
    for (const auto& f : mesh.facets) {
        const P3 a = vertex(mesh, f[0]), b = vertex(mesh, f[1]), c = vertex(mesh, f[2]);
        const double zmax = std::fmax(a.z, std::fmax(b.z, c.z));
        const double zmin = std::fmin(a.z, std::fmin(b.z, c.z));
        if (zmin >= z_cut) continue;
        if (zmax > z_cut) fail("a facet straddles the level z = " + std::to_string(z_cut));
        const double v = volume6(q, a, b, c) / 6.0;
        m.V += v;
        m.M = m.M + (v / 4.0) * (q + a + b + c);
    }
    return m;
}

// A model file whose one solid is the mesh file beside it.
void write_mesh_block(Out& o, const std::string& mesh_file) {
    o.line("SurfaceMesh");
    o.line(mesh_file);
    o.line("1");
    o.line("0,0,0");
}

void write_mesh_ship_file(const std::filesystem::path& path, const ShipHeader& h,
                          const std::string& mesh_file, const std::string& remark) {
    Out o(path);
    write_ship_keys(o, h, remark);
    write_mesh_block(o, mesh_file);
}

void write_mesh_format2(const std::filesystem::path& path, double V, P3 G, double total,
                        const std::string& mesh_file, const std::string& remark) {
    Out o(path);
    write_format2_keys(o, V, G, total, remark);
    write_mesh_block(o, mesh_file);
}

void report_mesh(const std::string& name, const wigley::Mesh& mesh,
                 const std::filesystem::path& file) {
    std::printf("%-34s %7zu facets %6zu vertices %23s %8ju bytes\n", name.c_str(),
                mesh.facets.size(), mesh.vertices.size(), "",
                static_cast<std::uintmax_t>(std::filesystem::file_size(file)));
}

// The Wigley hull of the section above as a binary STL on the grids of
// ship_coarse.txt and ship_fine.txt; the fine one also as a Format2 model
// floating at T (V the mesh's volume below T, G above its centre of
// buoyancy at KG 4.5) with the pillar marks of hull_from_offsets.
void write_wigley_mesh(const std::filesystem::path& dir) {
    const wigley::Hull hull;
    for (const WigleyGrid G : {WigleyGrid{10, 5}, WigleyGrid{40, 20}}) {
        const bool fine = G.N == 40;
        const std::string label = fine ? "fine" : "coarse";
        const std::string stl = "hull_" + label + ".stl";
        const wigley::Mesh mesh = as_stored(wigley::surface(hull, G.N, G.M), true);
        const std::string remark = "Wigley hull L 100 B 10 T 6.25 D 10, " + label + " grid " +
                                   std::to_string(G.N) + " x " + std::to_string(G.M);
        write_text(dir / stl, wigley::binary_stl(mesh, remark + " (make_models)"));
        const Mass below = mesh_mass_below(mesh, kWigT, {kWigL / 2, 0.0, kWigT});
        const Mass whole = mesh_mass_below(mesh, kWigD, {kWigL / 2, 0.0, kWigD});
        // VD as in the ship files of wigley/: the smooth hull's volume at T.
        const ShipHeader h{kWigL, kWigL, kWigB, kWigD, 4.0 / 9.0 * kWigL * kWigB * kWigT,
                           {kWigL / 2, 0.0, kWigKG}, 1.025, 1.0};
        write_mesh_ship_file(dir / ("ship_" + label + ".txt"), h, stl,
                             remark + ", a closed mesh (make_models)");
        report_mesh("wigley_mesh/" + stl + ", ship_" + label + ".txt", mesh, dir / stl);
        std::printf("    at T: V %.4f  CB %.6f  KB %.5f  LCB %.9g  (whole hull %.4f)\n", below.V,
                    below.V / (kWigL * kWigB * kWigT), below.centre().z, below.centre().x,
                    whole.V);
        if (!fine) continue;
        write_mesh_format2(dir / "model.txt", below.V, {below.centre().x, 0.0, kWigKG}, whole.V,
                           stl, remark + ", a closed mesh, draft 6.25 m, KG 4.5 m (make_models)");
        write_pillars(dir / "FourPillars.txt",
                      {{0, 0, 0}, {kWigL, 0, 0}, {kWigL / 2, kWigB / 2, 0},
                       {kWigL / 2, -kWigB / 2, 0}},
                      {{0, 0, kWigD}, {kWigL, 0, kWigD}, {kWigL / 2, kWigB / 2, kWigD},
                       {kWigL / 2, -kWigB / 2, kWigD}});
    }
}

// Catamaran: two Wigley demi-hulls L 60, B 4, T 2.5, D 4 (wall-sided from T
// to D) on the centre lines y = +-5, x from 0 to 60, each on a grid of 30
// stations x 10 levels, under a deck box x 5..55, y -7..7, z 4..5.5 that
// rests on them (three closed shells in one OBJ; the deck box's underside
// touches the demi-hulls' decks). Below D the catamaran is the two
// demi-hulls: its volume twice one's, its waterplane's transverse second
// moment 2 (I_T + A 5^2) of one demi-hull's waterplane (A, I_T about its own
// centre line). Format2 model at T (V twice a demi-hull's volume below T),
// G at (30, 0, 4); pillar marks at the four corners of the deck box.
constexpr double kCatL = 60.0, kCatB = 4.0, kCatT = 2.5, kCatD = 4.0, kCatOffset = 5.0;
constexpr double kCatDeckTop = 5.5, kCatKG = 4.0;

void write_catamaran(const std::filesystem::path& dir) {
    wigley::Mesh mesh;
    for (const double y0 : {-kCatOffset, kCatOffset}) {
        wigley::Hull demi;
        demi.L = kCatL, demi.B = kCatB, demi.T = kCatT, demi.D = kCatD, demi.y0 = y0;
        wigley::append(mesh, wigley::surface(demi, 30, 10));
    }
    wigley::add_box(mesh, 5.0, 55.0, -7.0, 7.0, kCatD, kCatDeckTop);
    mesh = as_stored(mesh, false);
    const std::string remark =
        "catamaran: two Wigley demi-hulls L 60 B 4 T 2.5 D 4 at y = +-5 under a deck box "
        "50 x 14 x 1.5";
    write_text(dir / "catamaran.obj", wigley::obj(mesh, remark + " (make_models)"));
    const Mass below = mesh_mass_below(mesh, kCatT, {kCatL / 2, 0.0, kCatT});
    const Mass whole = mesh_mass_below(mesh, kCatDeckTop, {kCatL / 2, 0.0, kCatDeckTop});
    // D is the depth of the demi-hulls: the deck box stands above it.
    const ShipHeader h{kCatL, kCatL, 2 * kCatOffset + kCatB, kCatD, below.V,
                       {kCatL / 2, 0.0, kCatKG}, 1.025, 1.0};
    write_mesh_ship_file(dir / "ship.txt", h, "catamaran.obj", remark + " (make_models)");
    write_mesh_format2(dir / "model.txt", below.V, {below.centre().x, 0.0, kCatKG}, whole.V,
                       "catamaran.obj", remark + ", draft 2.5 m, KG 4 m (make_models)");
    write_pillars(dir / "FourPillars.txt", {{5, -7, 0}, {55, -7, 0}, {55, 7, 0}, {5, 7, 0}},
                  {{5, -7, kCatDeckTop}, {55, -7, kCatDeckTop}, {55, 7, kCatDeckTop},
                   {5, 7, kCatDeckTop}});
    report_mesh("catamaran/catamaran.obj, ship.txt", mesh, dir / "catamaran.obj");
    std::printf("    at T: V %.4f  KB %.5f  LCB %.9g  (whole %.4f)\n", below.V, below.centre().z,
                below.centre().x, whole.V);
}

// ---------------------------------------------------------------------------
// Four-column semi-submersible
//
// Two pontoons 80 x 12 x 8 (x from -40 to 40, y centred on +-30, z 0 to 8),
// four columns of radius 6 on the axes x = +-30, y = +-30 from z = 8 to 33
// (25 high, standing on the pontoons, within their breadth), and a deck box
// 72 x 72 x 6 from z = 33 to 39. No two solids overlap. Level draft 18 (10 m
// up the columns):
//   V  = 2 (80 12 8) + 4 A30 (18 - 8),  A30 = 15 sin(2*3.1415926/30) 6^2 = 112.2723 m^2
//      = 15360 + 4490.89 = 19850.89 m^3,
//   KB = (15360 * 4 + 4490.89 * 13) / V = 6.0361 m.
// Waterplane: four 30-gons. A fan triangle (centre, C_k, C_k+1) with apex
// angle a = 2*3.1415926/30 has the polar moment (A/6)(r^2 + r^2 cos a + r^2)
// about the centre, A = r^2 sin a / 2; summed over 30 and halved (the
// polygon's moments about any two perpendicular diameters agree):
//   I30 = 30 r^4 sin a (2 + cos a) / 24 = 1003.1 m^4 (pi r^4 / 4 = 1017.9),
//   I_T = I_L = 4 (I30 + A30 30^2) = 408,192 m^4,
//   BM = BML = I_T / V = 20.563 m, KM = KML = 26.599 m.
// G = (0.5, 0.25, 20): GM = GML = 6.599 m (stable). The offsets trim and heel
// the platform by about 0.5 / GML and 0.25 / GM rad (4.3 and 2.2 deg, so the
// column drafts differ by some 4.5 m and 2.3 m); the floating-attitude
// iteration finds the exact attitude. The symmetric variant puts G at
// (0, 0, 20): its righting-arm curve is the same to port and starboard, to
// the accuracy with which the 30-gon closes (the rim's last
// point misses the first by 2 pi - 2*3.1415926 = 1.1e-7 rad).

constexpr double kSemiDraft = 18.0, kSemiKG = 20.0, kSemiR = 6.0;
constexpr double kSemiColumnX = 30.0, kSemiColumnY = 30.0, kSemiPontoonTop = 8.0,
                 kSemiColumnTop = 33.0;

Body semisub() {
    Body b;
    b.box(-40, 40, 24, 36, 0, kSemiPontoonTop);    // port pontoon
    b.box(-40, 40, -36, -24, 0, kSemiPontoonTop);  // starboard pontoon
    const double cx[4] = {kSemiColumnX, -kSemiColumnX, -kSemiColumnX, kSemiColumnX};
    const double cy[4] = {kSemiColumnY, kSemiColumnY, -kSemiColumnY, -kSemiColumnY};
    for (int k = 0; k < 4; ++k)
        b.cylinder({cx[k], cy[k], kSemiPontoonTop}, kSemiR, {cx[k], cy[k], kSemiColumnTop});
    b.box(-36, 36, -36, 36, kSemiColumnTop, kSemiColumnTop + 6.0);  // deck box
    return b;
}

void write_semisub(const std::filesystem::path& dir, P3 G, const std::string& name,
                   const std::string& remark) {
    const Body body = semisub();
    body.check_orientation(name);
    const double A30 = rim_polygon_area(kSemiR);
    const double Vp = 2 * 80.0 * 12.0 * 8.0, Vc = 4 * A30 * (kSemiDraft - kSemiPontoonTop);
    const double V = Vp + Vc;
    write_format2(dir / "model.txt", V, G, body, remark);
    std::vector<P3> p0, p1;
    for (const Solid& s : body.solids)
        if (s.kind == Kind::Cylinder) p0.push_back(s.v[0]), p1.push_back(s.v[1]);
    write_pillars(dir / "FourPillars.txt", p0, p1);
    report(name + "/model.txt", body, dir / "model.txt");

    Area2 wp;
    for (int k = 0; k < 4; ++k) add_column_waterplane(wp, p0[k].x, p0[k].y, kSemiR);
    const double KB = (Vp * kSemiPontoonTop / 2 + Vc * (kSemiPontoonTop + kSemiDraft) / 2) / V;
    std::printf(
        "    d = 18: V = %s, KB = %.4f, BM = I_T/V = %.4f, BML = %.4f, GM = %.4f, GML = %.4f\n",
        num(V).c_str(), KB, wp.Iww() / V, wp.Iuu() / V, KB + wp.Iww() / V - G.z,
        KB + wp.Iuu() / V - G.z);
}

// ---------------------------------------------------------------------------
// Mixed model: a small work pontoon that uses all four kinds of solid.
//   Hexahedron     main hull box 20 x 8 x 3 (x 0..20, y -4..4, z 0..3);
//   TrianglePrism  wedge bow with a vertical stem, horizontal end triangles
//                  (20,-4) (26,0) (20,4) at z = 0 and z = 3;
//   Tetrahedron    skeg under the stern: (1,-0.4,0) (1,0.4,0) (9,0,0) (1,0,-1.5),
//                  volume 0.8 * 8 / 2 * 1.5 / 3 = 1.6 m^3;
//   Cylinder       a bulb along x ahead of the stem, P0 (26,0,1), P1 (29,0,1),
//                  r 0.8 (the axis-along-x rim rule), and a deckhouse drum on
//                  deck, vertical, P0 (8,0,3), P1 (8,0,6), r 1.5.
// Level draft 2 (bulb and skeg wholly submerged, deckhouse dry):
//   V  = 320 + 48 + 1.6 + 3 A30(0.8) = 369.6 + 5.9908 = 375.59 m^3,
//   KB = (320*1 + 48*1 + 1.6*(-0.375) + 5.9908*1) / V = 0.9941 m,
//   waterplane: pentagon (0,-4) (20,-4) (26,0) (20,4) (0,4), I_T = 853.33 + 64
//   = 917.33 m^4, BM = 2.442 m; with KG = 2.2, GM = 1.237 m (stable).
// LCB at d = 2 is 11.78; G is put at x = 11.5, y = 0.05, so the pontoon trims
// slightly by the stern and lists a little to port.

Body mixed() {
    Body b;
    b.box(0, 20, -4, 4, 0, 3);
    b.prism({{20, -4, 0}, {26, 0, 0}, {20, 4, 0}, {20, -4, 3}, {26, 0, 3}, {20, 4, 3}});
    b.tetrahedron({1, -0.4, 0}, {1, 0.4, 0}, {9, 0, 0}, {1, 0, -1.5});
    b.cylinder({26, 0, 1}, 0.8, {29, 0, 1});
    b.cylinder({8, 0, 3}, 1.5, {8, 0, 6});
    return b;
}

void write_mixed(const std::filesystem::path& dir) {
    const Body body = mixed();
    body.check_orientation("mixed");
    const double Vbulb = rim_polygon_area(0.8) * 3.0;
    const double V = 320.0 + 48.0 + 1.6 + Vbulb;
    const P3 G{11.5, 0.05, 2.2};
    write_format2(dir / "model.txt", V, G, body,
                  "work pontoon of all four solid kinds, draft 2 m (make_models)");
    const ShipHeader h{29.0, 26.0, 8.0, 3.0, V, {G.x, 0.0, G.z}, 1.025, 1.0};
    write_ship_file(dir / "ship.txt", h, body,
                    "work pontoon of all four solid kinds (make_models)");
    write_pillars(dir / "FourPillars.txt", {{0, -4, 0}, {20, -4, 0}, {20, 4, 0}, {0, 4, 0}},
                  {{0, -4, 3}, {20, -4, 3}, {20, 4, 3}, {0, 4, 3}});
    report("mixed/model.txt, ship.txt", body, dir / "model.txt");

    Area2 wp;
    wp.add_loop({0, 20, 26, 20, 0}, {-4, -4, 0, 4, 4});
    const double Mz = 320.0 * 1.0 + 48.0 * 1.0 + 1.6 * (-1.5 / 4) + Vbulb * 1.0;
    const double Mx = 320.0 * 10.0 + 48.0 * 22.0 + 1.6 * (1 + 1 + 9 + 1) / 4.0 + Vbulb * 27.5;
    const double KB = Mz / V;
    std::printf("    d = 2: V = %s, LCB = %.4f, KB = %.4f, BM = %.4f, GM = %.4f, BML = %.3f\n",
                num(V).c_str(), Mx / V, KB, wp.Iww() / V, KB + wp.Iww() / V - G.z, wp.Iuu() / V);
}

// ---------------------------------------------------------------------------
// Loading conditions (loading/)
//
// A condition file (TOML) names its hull model, gives the lightship, the
// items, the tanks with their liquids, the downflooding openings and the heel
// step of the GZ curve; each tank's inner space is a solids file of one
// Hexahedron block beside it, in tanks/. Paths are relative to the condition
// file. Masses in t, lengths in m, densities in t/m^3.
//
// Every tank here is a prism along x from x0 to x1 whose section is a
// trapezoid: y from ya0 to yb0 at z0 and from ya1 to yb1 at z1, straight in
// between (a box when the two agree). With u = z - z0, the breadth
// w(u) = w0 + k u and the mid-line m(u) = m0 + q u are linear, so the
// liquid filled level to the height h holds the section area
//   S(h) = int_0^h w du = w0 h + k h^2 / 2,
//   h    = 2 S / (w0 + sqrt(w0^2 + 2 k S))   (the root of the quadratic, in the
//                                             form that holds for k = 0 too),
// and its centroid, with
//   int_0^h w u du = w0 h^2 / 2 + k h^3 / 3,
//   int_0^h w m du = w0 m0 h + (w0 q + k m0) h^2 / 2 + k q h^3 / 3,
// is ((x0 + x1) / 2, int w m du / S, z0 + int w u du / S). The tank's
// capacity is the permeability times the shape's volume, and the liquid
// fills volume / permeability of the shape. A liquid surface, neither empty
// nor full, is the strip (x1 - x0) x w(h): its second moment about its own
// centre line is (x1 - x0) w(h)^3 / 12, and the free-surface moment
// density x permeability x that [t m]. These are the level-liquid figures
// that the generator prints for each condition: displacement, G with every
// liquid at its level centroid, the sum of the free-surface moments.

struct TankShape {
    double x0, x1, z0, z1;  // m
    double ya0, yb0;        // y range at z0, ya0 < yb0 [m]
    double ya1, yb1;        // y range at z1 [m]
    // The tank is the mirror image (y -> -y) of these ranges, vertex by
    // vertex, so that a pair of wing tanks is exactly symmetric (the
    // hexahedron then goes round the other way, which the readers accept).
    bool mirror = false;

    // One hexahedron: V0..V3 the face z = z0 and V4..V7 the face z = z1,
    // both in the order (x0, ya) (x1, ya) (x1, yb) (x0, yb).
    std::vector<P3> vertices() const {
        const double m = mirror ? -1.0 : 1.0;
        return {{x0, m * ya0, z0}, {x1, m * ya0, z0}, {x1, m * yb0, z0}, {x0, m * yb0, z0},
                {x0, m * ya1, z1}, {x1, m * ya1, z1}, {x1, m * yb1, z1}, {x0, m * yb1, z1}};
    }
    // The same tank on the other side.
    TankShape mirrored() const {
        TankShape s = *this;
        s.mirror = !mirror;
        return s;
    }
    double volume() const { return (x1 - x0) * ((yb0 - ya0) + (yb1 - ya1)) / 2 * (z1 - z0); }
    // Largest |y| of the tank between the heights za <= zb (within z0..z1):
    // its sides are straight in z, so it is taken at one end.
    double largest_abs_y(double za, double zb) const {
        double y = 0.0;
        for (const double z : {za, zb}) {
            const double t = (z - z0) / (z1 - z0);
            y = std::fmax(
                y, std::fmax(std::fabs(ya0 + (ya1 - ya0) * t), std::fabs(yb0 + (yb1 - yb0) * t)));
        }
        return y;
    }
};

enum class Amount { Fill, Volume, Mass };

struct TankLoad {
    std::string name, file;  // file: the shape's solids file within tanks/
    TankShape shape;
    double density;       // t/m^3
    Amount kind;          // how the file gives the amount:
    double amount;        // fill 0..1 of the capacity, m^3 or t
    double permeability;  // written only when not 1
};

struct Weight {
    std::string name;
    double mass;  // t
    P3 centre;    // m
};

struct OpeningPoint {
    std::string name;
    P3 point;  // m
};

// The severe wind and rolling criterion's [weather] table: windage
// polygons (x, z) beside the hull's own, the bilge keels, a deck-edge point.
struct WeatherData {
    std::vector<std::vector<std::pair<double, double>>> profile;  // m
    double bilge_keel_area;                                       // m^2; 0: not written
    P3 deck_edge;                                                 // m
};

// A compartment that a damage case floods: its space (one hexahedron, a
// solids file in compartments/) and its permeability.
struct CompartmentSpace {
    std::string name, file;
    TankShape shape;
    double permeability;
};

struct DamageCase {
    std::string name;
    std::vector<std::string> compartments;
};

struct LoadingCondition {
    std::string name;
    std::string hull;  // the hull model, relative to the condition file
    Weight lightship;
    std::vector<Weight> items;
    std::vector<TankLoad> tanks;
    std::vector<OpeningPoint> openings;
    int heel_step;  // degrees; 0: no [gz] table (the default step, 1)
    std::optional<WeatherData> weather;  // none: no [weather] table
    std::vector<CompartmentSpace> compartments;
    std::vector<DamageCase> damages;
};

struct Liquid {
    double shape_volume, capacity, volume, mass;  // m^3, m^3, m^3, t
    P3 centre;   // m, at the level; the shape's centroid when empty
    double fsm;  // t m
};

Liquid level_liquid(const TankLoad& t) {
    const TankShape& s = t.shape;
    Liquid q{};
    q.shape_volume = s.volume();
    q.capacity = t.permeability * q.shape_volume;
    q.volume = t.kind == Amount::Fill     ? t.amount * q.capacity
               : t.kind == Amount::Volume ? t.amount
                                          : t.amount / t.density;
    if (!(q.volume >= 0.0 && q.volume <= q.capacity))
        fail("tank " + t.name + ": " + num(q.volume) + " m^3 of liquid in a capacity of " +
             num(q.capacity));
    q.mass = t.density * q.volume;
    const double H = s.z1 - s.z0, len = s.x1 - s.x0;
    const double w0 = s.yb0 - s.ya0, k = ((s.yb1 - s.ya1) - w0) / H;
    const double m0 = (s.ya0 + s.yb0) / 2, qm = ((s.ya1 + s.yb1) / 2 - m0) / H;
    const bool full = q.volume == q.capacity, empty = q.volume == 0.0;
    // The filled height: all of it when full, 0 when empty (then the centre
    // is that of the whole shape; the liquid has no mass).
    const double S = empty ? w0 * H + k * H * H / 2 : q.volume / t.permeability / len;
    const double h = full || empty ? H : 2 * S / (w0 + std::sqrt(w0 * w0 + 2 * k * S));
    const double area = w0 * h + k * h * h / 2;
    const double Mu = w0 * h * h / 2 + k * h * h * h / 3;
    const double Mm = w0 * m0 * h + (w0 * qm + k * m0) * h * h / 2 + k * qm * h * h * h / 3;
    q.centre = {(s.x0 + s.x1) / 2, (s.mirror ? -1.0 : 1.0) * (Mm / area), s.z0 + Mu / area};
    const double b = w0 + k * h;
    q.fsm = full || empty ? 0.0 : t.density * t.permeability * len * b * b * b / 12;
    return q;
}

// The tank's hexahedron must be sound, and its volume that of the closed
// form (a check of the vertex order).
Body tank_body(const TankLoad& t) {
    Body b;
    b.hexahedron(t.shape.vertices());
    b.check_orientation("tank " + t.name);
    const double V = b.mass().V, expected = t.shape.volume();
    if (std::fabs(V - expected) > 1e-9 * expected)
        fail("tank " + t.name + ": volume " + num(V) + " instead of " + num(expected));
    return b;
}

// No two tanks may share space: their bounding boxes have no common
// interior (a tank's bounding box is the box of its eight vertices).
void check_tanks_apart(const std::vector<TankLoad>& tanks) {
    struct Bounds {
        P3 lo, hi;
    };
    const auto bounds = [](const TankShape& s) {
        const double lo = std::fmin(s.ya0, s.ya1), hi = std::fmax(s.yb0, s.yb1);
        Bounds b{{s.x0, s.mirror ? -hi : lo, s.z0}, {s.x1, s.mirror ? -lo : hi, s.z1}};
        return b;
    };
    for (std::size_t i = 0; i < tanks.size(); ++i)
        for (std::size_t j = i + 1; j < tanks.size(); ++j) {
            const Bounds a = bounds(tanks[i].shape), b = bounds(tanks[j].shape);
            if (a.lo.x < b.hi.x && b.lo.x < a.hi.x && a.lo.y < b.hi.y && b.lo.y < a.hi.y &&
                a.lo.z < b.hi.z && b.lo.z < a.hi.z)
                fail("tanks " + tanks[i].name + " and " + tanks[j].name + " overlap");
        }
}

// A TOML number: "%.10g" with ".0" added to a whole number, so that every
// value reads as a float.
std::string toml_num(double v) {
    std::string s = num(v);
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

std::string toml_point(P3 p) {
    return "[" + toml_num(p.x) + ", " + toml_num(p.y) + ", " + toml_num(p.z) + "]";
}

// The tanks and the compartments together, for the check that no two
// spaces overlap.
std::vector<TankLoad> with_compartments(const LoadingCondition& c) {
    std::vector<TankLoad> all = c.tanks;
    for (const CompartmentSpace& k : c.compartments)
        all.push_back({k.name, k.file, k.shape, 1.0, Amount::Fill, 0.0, 1.0});
    return all;
}

void write_condition(const std::filesystem::path& dir, const LoadingCondition& c,
                     const std::string& remark) {
    for (const TankLoad& t : c.tanks) {
        const Body body = tank_body(t);
        const TankShape& s = t.shape;
        Out o(dir / "tanks" / t.file);
        o.line("# tank " + t.name + ": x " + num(s.x0) + " to " + num(s.x1) + ", z " + num(s.z0) +
               " to " + num(s.z1) + " (make_models)");
        write_solids(o, body);
    }
    Out o(dir / "condition.toml");
    o.line("# " + remark);
    o.line("name = \"" + c.name + "\"");
    o.line("");
    o.line("[hull]");
    o.line("model = \"" + c.hull + "\"");
    o.line("");
    o.line("[lightship]");
    o.line("mass = " + toml_num(c.lightship.mass));
    o.line("centre = " + toml_point(c.lightship.centre));
    for (const Weight& w : c.items) {
        o.line("");
        o.line("[[item]]");
        o.line("name = \"" + w.name + "\"");
        o.line("mass = " + toml_num(w.mass));
        o.line("centre = " + toml_point(w.centre));
    }
    for (const TankLoad& t : c.tanks) {
        o.line("");
        o.line("[[tank]]");
        o.line("name = \"" + t.name + "\"");
        o.line("shape = \"tanks/" + t.file + "\"");
        o.line("density = " + toml_num(t.density));
        const char* key = t.kind == Amount::Fill     ? "fill"
                          : t.kind == Amount::Volume ? "volume"
                                                     : "mass";
        o.line(std::string(key) + " = " + toml_num(t.amount));
        if (t.permeability != 1.0) o.line("permeability = " + toml_num(t.permeability));
    }
    for (const OpeningPoint& p : c.openings) {
        o.line("");
        o.line("[[opening]]");
        o.line("name = \"" + p.name + "\"");
        o.line("point = " + toml_point(p.point));
    }
    if (c.heel_step > 0) {
        o.line("");
        o.line("[gz]");
        o.line("heel_step = " + std::to_string(c.heel_step));
    }
    if (c.weather) {
        const WeatherData& w = *c.weather;
        o.line("");
        o.line("[weather]");
        std::string profile = "profile = [";
        for (std::size_t i = 0; i < w.profile.size(); ++i) {
            profile += i == 0 ? "[" : ", [";
            for (std::size_t j = 0; j < w.profile[i].size(); ++j)
                profile += (j == 0 ? "[" : ", [") + toml_num(w.profile[i][j].first) + ", " +
                           toml_num(w.profile[i][j].second) + "]";
            profile += "]";
        }
        o.line(profile + "]");
        if (w.bilge_keel_area > 0.0) o.line("bilge_keel_area = " + toml_num(w.bilge_keel_area));
        o.line("deck_edge = " + toml_point(w.deck_edge));
    }
    for (const CompartmentSpace& k : c.compartments) {
        o.line("");
        o.line("[[compartment]]");
        o.line("name = \"" + k.name + "\"");
        o.line("shape = \"compartments/" + k.file + "\"");
        o.line("permeability = " + toml_num(k.permeability));
    }
    for (const DamageCase& d : c.damages) {
        o.line("");
        o.line("[[damage]]");
        o.line("name = \"" + d.name + "\"");
        std::string list = "compartments = [";
        for (std::size_t i = 0; i < d.compartments.size(); ++i)
            list += (i == 0 ? "\"" : ", \"") + d.compartments[i] + "\"";
        o.line(list + "]");
    }
    for (const CompartmentSpace& k : c.compartments) {
        const Body body = tank_body({k.name, k.file, k.shape, 1.0, Amount::Fill, 0.0, 1.0});
        const TankShape& s = k.shape;
        Out ko(dir / "compartments" / k.file);
        ko.line("# compartment " + k.name + ": x " + num(s.x0) + " to " + num(s.x1) + ", z " +
                num(s.z0) + " to " + num(s.z1) + " (make_models)");
        write_solids(ko, body);
    }
}

// The condition's weights with the liquids at their levels, printed tank by
// tank, summed in the order lightship, items, tanks.
struct Loading {
    double M = 0.0;    // t
    P3 G;              // m
    double fsm = 0.0;  // t m
};

Loading report_condition(const std::string& name, const LoadingCondition& c) {
    std::printf("%-34s %5zu tanks %3zu items %2zu openings\n", name.c_str(), c.tanks.size(),
                c.items.size(), c.openings.size());
    Loading l;
    P3 moment;
    std::vector<Weight> fixed{c.lightship};
    fixed.insert(fixed.end(), c.items.begin(), c.items.end());
    for (const Weight& w : fixed) {
        l.M += w.mass;
        moment = moment + w.mass * w.centre;
    }
    for (const TankLoad& t : c.tanks) {
        const Liquid q = level_liquid(t);
        std::printf(
            "    %-7s shape %9.4f m3  liquid %9.4f m3 %9.4f t at (%.4f, %.4f, %.4f)  FSM %.3f\n",
            t.name.c_str(), q.shape_volume, q.volume, q.mass, q.centre.x, q.centre.y, q.centre.z,
            q.fsm);
        l.M += q.mass;
        moment = moment + q.mass * q.centre;
        l.fsm += q.fsm;
    }
    l.G = (1.0 / l.M) * moment;
    std::printf("    displacement %.4f t  G (%.5f, %.5f, %.5f)  FSM %.3f t m  FSC %.5f m\n", l.M,
                l.G.x, l.G.y, l.G.z, l.fsm, l.fsm / l.M);
    return l;
}

constexpr double kTankClearance = 0.05;  // least gap between a tank and the shell [m]

// Box barge: the lightship 4000 t at (50, 0, 6), deck cargo and a crane, a
// double bottom of water ballast (full), two wing tanks at the same x (the
// port one full, the starboard one at 0.3), a fuel tank on the centre line
// (0.6). The barge is a box, so a tank is inside when its vertices are.
// LCG = 50 = LCB: it floats without trim. Upright with the liquids level:
//   draft d = M / (1.025 L B), KB = d / 2, BM = B^2 / (12 d),
//   GM_fluid = KB + BM - KG - FSM / M.
// G lies to port (y > 0), so the barge lists to port (heel < 0). While the
// deck edge and the bilge stay clear and each free surface stays within its
// tank's walls, hull and tanks are wall-sided: a liquid of volume v and
// surface moment i moves its centre by (i / v) tan(phi) across and
// (i / v) tan^2(phi) / 2 up, as a box's centre of buoyancy does, so
//   GZ(phi) = sin(phi) (GM_fluid + (BM - FSM / M) tan^2(phi) / 2) - TCG cos(phi),
// and the list is the root of tan(phi) (GM_fluid + (BM - FSM / M) tan^2(phi) / 2) = TCG.
void write_loading_box_barge(const std::filesystem::path& dir) {
    LoadingCondition c;
    c.name = "Box barge, ballast and deck cargo, listed to port";
    c.hull = "../../box_barge/ship.txt";
    c.lightship = {"lightship", 4000.0, {50.0, 0.0, kBargeKG}};
    c.items = {{"deck cargo", 1500.0, {48.75, 0.0, 11.5}}, {"crane", 80.0, {20.0, 0.0, 15.0}}};
    const TankShape db{10, 90, 0, 1.5, -10, 10, -10, 10};
    const TankShape wing{35, 65, 1.5, 10, 8, 10, 8, 10};
    const TankShape fo{70, 80, 1.5, 6.5, -3, 3, -3, 3};
    c.tanks = {{"WB 1 DB", "wb1_db.txt", db, 1.025, Amount::Fill, 1.0, 0.98},
               {"WB 2 P", "wb2_p.txt", wing, 1.025, Amount::Fill, 1.0, 0.98},
               {"WB 2 S", "wb2_s.txt", wing.mirrored(), 1.025, Amount::Fill, 0.3, 0.98},
               {"FO 1 C", "fo1_c.txt", fo, 0.95, Amount::Fill, 0.6, 1.0}};
    c.openings = {{"engine room vent", {88.0, 8.5, 11.5}}, {"stores hatch", {15.0, -8.0, 10.8}}};
    c.heel_step = 1;
    // A deckhouse aft, 20 m long and 6 m high, on the deck; the deck edge
    // at the side amidships.
    c.weather = WeatherData{{{{5.0, kBargeD}, {25.0, kBargeD}, {25.0, kBargeD + 6.0}, {5.0, kBargeD + 6.0}}},
                            0.0,
                            {50.0, -kBargeB / 2, kBargeD}};
    // Three compartments clear of the tanks, two damage cases: a collision
    // forward, and a grounding that opens the hold aft and a starboard wing
    // void.
    const double half = kBargeB / 2;
    c.compartments = {{"fore peak", "fore_peak.txt", {90, 100, 0, kBargeD, -half, half, -half, half}, 0.95},
                      {"hold 1", "hold_1.txt", {10, 35, 1.5, kBargeD, -half, half, -half, half}, 0.95},
                      {"wing void 3 S", "wing_void_3s.txt", TankShape{65, 90, 1.5, kBargeD, 8, half, 8, half}.mirrored(), 0.95}};
    c.damages = {{"collision: fore peak", {"fore peak"}},
                 {"grounding: hold 1 and wing void 3 S", {"hold 1", "wing void 3 S"}}};
    for (const TankLoad& t : c.tanks)
        for (const P3& p : t.shape.vertices())
            if (!(p.x >= 0.0 && p.x <= kBargeL && std::fabs(p.y) <= kBargeB / 2 && p.z >= 0.0 &&
                  p.z <= kBargeD))
                fail("tank " + t.name + " reaches out of the box barge");
    check_tanks_apart(with_compartments(c));
    write_condition(dir, c, "box barge: loading condition listed to port (make_models)");

    const Loading l = report_condition("loading/box_barge/condition.toml", c);
    const double d = l.M / (1.025 * kBargeL * kBargeB);
    const double KB = d / 2, BM = kBargeB * kBargeB / (12.0 * d), FSC = l.fsm / l.M;
    const double GMf = KB + BM - l.G.z - FSC;
    double lo = 0.0, hi = 0.5;  // the list [rad], by bisection
    for (int n = 0; n < 200; ++n) {
        const double mid = (lo + hi) / 2, t = std::tan(mid);
        if (t * (GMf + (BM - FSC) * t * t / 2) < l.G.y)
            lo = mid;
        else
            hi = mid;
    }
    const double wall_sided = std::fmin(2 * (kBargeD - d), 2 * d) / kBargeB;  // largest tan(phi)
    std::printf("    upright: draft %.5f  KB %.5f  BM %.5f  GM %.5f  GM fluid %.5f\n", d, KB, BM,
                KB + BM - l.G.z, GMf);
    const double deg = 180 / 3.14159265358979323846;
    std::printf("    list %.4f deg to port (heel %.4f; wall-sided to %.2f deg), LCG - LCB %.3g\n",
                lo * deg, -lo * deg, std::atan(wall_sided) * deg, l.G.x - kBargeL / 2);
}

// The least clearance [m] between a tank and the hull of a table of
// offsets: over every cell of the table that the tank's x and z ranges reach
// into, the smallest of the cell's four corner half-breadths less the
// tank's largest |y| within the cell's z range. Each shell face of a cell is
// two triangles on its corners, so the hull's half-breadth anywhere in the
// cell is at least the smallest corner's: a positive clearance keeps the
// tank inside the model's hull.
double clearance(const TankShape& s, const voxel::OffsetTable& table) {
    if (s.x0 < table.x.front() || s.x1 > table.x.back() || s.z0 < table.z.front() ||
        s.z1 > table.z.back())
        return -HUGE_VAL;
    double least = HUGE_VAL;
    for (std::size_t i = 0; i + 1 < table.station_count(); ++i) {
        if (!(table.x[i] < s.x1 && table.x[i + 1] > s.x0)) continue;
        for (std::size_t j = 0; j + 1 < table.waterline_count(); ++j) {
            if (!(table.z[j] < s.z1 && table.z[j + 1] > s.z0)) continue;
            const double hull = std::fmin(
                std::fmin(table.half_breadth(i, j), table.half_breadth(i + 1, j)),
                std::fmin(table.half_breadth(i, j + 1), table.half_breadth(i + 1, j + 1)));
            const double za = std::fmax(table.z[j], s.z0), zb = std::fmin(table.z[j + 1], s.z1);
            least = std::fmin(least, hull - s.largest_abs_y(za, zb));
        }
    }
    return least;
}

// Wigley hull (ship_fine.txt): ten tanks, port and starboard in pairs of
// one fill, and a displacement near the design draft's: the fine model holds
// V_T = 2775.61 m^3 below T, and above T it is wall-sided with the
// waterplane of T, so for a volume V > V_T
//   d  = T + (V - V_T) / Aw,
//   KB = (V_T KB_T + (V - V_T)(T + (d - T) / 2)) / V,  BM = I_T / V,
// with Aw, I_T the fine model's waterplane at T. The deck cargo at x = 47.6
// brings the total's LCG to 50 within 0.001 m (LCB is 50): no trim to speak
// of.
void write_loading_wigley(const std::filesystem::path& dir, const WigleyAtT& fine) {
    LoadingCondition c;
    c.name = "Wigley hull, service condition at the design draft";
    c.hull = "../../wigley/ship_fine.txt";
    c.lightship = {"lightship", 2045.0, {50.0, 0.0, 4.2}};
    c.items = {{"crew and stores", 25.0, {70.0, 0.0, 8.5}},
               {"deck cargo", 150.0, {47.6, 0.0, 10.8}}};
    const TankShape db{32.5, 67.5, 0.625, 1.5625, -0.4, 0.4, -1.4, 1.4};
    const TankShape wb2{35, 65, 2.5, kWigT, 1.2, 2.7, 1.2, 4.2};
    const TankShape fo1{70, 80, kWigT, 9.5, 1.0, 3.0, 1.0, 3.0};
    const TankShape fp{87.5, 95, 3.125, 8.0, -0.6, 0.6, -0.6, 0.6};
    const TankShape ap{5, 12.5, 3.125, 8.0, -0.6, 0.6, -0.6, 0.6};
    // The engine room between the aft peak tank and the fresh water.
    c.compartments = {{"engine room", "engine_room.txt", {12.5, 20, 1.5, 8.0, -0.7, 0.7, -2.0, 2.0}, 0.85}};
    c.damages = {{"engine room flooded", {"engine room"}}};
    c.tanks = {
        {"WB 1 DB", "wb1_db.txt", db, 1.025, Amount::Fill, 1.0, 0.98},
        {"WB 2 P", "wb2_p.txt", wb2, 1.025, Amount::Fill, 0.5, 0.98},
        {"WB 2 S", "wb2_s.txt", wb2.mirrored(), 1.025, Amount::Fill, 0.5, 0.98},
        {"FO 1 P", "fo1_p.txt", fo1, 0.95, Amount::Fill, 1.0, 0.98},
        {"FO 1 S", "fo1_s.txt", fo1.mirrored(), 0.95, Amount::Fill, 1.0, 0.98},
        {"FO 2 C", "fo2_c.txt", {40, 60, 1.5625, 5.0, -1, 1, -1, 1}, 0.95, Amount::Mass, 80.0, 1.0},
        {"FW", "fw.txt", {20, 30, 3.0, 8.0, -1.5, 1.5, -1.5, 1.5}, 1.0, Amount::Volume, 60.0, 1.0},
        {"LO", "lo.txt", {65, 70, 5.0, 7.0, -0.8, 0.8, -0.8, 0.8}, 0.9, Amount::Fill, 0.6, 1.0},
        {"FP", "fp.txt", fp, 1.025, Amount::Fill, 0.0, 0.98},
        {"AP", "ap.txt", ap, 1.025, Amount::Fill, 1.0, 0.98}};
    c.openings = {{"engine room vent", {30.0, 3.5, 11.5}}};
    c.heel_step = 0;
    // A superstructure aft with a funnel on it; bilge keels of 2 x 12 m^2;
    // the deck edge at the side amidships (the hull is wall-sided above T).
    c.weather = WeatherData{{{{10.0, kWigD}, {30.0, kWigD}, {30.0, kWigD + 5.0}, {10.0, kWigD + 5.0}},
                             {{18.0, kWigD + 5.0}, {22.0, kWigD + 5.0}, {21.0, kWigD + 8.0}, {19.0, kWigD + 8.0}}},
                            24.0,
                            {50.0, -kWigB / 2, kWigD}};
    double least = HUGE_VAL;
    for (const TankLoad& t : c.tanks) {
        const double gap = clearance(t.shape, fine.table);
        if (!(gap >= kTankClearance))
            fail("tank " + t.name + " comes within " + num(gap) + " m of the Wigley hull's shell");
        least = std::fmin(least, gap);
    }
    for (const CompartmentSpace& k : c.compartments) {
        const double gap = clearance(k.shape, fine.table);
        if (!(gap >= kTankClearance))
            fail("compartment " + k.name + " comes within " + num(gap) +
                 " m of the Wigley hull's shell");
        least = std::fmin(least, gap);
    }
    check_tanks_apart(with_compartments(c));
    write_condition(dir, c, "Wigley hull: loading condition at the design draft (make_models)");

    const Loading l = report_condition("loading/wigley/condition.toml", c);
    const double V = l.M / 1.025;
    if (!(V > fine.V)) fail("the Wigley condition floats below T");
    const double d = kWigT + (V - fine.V) / fine.Aw;
    const double KB = (fine.V * fine.KB + (V - fine.V) * (kWigT + (d - kWigT) / 2)) / V;
    const double BM = fine.I_T / V;
    std::printf("    upright: draft %.5f  KB %.5f  BM %.5f  GM %.5f  GM fluid %.5f\n", d, KB, BM,
                KB + BM - l.G.z, KB + BM - l.G.z - l.fsm / l.M);
    std::printf("    LCG - LCB %.3g m, least clearance to the shell %.4f m\n", l.G.x - kWigL / 2,
                least);
}

void write_loading(const std::filesystem::path& dir, const WigleyAtT& wigley_fine) {
    write_loading_box_barge(dir / "box_barge");
    write_loading_wigley(dir / "wigley", wigley_fine);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path root = argc > 1 ? argv[1] : "examples";
    write_box_barge(root / "box_barge");
    write_wigley(root / "wigley", {10, 5}, "offsets_coarse.csv", "ship_coarse.txt", "coarse");
    const WigleyAtT wigley_fine =
        write_wigley(root / "wigley", {40, 20}, "offsets.csv", "ship_fine.txt", "fine");
    write_semisub(root / "semisub", {0.5, 0.25, kSemiKG}, "semisub",
                  "four-column semi-submersible, draft 18 m, G off the centre lines (make_models)");
    write_semisub(root / "semisub_symmetric", {0.0, 0.0, kSemiKG}, "semisub_symmetric",
                  "four-column semi-submersible, draft 18 m, G on the centre lines (make_models)");
    write_mixed(root / "mixed");
    write_wigley_mesh(root / "wigley_mesh");
    write_catamaran(root / "catamaran");
    write_loading(root / "loading", wigley_fine);
    return 0;
}
