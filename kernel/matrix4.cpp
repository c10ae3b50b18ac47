#include "kernel/matrix4.h"

#include <cmath>

namespace voxel {

void identity_matrix(double* out, int n) {
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) out[n * i + j] = (i == j) ? 1.0 : 0.0;
}

Matrix4 identity_matrix() {
    Matrix4 r;
    identity_matrix(r.m, 4);
    return r;
}

void matrix_product(const double* L, const double* R, int n, int a, int b, double* out) {
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < b; ++j) {
            double sum = 0.0;
            for (int k = 0; k < a; ++k) sum += L[a * i + k] * R[b * k + j];
            out[b * i + j] = sum;
        }
    }
}

Matrix4 matrix_product(const Matrix4& L, const Matrix4& R) {
    Matrix4 out;
    matrix_product(L.m, R.m, 4, 4, 4, out.m);
    return out;
}

Matrix4 rotation_matrix(const Point3& pa, const Point3& pb, double theta) {
    const Point3 axis = difference(pa, pb);
    const double len = length(axis);
    const double ux = axis.x / len;
    const double uy = axis.y / len;
    const double uz = axis.z / len;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double k = 1 - c;

    // The transpose of the usual column-vector rotation (Rodrigues), because
    // points are row vectors here. Products run left to right as written and a
    // square is a product of its own.
    Matrix4 rot;
    rot.at(0, 0) = c * (uy * uy + uz * uz) + ux * ux;
    rot.at(0, 1) = k * ux * uy + s * uz;
    rot.at(0, 2) = k * ux * uz - s * uy;
    rot.at(1, 0) = k * ux * uy - s * uz;
    rot.at(1, 1) = k * (uy * uy) + c;
    rot.at(1, 2) = k * uy * uz + s * ux;
    rot.at(2, 0) = k * ux * uz + s * uy;
    rot.at(2, 1) = k * uy * uz - s * ux;
    rot.at(2, 2) = k * (uz * uz) + c;
    rot.at(3, 3) = 1.0;

    // Move pa to the origin, turn, move back.
    Matrix4 to_origin = identity_matrix();
    to_origin.at(3, 0) = -pa.x;
    to_origin.at(3, 1) = -pa.y;
    to_origin.at(3, 2) = -pa.z;
    Matrix4 back = identity_matrix();
    back.at(3, 0) = pa.x;
    back.at(3, 1) = pa.y;
    back.at(3, 2) = pa.z;
    return matrix_product(matrix_product(to_origin, rot), back);
}

void rotate_about_axis(Point3& v, const Point3& axis, double theta) {
    const Matrix4 r = rotation_matrix(Point3{}, axis, theta);
    const double row[4] = {v.x, v.y, v.z, 1.0};
    double w[4];
    matrix_product(row, r.m, 1, 4, 4, w);
    const double len = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    v = {w[0] / len, w[1] / len, w[2] / len};
}

}  // namespace voxel
