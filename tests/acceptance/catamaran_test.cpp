// The example catamaran (two Wigley demi-hulls under a deck box, one OBJ of
// three shells) against the sum of its parts: one demi-hull written alone as
// a mesh. Below the demi-hulls' deck the catamaran is the two of them, so at
// every level z = d
//   V = 2 V1, KB = KB1, LCB = LCB1, Aw = 2 A1, LCF = LCF1, I_L = 2 I_L1,
//   I_T = 2 (I_T1 + A1 s^2) (parallel axes, s = 5 m from the centre plane),
//   waterplane breadth 2 s + b1 (from the outer contour across the gap),
//   midship area 2 Am1,
// with V1, ..., b1 of one demi-hull about its own centre line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/body/level_sweep.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/io/ship_reader.h"
#include "support/scratch_dir.h"
#include "wigley_surface.h"

namespace {

const std::string kShip = VOXEL_SOURCE_DIR "/examples/catamaran/ship.txt";
constexpr double kOffset = 5.0;  // m, each demi-hull's centre line from y = 0

voxel::LevelSection section_at(const std::string& path, double d) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information(ship, path);
    EXPECT_TRUE(read.opened && read.diagnostics.empty()) << path;
    return voxel::LevelSweep(ship.hull, voxel::midship_station(ship)).at(d);
}

TEST(Catamaran, IsTheSumOfItsDemiHullsBelowTheirDeck) {
    testing_support::ScratchDir dir;
    wigley::Hull demi;
    demi.L = 60.0, demi.B = 4.0, demi.T = 2.5, demi.D = 4.0, demi.y0 = kOffset;
    dir.write("demi.obj", wigley::obj(wigley::surface(demi, 30, 10), "one demi-hull"));
    // The catamaran's key lines: midship at x = 30, B = 14.
    const std::string single = dir.write(
        "demi.txt",
        "Loa=60\nLpp=60\nB=14\nD=4\nVD=0\nGra_Pt.x=30\nGra_Pt.y=0\nGra_Pt.z=4\nW_Den=1.025\n"
        "C1=1\nSurfaceMesh\ndemi.obj\n1\n0,0,0\n");
    for (const double d : {0.8, 2.5, 3.7}) {
        SCOPED_TRACE(d);
        const voxel::LevelSection cat = section_at(kShip, d), one = section_at(single, d);
        const double V = one.submerged.volume, A = one.waterplane.Aw;
        const double tolerance = 1e-12;  // relative: both are sums of one set of facets
        EXPECT_NEAR(cat.submerged.volume, 2 * V, tolerance * V);
        EXPECT_NEAR(cat.submerged.centroid.z, one.submerged.centroid.z, tolerance * demi.D);
        EXPECT_NEAR(cat.submerged.centroid.x, one.submerged.centroid.x, tolerance * demi.L);
        EXPECT_NEAR(cat.submerged.centroid.y, 0.0, tolerance * demi.L);
        EXPECT_NEAR(one.submerged.centroid.y, kOffset, tolerance * demi.L);
        EXPECT_NEAR(cat.waterplane.Aw, 2 * A, tolerance * A);
        EXPECT_NEAR(cat.waterplane.xf, one.waterplane.xf, tolerance * demi.L);
        const double IT = one.waterplane.IT + A * kOffset * kOffset;
        EXPECT_NEAR(cat.waterplane.IT, 2 * IT, tolerance * IT);
        EXPECT_NEAR(cat.waterplane.IL, 2 * one.waterplane.IL, tolerance * one.waterplane.IL);
        EXPECT_NEAR(cat.waterplane.breadth, 2 * kOffset + one.waterplane.breadth,
                    tolerance * demi.L);
        EXPECT_NEAR(cat.waterplane.length, one.waterplane.length, tolerance * demi.L);
        EXPECT_NEAR(cat.midship.Am, 2 * one.midship.Am, tolerance * one.midship.Am);
        // The demi-hull's own waterplane against its closed forms (t = d / T
        // up to T, g = 2t - t^2): A1 = (2/3) L b g, here on a 30 x 10 grid.
        const double t = std::fmin(d / demi.T, 1.0), g = 2 * t - t * t;
        EXPECT_NEAR(A, 2.0 / 3.0 * demi.L * demi.B * g, 0.01 * A);
    }
}

}  // namespace
