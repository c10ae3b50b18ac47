// Small helpers shared by the kernel suites: point comparison and a standard
// input fed from a known text for the operations that wait for a key.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "kernel/point3.h"
#include "support/scratch_dir.h"

namespace kernel_test {

// Rounding tolerance for quantities of order 1 built from a few dozen
// operations on coordinates of order 1.
constexpr double kRoundoff = 1e-14;

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

// Points standard input at a file holding `text` for the lifetime of the
// object, then at /dev/null, so that a key wait can never block the suite.
class StdinFromText {
  public:
    explicit StdinFromText(const std::string& text) {
        const std::string path = dir_.write("stdin.txt", text);
        ok_ = std::freopen(path.c_str(), "r", stdin) != nullptr;
    }
    ~StdinFromText() { std::freopen("/dev/null", "r", stdin); }
    StdinFromText(const StdinFromText&) = delete;
    StdinFromText& operator=(const StdinFromText&) = delete;

    bool ok() const { return ok_; }
    // What is left of standard input (the characters not consumed).
    static std::string rest() {
        std::string s;
        int c;
        while ((c = std::getchar()) != EOF) s += static_cast<char>(c);
        return s;
    }

  private:
    testing_support::ScratchDir dir_;
    bool ok_ = false;
};

}  // namespace kernel_test
