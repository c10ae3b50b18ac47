// The one-pass waterline of the sweep against the three full passes it
// stands for, to the last bit, on hulls whose vertices lie on, a hair off and
// well away from the waterlines.
#include "model/body/level_sweep.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/io/ship_reader.h"
#include "support/hull_fixtures.h"

namespace {

bool same(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expect_same_as_full_passes(const std::string& file) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    ASSERT_TRUE(voxel::read_ship_information(ship, file).opened) << file;
    const voxel::LevelSweep sweep(ship.hull, voxel::midship_station(ship));
    // The sweep's own drafts, a running sum from 0.5 by 0.1, and a few more.
    std::vector<double> drafts;
    for (double T = 0.5; T < ship.D; T = T + 0.1) drafts.push_back(T);
    for (double T : {0.0, 2.5, 5.0, ship.D, ship.D + 1.0}) drafts.push_back(T);
    for (const double T : drafts) {
        const voxel::Plane plane{0.0, 0.0, 1.0, -T};
        const voxel::LevelSection fast = sweep.at(T);
        const voxel::SubmergedPart s = ship.hull.part_below(plane);
        const voxel::WaterplaneProps w = hydro_test::waterplane_properties(ship, plane);
        const voxel::MidshipSection m = hydro_test::midship_section(ship, T);
        const std::string at = file + " at T = " + std::to_string(T);
        EXPECT_TRUE(same(fast.submerged.volume, s.volume)) << at;
        EXPECT_TRUE(same(fast.submerged.centroid.x, s.centroid.x)) << at;
        EXPECT_TRUE(same(fast.submerged.centroid.z, s.centroid.z)) << at;
        for (const auto& pair :
             {std::make_pair(fast.waterplane.Aw, w.Aw), std::make_pair(fast.waterplane.xf, w.xf),
              std::make_pair(fast.waterplane.IT, w.IT), std::make_pair(fast.waterplane.IL, w.IL),
              std::make_pair(fast.waterplane.length, w.length),
              std::make_pair(fast.waterplane.breadth, w.breadth),
              std::make_pair(fast.midship.Am, m.Am), std::make_pair(fast.midship.Bm, m.Bm)})
            EXPECT_TRUE(same(pair.first, pair.second) ||
                        (pair.first != pair.first && pair.second != pair.second))
                << at;
        EXPECT_EQ(fast.waterplane.polygons, w.polygons) << at;
        EXPECT_EQ(fast.midship.polygons, m.polygons) << at;
    }
}

TEST(LevelSweep, SameDoublesAsTheFullPasses) {
    for (const char* file :
         {"examples/wigley/ship_fine.txt", "examples/box_barge/ship.txt", "examples/mixed/ship.txt",
          "tests/golden/models/tetrahedra_ship.txt", "tests/golden/models/prisms_ship.txt",
          "tests/golden/models/cylinders_ship.txt"})
        expect_same_as_full_passes(std::string(VOXEL_SOURCE_DIR) + "/" + file);
}

}  // namespace
