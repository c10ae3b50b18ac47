#include "kernel/polygon2.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using voxel::Point2;
using voxel::Polygon2;
using voxel::Triangle2;

constexpr double kTol = 1e-14;  // values of order 1

TEST(Triangle2, RightTriangleAreaCentroidAndMoments) {
    // Legs a = 3 along x and b = 2 along y: area ab/2, centroid (a/3, b/3),
    // centroidal moments a b^3 / 36 and b a^3 / 36.
    Triangle2 t;
    t.set(0, 0, 3, 0, 0, 2);
    EXPECT_NEAR(t.area, 3.0, kTol);
    EXPECT_NEAR(t.cx, 1.0, kTol);
    EXPECT_NEAR(t.cy, 2.0 / 3.0, kTol);
    EXPECT_NEAR(t.Ixx, 3.0 * 8.0 / 36.0, kTol);
    EXPECT_NEAR(t.Iyy, 2.0 * 27.0 / 36.0, kTol);
}

TEST(Triangle2, OrientationDoesNotChangeTheValues) {
    Triangle2 ccw, cw;
    ccw.set(0.5, 0.25, 2.0, 1.0, 0.75, 3.0);
    cw.set(0.5, 0.25, 0.75, 3.0, 2.0, 1.0);
    EXPECT_NEAR(ccw.area, cw.area, kTol);
    EXPECT_GT(ccw.area, 0.0);
    EXPECT_NEAR(ccw.Ixx, cw.Ixx, kTol);
    EXPECT_NEAR(ccw.Iyy, cw.Iyy, kTol);
}

TEST(Polygon2, UnitSquare) {
    const Point2 pts[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Polygon2 p;
    p.set(4, pts);
    EXPECT_EQ(p.count(), 4);
    EXPECT_NEAR(p.area, 1.0, kTol);
    EXPECT_NEAR(p.cx, 0.5, kTol);
    EXPECT_NEAR(p.cy, 0.5, kTol);
    EXPECT_NEAR(p.Ixx, 1.0 / 12.0, kTol);
    EXPECT_NEAR(p.Iyy, 1.0 / 12.0, kTol);
}

TEST(Polygon2, RectangleMomentsAreInvariantUnderTranslation) {
    // 2 wide (x) and 3 high (y): Ixx = 2 * 3^3 / 12, Iyy = 3 * 2^3 / 12.
    for (double shift : {0.0, -7.5, 40.0}) {
        const Point2 pts[4] = {
            {shift, shift}, {shift + 2, shift}, {shift + 2, shift + 3}, {shift, shift + 3}};
        Polygon2 p;
        p.set(4, pts);
        const double tol = 1e-12 * (1.0 + shift * shift);
        EXPECT_NEAR(p.area, 6.0, tol);
        EXPECT_NEAR(p.cx, shift + 1.0, tol);
        EXPECT_NEAR(p.cy, shift + 1.5, tol);
        EXPECT_NEAR(p.Ixx, 4.5, tol);
        EXPECT_NEAR(p.Iyy, 2.0, tol);
    }
}

TEST(Polygon2, EitherSenseGivesTheSameProperties) {
    const Point2 ccw[4] = {{0, 0}, {4, 0}, {3, 2}, {1, 2}};
    const Point2 cw[4] = {{0, 0}, {1, 2}, {3, 2}, {4, 0}};
    Polygon2 a, b;
    a.set(4, ccw);
    b.set(4, cw);
    EXPECT_NEAR(a.area, 6.0, kTol);  // trapezoid (4 + 2) / 2 * 2
    EXPECT_NEAR(a.area, b.area, kTol);
    EXPECT_NEAR(a.cy, b.cy, kTol);
    EXPECT_NEAR(a.Ixx, b.Ixx, kTol);
    EXPECT_NEAR(a.Iyy, b.Iyy, kTol);
}

TEST(Polygon2, ZeroAreaGivesNoMomentsAndTheMeanPoint) {
    const Point2 pts[3] = {{0, 0}, {1, 1}, {2, 2}};
    Polygon2 p;
    p.set(3, pts);
    EXPECT_LT(p.area, 1e-15);
    EXPECT_EQ(p.Ixx, 0.0);
    EXPECT_EQ(p.Iyy, 0.0);
    EXPECT_DOUBLE_EQ(p.cx, 1.0);
    EXPECT_DOUBLE_EQ(p.cy, 1.0);
}

TEST(Polygon2, OneTwelfthIsTheWrittenConstant) {
    EXPECT_EQ(voxel::kOneTwelfth, 0.08333333333333333);
    EXPECT_NEAR(voxel::kOneTwelfth, 1.0 / 12.0, 1e-17);
}

}  // namespace
