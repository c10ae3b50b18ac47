// Small helpers shared by the kernel suites: point comparison and the
// crossing test most of them cut with.
#pragma once

#include <gtest/gtest.h>

#include "kernel/plane.h"
#include "kernel/point3.h"

namespace kernel_test {

// Rounding tolerance for quantities of order 1 built from a few dozen
// operations on coordinates of order 1.
constexpr double kRoundoff = 1e-14;

// The crossing test of the hydrostatic and floating-attitude programs.
constexpr voxel::CrossingTolerance kStrict = voxel::CrossingTolerance::Strict;

inline void expect_point_near(const voxel::Point3& actual, const voxel::Point3& expected,
                              double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expect_point_eq(const voxel::Point3& actual, const voxel::Point3& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.z, expected.z);
}

}  // namespace kernel_test
