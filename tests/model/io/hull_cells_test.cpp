// One cell of a table of offsets, for every pattern of vanishing
// half-breadths at its four corners, against the cell's closed-form volume.
#include "model/io/hull_cells.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/hydrostatics/level_displacement.h"

namespace {

// The tetrahedra of one solid, as the hull's body holds them.
std::vector<voxel::TetraVertices> tetrahedra_of(const voxel::SolidBlock& s) {
    const voxel::Body body = voxel::hull_body({s});
    std::vector<voxel::TetraVertices> tets;
    for (std::size_t i = 0; i < body.tetrahedron_count(); ++i) tets.push_back(body.tetrahedron(i));
    return tets;
}

using voxel::HullCell;
using voxel::SolidBlock;
using voxel::SolidKind;

// The cell is the body between the centre plane and the two flat triangles
// (p, q, s) and (p, s, r) through the corner offsets: two columns, each over a
// triangle of area A = |xb - xa| (z1 - z0) / 2 in the (x, z) plane under a
// height h that is linear over it. For linear f and g on a triangle with
// corner values f_i, g_i,
//   int f g dA = (A / 12) (sum f_i g_i + sum f_i sum g_i),
// so a column holds V = int h dA = A sum h_i / 3 and has the first moments
//   int x h dA,  int z h dA  (x and z linear)  and  int h^2 / 2 dA  (about y = 0).
// Split along the other diagonal q-r the cell would hold
// (hp + 2 hq + 2 hr + hs) / 6 instead of (2 hp + hq + hr + 2 hs) / 6 of
// |xb - xa| (z1 - z0); the heights below make the two differ.
struct Moments {
    double V = 0.0;                 // m^3
    double M[3] = {0.0, 0.0, 0.0};  // int x dV, int y dV, int z dV; m^4
};

Moments cell_moments(const HullCell& c) {
    const double x[4] = {c.xa, c.xb, c.xa, c.xb}, z[4] = {c.z0, c.z0, c.z1, c.z1};
    const double h[4] = {c.hp, c.hq, c.hr, c.hs};
    const double A = std::fabs(c.xb - c.xa) * (c.z1 - c.z0) / 2.0;
    const auto integral = [&](const int(&t)[3], const double* f, const double* g) {
        double fg = 0.0, sf = 0.0, sg = 0.0;
        for (int k : t) {
            fg += f[k] * g[k];
            sf += f[k];
            sg += g[k];
        }
        return A / 12.0 * (fg + sf * sg);
    };
    const double one[4] = {1.0, 1.0, 1.0, 1.0};
    const int columns[2][3] = {{0, 1, 3}, {0, 3, 2}};
    Moments m;
    for (const auto& t : columns) {
        m.V += integral(t, h, one);
        m.M[0] += integral(t, x, h);
        m.M[1] += c.side * integral(t, h, h) / 2.0;
        m.M[2] += integral(t, z, h);
    }
    return m;
}

bool same_point(const voxel::Point3& a, const voxel::Point3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

std::string pattern_name(int zeros, double side, bool fore) {
    std::string s = "zero at";
    const char* corner[4] = {" p", " q", " r", " s"};
    for (int k = 0; k < 4; ++k)
        if (zeros & (1 << k)) s += corner[k];
    return s + (side > 0 ? ", port" : ", starboard") + (fore ? ", fore body" : ", aft body");
}

// The programs add the absolute volumes of the tetrahedra, so a folded solid
// (tetrahedra of both senses, overlapping) would count more than the cell
// holds, a cell split along the wrong diagonal a different amount, and
// tetrahedra that overlap where others leave a gap of the same volume would
// move the centroid: volume and first moments must be the closed forms for
// all 16 patterns, on both sides, with station a aft or forward of station b.
TEST(HullCells, EveryPatternOfZeroHalfBreadthsFillsTheCellExactlyOnce) {
    const double heights[4] = {1.0, 1.7, 2.3, 3.1};  // p, q, r, s; m
    for (int zeros = 0; zeros < 16; ++zeros) {
        for (const double side : {-1.0, 1.0}) {
            for (const bool fore : {false, true}) {
                HullCell c;
                c.xa = fore ? 62.5 : 10.0;
                c.xb = fore ? 60.0 : 12.5;
                c.z0 = 1.0;
                c.z1 = 1.75;
                double* h[4] = {&c.hp, &c.hq, &c.hr, &c.hs};
                for (int k = 0; k < 4; ++k) *h[k] = zeros & (1 << k) ? 0.0 : heights[k];
                c.side = side;
                const std::string name = pattern_name(zeros, side, fore);

                const std::vector<SolidBlock> solids = voxel::cell_solids(c);
                Moments sum;
                for (const SolidBlock& s : solids) {
                    for (const voxel::TetraVertices& t : tetrahedra_of(s)) {
                        const double v = t.full_volume();
                        const voxel::Point3 g = t.vertex_centroid();
                        sum.V += v;
                        sum.M[0] += v * g.x;
                        sum.M[1] += v * g.y;
                        sum.M[2] += v * g.z;
                    }
                    const int n = voxel::vertex_lines(s.kind);
                    for (int i = 0; i < n; ++i) {
                        EXPECT_GE(side * s.vertex[i].y, 0.0) << name;
                        for (int j = i + 1; j < n; ++j)
                            EXPECT_FALSE(same_point(s.vertex[i], s.vertex[j]))
                                << name << ": a " << voxel::keyword_of(s.kind)
                                << " with two equal vertices";
                    }
                }
                const Moments exact = cell_moments(c);
                const double scale = 2.5 * 0.75 * 3.1;  // the cell's box, m^3
                EXPECT_NEAR(sum.V, exact.V, 1e-13 * scale) << name;
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(sum.M[k], exact.M[k], 1e-13 * scale * 62.5) << name << ", " << k;

                if (zeros == 0) {
                    ASSERT_EQ(solids.size(), 1u) << name;
                    EXPECT_EQ(solids[0].kind, SolidKind::Hexahedron) << name;
                }
                if (zeros == 3 || zeros == 12 || zeros == 5 || zeros == 10) {
                    ASSERT_EQ(solids.size(), 1u) << name;
                    EXPECT_EQ(solids[0].kind, SolidKind::TrianglePrism) << name;
                }
                if (zeros == 15) {
                    EXPECT_TRUE(solids.empty()) << name;
                }
            }
        }
    }
}

}  // namespace
