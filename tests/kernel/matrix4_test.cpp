// 4x4 matrices of row-vector points, and rotations about an axis.
#include "kernel/matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kernel/angles.h"
#include "kernel/point3.h"
#include "kernel_test_helpers.h"

namespace {

using kernel_test::expect_point_near;
using kernel_test::kRoundoff;
using voxel::Matrix4;
using voxel::Point3;

using voxel::kPi;

// [p, 1] * M, through the library's own 1 x 4 times 4 x 4 product.
Point3 transform(const Point3& p, const Matrix4& m) {
    const double row[4] = {p.x, p.y, p.z, 1.0};
    double w[4];
    voxel::matrix_product(row, m.m, 1, 4, 4, w);
    EXPECT_NEAR(w[3], 1.0, kRoundoff);
    return {w[0], w[1], w[2]};
}

TEST(Matrix4, IdentityOfAnySize) {
    double m[9];
    voxel::identity_matrix(m, 3);
    const double expected[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(m[i], expected[i]) << i;
    const Matrix4 id = voxel::identity_matrix();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(id.at(i, j), i == j ? 1.0 : 0.0);
}

TEST(Matrix4, ProductOfRectangularMatrices) {
    // (2 x 3) * (3 x 2), row-major.
    const double L[6] = {1, 2, 3, 4, 5, 6};
    const double R[6] = {7, 8, 9, 10, 11, 12};
    double out[4];
    voxel::matrix_product(L, R, 2, 3, 2, out);
    EXPECT_EQ(out[0], 58.0);
    EXPECT_EQ(out[1], 64.0);
    EXPECT_EQ(out[2], 139.0);
    EXPECT_EQ(out[3], 154.0);
}

TEST(Matrix4, ProductSumsUpwardsFromZero) {
    // Row (1e16, 1, -1e16, 1) times the column of ones: summed in index order
    // from 0.0 the 1 after 1e16 is lost and the last one survives.
    const double row[4] = {1e16, 1.0, -1e16, 1.0};
    double ones[4] = {1, 1, 1, 1};
    double out[1];
    voxel::matrix_product(row, ones, 1, 4, 1, out);
    EXPECT_EQ(out[0], 1.0);
    // -0.0 terms summed from +0.0 give +0.0.
    const double negative_zero[4] = {-0.0, -0.0, -0.0, -0.0};
    voxel::matrix_product(negative_zero, ones, 1, 4, 1, out);
    EXPECT_FALSE(std::signbit(out[0]));
}

TEST(Matrix4, TranslationSitsInRowThreeAndTheLeftFactorActsFirst) {
    Matrix4 shift = voxel::identity_matrix();
    shift.at(3, 0) = 1.0;
    shift.at(3, 1) = 2.0;
    shift.at(3, 2) = 3.0;
    expect_point_near(transform({1, 1, 1}, shift), {2, 3, 4}, 0.0);
    // Scale x by 2 after the shift: (1 + 1) * 2 = 4, not 1 * 2 + 1 = 3.
    Matrix4 scale = voxel::identity_matrix();
    scale.at(0, 0) = 2.0;
    expect_point_near(transform({1, 1, 1}, voxel::matrix_product(shift, scale)), {4, 3, 4}, 0.0);
    expect_point_near(transform({1, 1, 1}, voxel::matrix_product(scale, shift)), {3, 3, 4}, 0.0);
}

TEST(RotationMatrix, ElementsAreEvaluatedAsWritten) {
    // Printed results depend on the last bit, so each element is formed in
    // the written order: products left to right, a square as a product of
    // its own. About an axis through the origin the translations are exact.
    const Point3 axis{0.3, -1.1, 0.7};
    const double theta = 0.4;
    const double len = voxel::length(axis);
    const double ux = axis.x / len, uy = axis.y / len, uz = axis.z / len;
    const double c = std::cos(theta), s = std::sin(theta);
    const double expected[3][3] = {
        {c * (uy * uy + uz * uz) + ux * ux, (1 - c) * ux * uy + s * uz, (1 - c) * ux * uz - s * uy},
        {(1 - c) * ux * uy - s * uz, (1 - c) * (uy * uy) + c, (1 - c) * uy * uz + s * ux},
        {(1 - c) * ux * uz + s * uy, (1 - c) * uy * uz - s * ux, (1 - c) * (uz * uz) + c}};
    const Matrix4 r = voxel::rotation_matrix({0, 0, 0}, axis, theta);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_EQ(r.at(i, j), expected[i][j]) << i << "," << j;
        EXPECT_EQ(r.at(i, 3), 0.0);
        EXPECT_EQ(r.at(3, i), 0.0);
    }
    EXPECT_EQ(r.at(3, 3), 1.0);
}

TEST(RotationMatrix, QuarterTurnAboutZTakesXToY) {
    const Matrix4 r = voxel::rotation_matrix({0, 0, 0}, {0, 0, 1}, kPi / 2);
    expect_point_near(transform({1, 0, 0}, r), {0, 1, 0}, kRoundoff);
    expect_point_near(transform({0, 1, 0}, r), {-1, 0, 0}, kRoundoff);
    expect_point_near(transform({0, 0, 5}, r), {0, 0, 5}, kRoundoff);
}

TEST(RotationMatrix, RightHandedAboutEveryAxis) {
    const Matrix4 rx = voxel::rotation_matrix({0, 0, 0}, {3, 0, 0}, kPi / 2);
    expect_point_near(transform({0, 1, 0}, rx), {0, 0, 1}, kRoundoff);
    const Matrix4 ry = voxel::rotation_matrix({0, 0, 0}, {0, 0.5, 0}, kPi / 2);
    expect_point_near(transform({0, 0, 1}, ry), {1, 0, 0}, kRoundoff);
    // Reversing the axis reverses the turn.
    const Matrix4 rz = voxel::rotation_matrix({0, 0, 1}, {0, 0, 0}, kPi / 2);
    expect_point_near(transform({1, 0, 0}, rz), {0, -1, 0}, kRoundoff);
}

TEST(RotationMatrix, TurnsAboutALineThroughPa) {
    // The axis through (1, 2, 0) parallel to z: points on it stay, others
    // turn about it.
    const Matrix4 r = voxel::rotation_matrix({1, 2, 0}, {1, 2, 4}, kPi / 2);
    expect_point_near(transform({1, 2, 7}, r), {1, 2, 7}, kRoundoff);
    expect_point_near(transform({2, 2, 0}, r), {1, 3, 0}, kRoundoff);
    expect_point_near(transform({1, 0, -1}, r), {3, 2, -1}, kRoundoff);
}

TEST(RotationMatrix, ThirdOfATurnAboutTheDiagonalCyclesTheAxes) {
    const Matrix4 r = voxel::rotation_matrix({0, 0, 0}, {1, 1, 1}, 2 * kPi / 3);
    expect_point_near(transform({1, 0, 0}, r), {0, 1, 0}, kRoundoff);
    expect_point_near(transform({0, 1, 0}, r), {0, 0, 1}, kRoundoff);
    expect_point_near(transform({0, 0, 1}, r), {1, 0, 0}, kRoundoff);
}

TEST(RotationMatrix, KeepsDistancesAndUndoesWithTheOppositeAngle) {
    const Point3 pa{0.3, -1.2, 2.0}, pb{1.7, 0.4, -0.5};
    const Point3 p{2.5, 1.0, -3.0}, q{-1.0, 0.25, 4.0};
    for (double theta : {0.1, 1.0, -2.5, 3.0}) {
        const Matrix4 r = voxel::rotation_matrix(pa, pb, theta);
        const Point3 rp = transform(p, r), rq = transform(q, r);
        EXPECT_NEAR(voxel::length(voxel::difference(rp, rq)),
                    voxel::length(voxel::difference(p, q)), kRoundoff * 10);
        const Matrix4 back = voxel::rotation_matrix(pa, pb, -theta);
        expect_point_near(transform(rp, back), p, kRoundoff * 10);
    }
}

TEST(RotateAboutAxis, QuarterTurnAboutZTakesXToY) {
    Point3 v{1, 0, 0};
    voxel::rotate_about_axis(v, {0, 0, 1}, kPi / 2);
    expect_point_near(v, {0, 1, 0}, kRoundoff);
}

struct AxisCase {
    const char* name;
    Point3 v, axis;
    double theta;
    Point3 expected;  // the unit result
};

class RotateAboutAxisUnit : public testing::TestWithParam<AxisCase> {};

TEST_P(RotateAboutAxisUnit, ResultHasUnitLength) {
    const AxisCase& c = GetParam();
    Point3 v = c.v;
    voxel::rotate_about_axis(v, c.axis, c.theta);
    EXPECT_NEAR(voxel::length(v), 1.0, kRoundoff);
    expect_point_near(v, c.expected, kRoundoff);
}

INSTANTIATE_TEST_SUITE_P(RotateAboutAxis, RotateAboutAxisUnit,
                         testing::Values(
                             // A long vector turned a quarter about z comes back of unit length.
                             AxisCase{"LongVector", {3, 0, 0}, {0, 0, 2}, kPi / 2, {0, 1, 0}},
                             // Parallel to the axis: unchanged but normalised.
                             AxisCase{"ParallelToAxis", {0, 0, 0.25}, {0, 0, 7}, 1.2, {0, 0, 1}},
                             // A turn of 0 only normalises.
                             AxisCase{"ZeroAngle", {3, 4, 0}, {1, 1, 1}, 0.0, {0.6, 0.8, 0}},
                             // A half turn about x of (0, 3, 4).
                             AxisCase{"HalfTurn", {0, 3, 4}, {1, 0, 0}, kPi, {0, -0.6, -0.8}}),
                         [](const testing::TestParamInfo<AxisCase>& i) {
                             return std::string(i.param.name);
                         });

}  // namespace

namespace {

// The iterations take pi as acos(-1) and one degree as pi times the double
// written 0.005555555555555556; the constants must be those very doubles.
TEST(Angles, ConstantsAreTheIterationsOwnDoubles) {
    EXPECT_EQ(voxel::kPi, std::acos(-1.0));
    const double one_over_180 = 0.005555555555555556;
    const double runtime_degree = std::acos(-1.0) * one_over_180;
    EXPECT_EQ(voxel::kOneDegree, runtime_degree);
    EXPECT_NE(voxel::kRimPi, voxel::kPi);
}

}  // namespace
