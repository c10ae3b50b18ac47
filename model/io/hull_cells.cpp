#include "model/io/hull_cells.h"

#include <initializer_list>

namespace voxel {

namespace {

// Corner indices p, q, r, s and the two columns' triangles, each in the
// order in which its corners go round the (x, z) rectangle.
constexpr int kP = 0, kQ = 1, kR = 2, kS = 3;
constexpr int kColumnA[3] = {kP, kQ, kS};
constexpr int kColumnB[3] = {kP, kS, kR};

// The cell's corners on the hull surface (P) and on the centre plane (C). A
// vanishing half-breadth gives P = C, with y = +0 on either side.
struct CellPoints {
    Point3 P[4], C[4];
    double h[4];

    explicit CellPoints(const HullCell& c) : h{c.hp, c.hq, c.hr, c.hs} {
        const double x[4] = {c.xa, c.xb, c.xa, c.xb};
        const double z[4] = {c.z0, c.z0, c.z1, c.z1};
        for (int k = 0; k < 4; ++k) {
            const double y = h[k] == 0.0 ? 0.0 : c.side * h[k];
            P[k] = {x[k], y, z[k]};
            C[k] = {x[k], 0.0, z[k]};
        }
    }
};

SolidBlock solid(SolidKind kind, std::initializer_list<Point3> vertices) {
    SolidBlock s;
    s.kind = kind;
    int i = 0;
    for (const Point3& v : vertices) s.vertex[i++] = v;
    return s;
}

// One column under the shell triangle tri, appended to out. A prism's end
// triangles are the centre-plane triangle and the shell triangle; a pyramid's
// base is the column's flat side face over the edge opposite the vanishing
// corner k, split along C_m-P_n.
void add_column(const CellPoints& c, const int (&tri)[3], std::vector<SolidBlock>& out) {
    int zeros = 0, zero_at = 0, nonzero_at = 0;
    for (int t = 0; t < 3; ++t) {
        if (c.h[tri[t]] == 0.0) {
            ++zeros;
            zero_at = t;
        } else {
            nonzero_at = t;
        }
    }
    const int i = tri[0], j = tri[1], k = tri[2];
    switch (zeros) {
        case 0:
            out.push_back(
                solid(SolidKind::TrianglePrism, {c.C[i], c.C[j], c.C[k], c.P[i], c.P[j], c.P[k]}));
            break;
        case 1: {
            const int apex = tri[zero_at];
            const int m = tri[(zero_at + 1) % 3], n = tri[(zero_at + 2) % 3];
            out.push_back(solid(SolidKind::Tetrahedron, {c.C[apex], c.C[m], c.C[n], c.P[n]}));
            out.push_back(solid(SolidKind::Tetrahedron, {c.C[apex], c.C[m], c.P[n], c.P[m]}));
            break;
        }
        case 2:
            out.push_back(
                solid(SolidKind::Tetrahedron, {c.C[i], c.C[j], c.C[k], c.P[tri[nonzero_at]]}));
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<SolidBlock> cell_solids(const HullCell& cell) {
    const CellPoints c(cell);
    const Point3 *P = c.P, *C = c.C;
    int zero_mask = 0;
    for (int k = 0; k < 4; ++k) zero_mask |= c.h[k] == 0.0 ? 1 << k : 0;
    constexpr int p = 1 << kP, q = 1 << kQ, r = 1 << kR, s = 1 << kS;

    std::vector<SolidBlock> out;
    switch (zero_mask) {
        case 0:
            out.push_back(solid(SolidKind::Hexahedron,
                                {P[kP], P[kQ], C[kQ], C[kP], P[kR], P[kS], C[kS], C[kR]}));
            break;
        case p | q:  // keel: end triangles on the stations
            out.push_back(
                solid(SolidKind::TrianglePrism, {P[kP], P[kR], C[kR], P[kQ], P[kS], C[kS]}));
            break;
        case r | s:  // closed at the upper waterline: end triangles on the stations
            out.push_back(
                solid(SolidKind::TrianglePrism, {P[kP], P[kR], C[kP], P[kQ], P[kS], C[kQ]}));
            break;
        case p | r:  // closed at station a: horizontal end triangles
            out.push_back(
                solid(SolidKind::TrianglePrism, {P[kP], P[kQ], C[kQ], P[kR], P[kS], C[kS]}));
            break;
        case q | s:  // closed at station b: horizontal end triangles
            out.push_back(
                solid(SolidKind::TrianglePrism, {P[kP], P[kQ], C[kP], P[kR], P[kS], C[kR]}));
            break;
        case p | q | r | s:
            break;
        default:
            add_column(c, kColumnA, out);
            add_column(c, kColumnB, out);
            break;
    }
    return out;
}

std::vector<SolidBlock> hull_solids(const OffsetTable& t) {
    std::vector<SolidBlock> out;
    const std::size_t n = t.station_count(), m = t.waterline_count();
    const double ends = t.x.front() + t.x.back();  // twice the middle of the length
    for (const double side : {-1.0, 1.0}) {
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const bool aft_half = t.x[i] + t.x[i + 1] < ends;
            const std::size_t a = aft_half ? i : i + 1, b = aft_half ? i + 1 : i;
            for (std::size_t j = 0; j + 1 < m; ++j) {
                HullCell cell;
                cell.xa = t.x[a];
                cell.xb = t.x[b];
                cell.z0 = t.z[j];
                cell.z1 = t.z[j + 1];
                cell.hp = t.half_breadth(a, j);
                cell.hq = t.half_breadth(b, j);
                cell.hr = t.half_breadth(a, j + 1);
                cell.hs = t.half_breadth(b, j + 1);
                cell.side = side;
                for (const SolidBlock& s : cell_solids(cell)) out.push_back(s);
            }
        }
    }
    return out;
}

}  // namespace voxel
