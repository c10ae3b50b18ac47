// The righting-arm program cuts tetrahedra with the loose crossing test
// (segments within 1e-10 of parallel count as parallel); its tests do too.
#pragma once

#include <gtest/gtest.h>

#include "kernel/tetrahedron.h"

namespace righting_arm_test {

class LooseCut : public ::testing::Test {
  protected:
    void SetUp() override { voxel::set_cut_crossing_tolerance(voxel::CrossingTolerance::Loose); }
    void TearDown() override {
        voxel::set_cut_crossing_tolerance(voxel::CrossingTolerance::Strict);
    }
};

}  // namespace righting_arm_test
