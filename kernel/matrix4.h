// 4x4 transformation matrices for row-vector points.
#pragma once

#include "kernel/point3.h"

namespace voxel {

// Row-major: element (i, j) is m[4 * i + j]. A point is transformed as the row
// vector [x, y, z, 1] multiplied from the left, [x, y, z, 1] * M, so a
// translation sits in row 3 and the product L * R applies L first.
struct Matrix4 {
    double m[16] = {};

    double& at(int i, int j) { return m[4 * i + j]; }
    double at(int i, int j) const { return m[4 * i + j]; }
};

// The n x n identity written into out (row-major, n * n doubles).
void identity_matrix(double* out, int n);
Matrix4 identity_matrix();

// out (n x b) = L (n x a) * R (a x b), all row-major. Each element is summed
// upwards from 0.0 over k = 0 ... a-1. out must not alias L or R.
void matrix_product(const double* L, const double* R, int n, int a, int b, double* out);
Matrix4 matrix_product(const Matrix4& L, const Matrix4& R);

// Right-handed rotation by theta (radians) about the line through pa with
// direction pb - pa; pa and pb must differ. Seen from the tip of the axis,
// points turn counter-clockwise: pi/2 about +z takes +x to +y.
Matrix4 rotation_matrix(const Point3& pa, const Point3& pb, double theta);

// Turns the vector v in place about the axis through the origin by theta
// (radians) and scales the result to unit length.
void rotate_about_axis(Point3& v, const Point3& axis, double theta);

}  // namespace voxel
