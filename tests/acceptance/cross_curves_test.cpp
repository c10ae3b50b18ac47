// The cross curves of stability against closed forms and against the
// righting arms of righting_arm: the box barge's KN is that of the exact
// heeled rectangle with G at the keel; for the Wigley hull, symmetric fore and
// aft so that no trim arises, the GZ of righting_arm at its displacement and
// KG is KN - KG sin(heel).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "arm_file.h"
#include "heeled_rectangle.h"
#include "kernel/angles.h"
#include "kernel/platform/number_format.h"
#include "kn_file.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/format2_reader.h"
#include "model/io/ship_reader.h"
#include "printed_digits.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;

double heel(double degrees) {
    return degrees / 180.0 * voxel::kPi;
}

// cross_curves with `args` after the ship file, in `dir`; its CSV read back.
acceptance::KnFile run_cross_curves(const ScratchDir& dir, const std::string& ship,
                                    std::vector<std::string> args) {
    args.insert(args.begin(), ship);
    ProcessOptions options;
    options.working_dir = dir.path();
    const ProcessResult r = run_program(CROSS_CURVES_EXE, args, options);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return acceptance::parse_kn_csv(read_file_bytes(dir.file("KN_Curves.csv")));
}

// The box barge upright at d floats with V = L B d and its centre of buoyancy
// at midship; G = (L/2, 0, 0) needs no trim at any heel, so its KN is the arm
// of the exact heeled rectangle with zG = 0. The three drafts take the
// section through every shape: at d = 2 the bilge emerges at 11.3 degrees and
// the deck edge dips at 38.7, at d = 4 at 21.8 and 26.6, at d = 7 the deck
// edge dips first, at 16.7 degrees.
TEST(CrossCurvesAcceptance, BoxBargeKnIsTheExactHeeledRectangleAtThreeDrafts) {
    const std::string path = VOXEL_SOURCE_DIR "/examples/box_barge/ship.txt";
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    ASSERT_TRUE(voxel::read_ship_information(ship, path).opened);
    const voxel::Box3& box = ship.hull.box();
    const double L = box.maxx - box.minx, B = box.maxy - box.miny, D = box.maxz - box.minz;
    ASSERT_EQ(box.minz, 0.0);

    ScratchDir dir;
    const acceptance::KnFile kn = run_cross_curves(dir, path, {"--drafts", "7,2,4"});
    ASSERT_TRUE(kn.well_formed);
    ASSERT_EQ(kn.rows.size(), 3u * 19u);
    const double drafts[] = {2.0, 4.0, 7.0};
    // The water-plane search's relative volume error below 1e-10 moves the
    // centre of buoyancy by far less than 1e-9 B.
    const double tolerance = 1e-9 * B;
    for (std::size_t k = 0; k < kn.rows.size(); ++k) {
        const acceptance::KnRow& r = kn.rows[k];
        const double d = drafts[k / 19];
        EXPECT_EQ(r.draft, d);
        EXPECT_EQ(r.heel, 5.0 * static_cast<double>(k % 19));
        EXPECT_NEAR(r.volume, L * B * d, 1e-12 * L * B * D);
        EXPECT_EQ(r.displacement, r.volume * ship.W_Den);
        EXPECT_NEAR(r.lcg, 0.5 * (box.minx + box.maxx), 1e-12 * L);
        const double phi = heel(r.heel);
        EXPECT_NEAR(r.starboard, acceptance::rectangle_righting_arm(B, D, d, 0.0, phi, -1.0),
                    tolerance)
            << "d " << d << ", " << r.heel << " degrees";
        EXPECT_NEAR(r.port, acceptance::rectangle_righting_arm(B, D, d, 0.0, phi, 1.0), tolerance)
            << "d " << d << ", " << r.heel << " degrees";
        EXPECT_EQ(r.balanced_starboard, 1);
        EXPECT_EQ(r.balanced_port, 1);
    }
}

// The Wigley hull of the mesh example, symmetric fore and aft, with G
// amidships: the Format2 model (righting_arm) and the ship file
// (cross_curves) hold the same mesh. At the model's displacement and LCG the
// printed GZ of both series is KN - KG sin(heel) to its printed digits.
TEST(CrossCurvesAcceptance, RightingArmOfASymmetricHullIsKnLessKgSinHeel) {
    const std::string folder = VOXEL_SOURCE_DIR "/examples/wigley_mesh/";
    voxel::VoxelGroup model(voxel::CrossingTolerance::Loose);
    ASSERT_TRUE(voxel::read_format2_model(model, folder + "model.txt").opened);
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    ASSERT_TRUE(voxel::read_ship_information(ship, folder + "ship_fine.txt").opened);
    const voxel::Box3& box = ship.hull.box();
    ASSERT_EQ(model.G.x, 0.5 * (box.minx + box.maxx));
    ASSERT_EQ(model.G.y, 0.0);

    ScratchDir arm_dir;
    ProcessOptions options;
    options.working_dir = arm_dir.path();
    const ProcessResult r = run_program(RIGHTING_ARM_EXE, {folder + "model.txt"}, options);
    ASSERT_EQ(r.exit_status, 0) << r.err;
    const acceptance::ArmFile arms =
        acceptance::parse_arm_file(read_file_bytes(arm_dir.file("RightingArm_Around_X_Axis.txt")));
    ASSERT_TRUE(arms.well_formed);

    ScratchDir kn_dir;
    const acceptance::KnFile kn =
        run_cross_curves(kn_dir, folder + "ship_fine.txt",
                         {"--displacements", voxel::format_shortest(model.V * ship.W_Den), "--lcg",
                          voxel::format_shortest(model.G.x)});
    ASSERT_TRUE(kn.well_formed);
    ASSERT_EQ(kn.rows.size(), 19u);
    // The two bodies sum the same tetrahedra in another order and cut them
    // with another parallel test: 1e-9 B covers that far below the printed
    // sixth digit.
    const double absolute = 1e-9 * (box.maxy - box.miny);
    for (std::size_t j = 0; j < 19; ++j) {
        const acceptance::KnRow& row = kn.rows[j];
        EXPECT_NEAR(row.volume, model.V, 1e-12 * model.V);
        const double lift = model.G.z * std::sin(heel(row.heel));
        const double starboard = row.starboard - lift, port = row.port - lift;
        EXPECT_NEAR(arms.right[j].arm, starboard,
                    acceptance::printed_tolerance(starboard, arms.right[j].arm, absolute))
            << row.heel << " degrees, printed " << arms.right[j].text;
        EXPECT_NEAR(arms.left[j].arm, port,
                    acceptance::printed_tolerance(port, arms.left[j].arm, absolute))
            << row.heel << " degrees, printed " << arms.left[j].text;
    }
}

}  // namespace
