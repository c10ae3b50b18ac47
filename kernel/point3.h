// Points and vectors of the body-fixed frame, in the model's length unit.
#pragma once

#include <cmath>

namespace voxel {

// A point or a vector; the two are not told apart.
struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    void set(double px, double py, double pz) {
        x = px;
        y = py;
        z = pz;
    }
};

// The vector P1 - P0.
inline Point3 difference(const Point3& p0, const Point3& p1) {
    return {p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
}

inline Point3 add(const Point3& a, const Point3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline double dot(const Point3& u, const Point3& v) {
    return u.x * v.x + u.y * v.y + u.z * v.z;
}

inline Point3 cross(const Point3& u, const Point3& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

inline double length(const Point3& u) {
    return std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z);
}

// In place; u must not be the zero vector.
inline void normalize(Point3& u) {
    const double len = length(u);
    u.x = u.x / len;
    u.y = u.y / len;
    u.z = u.z / len;
}

// (u.v / |u|) / |v|, divided in that order.
inline double cosine_between(const Point3& u, const Point3& v) {
    return (dot(u, v) / length(u)) / length(v);
}

// 0.5 * (P0 + P1), coordinate by coordinate.
inline Point3 midpoint(const Point3& p0, const Point3& p1) {
    return {0.5 * (p0.x + p1.x), 0.5 * (p0.y + p1.y), 0.5 * (p0.z + p1.z)};
}

}  // namespace voxel
