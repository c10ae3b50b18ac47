// The exact heeled section, checked against the classical closed forms of its
// three regimes, so that the acceptance tests that rely on it rest on
// hand-derived physics.
#include "heeled_rectangle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kernel/angles.h"

namespace {

using acceptance::immersed_rectangle;
using acceptance::rectangle_righting_arm;

using voxel::kPi;

// The example barge: B = 20, D = 10, upright draft 4, KG = 6 (metres).
const double kB = 20.0, kD = 10.0, kDraft = 4.0, kZg = 6.0;
const double kArmTolerance = 1e-12 * kB;  // rounding only

// The lever (m) of a section whose centroid lies at (y, z), heeled by theta to
// the -y side: GZ = -y cos theta + (z - zG) sin theta.
double lever(double y, double z, double theta) {
    return -y * std::cos(theta) + (z - kZg) * std::sin(theta);
}

// Deck edge dry and bilge wet (tan theta <= min(d, D - d) / (B/2)): the section
// is a trapezoid with vertical sides, the wedge shifted from the emerged to the
// immersed side gives the wall-sided formula
//   GZ = sin theta (GM + BM tan^2 theta / 2),  GM = d/2 + BM - KG,  BM = B^2 / (12 d).
TEST(HeeledRectangle, WallSidedFormulaWhileDeckDryAndBilgeWet) {
    const double BM = kB * kB / (12.0 * kDraft);
    const double GM = 0.5 * kDraft + BM - kZg;
    for (int deg = 0; deg <= 21; ++deg) {
        const double theta = deg * kPi / 180.0, t = std::tan(theta);
        ASSERT_LE(t, kDraft / (0.5 * kB));
        const double exact = std::sin(theta) * (GM + 0.5 * BM * t * t);
        EXPECT_NEAR(rectangle_righting_arm(kB, kD, kDraft, kZg, theta, -1.0), exact, kArmTolerance)
            << deg;
        EXPECT_NEAR(rectangle_righting_arm(kB, kD, kDraft, kZg, theta, +1.0), exact, kArmTolerance)
            << deg;
    }
}

// Bilge emerged, deck dry: a right triangle at the immersed bottom corner with
// legs p along the bottom and q = p tan theta up the side, of area p q / 2 = B d:
//   p = sqrt(2 B d / tan theta), q = sqrt(2 B d tan theta), centroid (-B/2 + p/3, q/3).
// It holds while p <= B and q <= D: 0.4 <= tan theta <= 0.625 here.
TEST(HeeledRectangle, TriangleOnceTheBilgeEmerges) {
    int checked = 0;
    for (int deg = 22; deg <= 32; ++deg) {
        const double theta = deg * kPi / 180.0, t = std::tan(theta);
        const double p = std::sqrt(2.0 * kB * kDraft / t), q = std::sqrt(2.0 * kB * kDraft * t);
        if (p > kB || q > kD) continue;
        const double exact = lever(-0.5 * kB + p / 3.0, q / 3.0, theta);
        EXPECT_NEAR(rectangle_righting_arm(kB, kD, kDraft, kZg, theta, -1.0), exact, kArmTolerance)
            << deg;
        ++checked;
    }
    EXPECT_EQ(checked, 11);
}

// Deck edge immersed, bilge emerged: a trapezoid between the immersed side, the
// bottom (width p) and the deck (width r), with p - r = D / tan theta and
// (p + r) D / 2 = B d. Its centroid, from the strip widths w(z) linear from p
// to r: z = D (p + 2 r) / (3 (p + r)), y = -B/2 + (p^2 + p r + r^2) / (3 (p + r)).
// It holds while r >= 0 (tan theta >= 0.625) up to 90 degrees.
TEST(HeeledRectangle, TrapezoidOnceTheDeckEdgeImmerses) {
    for (int deg = 33; deg <= 90; ++deg) {
        const double theta = deg * kPi / 180.0, t = std::tan(theta);
        const double sum = 2.0 * kB * kDraft / kD, diff = kD / t;
        const double p = 0.5 * (sum + diff), r = 0.5 * (sum - diff);
        ASSERT_GE(r, 0.0);
        ASSERT_LE(p, kB);
        const double y = -0.5 * kB + (p * p + p * r + r * r) / (3.0 * sum);
        const double z = kD * (p + 2.0 * r) / (3.0 * sum);
        EXPECT_NEAR(rectangle_righting_arm(kB, kD, kDraft, kZg, theta, -1.0), lever(y, z, theta),
                    kArmTolerance)
            << deg;
    }
    // On its side the barge floats on a depth B d / D of its breadth, with the
    // centre of buoyancy at mid-depth: GZ = D/2 - KG.
    EXPECT_NEAR(rectangle_righting_arm(kB, kD, kDraft, kZg, 0.5 * kPi, -1.0), 0.5 * kD - kZg,
                kArmTolerance);
}

TEST(HeeledRectangle, SectionKeepsItsAreaAndTheSidesMirror) {
    for (int deg = 0; deg <= 90; deg += 5) {
        const double theta = deg * kPi / 180.0;
        const acceptance::Point2 right = {std::sin(theta), std::cos(theta)};
        const acceptance::Point2 left = {-std::sin(theta), std::cos(theta)};
        const acceptance::ImmersedSection a = immersed_rectangle(kB, kD, right, kB * kDraft);
        const acceptance::ImmersedSection b = immersed_rectangle(kB, kD, left, kB * kDraft);
        EXPECT_NEAR(a.area, kB * kDraft, 1e-12 * kB * kDraft);
        EXPECT_NEAR(a.centroid.y, -b.centroid.y, kArmTolerance);
        EXPECT_NEAR(a.centroid.z, b.centroid.z, kArmTolerance);
    }
}

}  // namespace
