// Area properties of plane triangles and convex polygons, in a plane
// coordinate system (x, y) of their own: the ship's (x, y) for the waterplane,
// the ship's (y, z) for the midship section. Lengths in metres.
#pragma once

namespace voxel {

// The constant 1/12 of the second moments, as the double it is written as.
constexpr double kOneTwelfth = 0.08333333333333333;

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

struct Triangle2 {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0, x3 = 0.0, y3 = 0.0;
    double cx = 0.0, cy = 0.0;  // centroid
    double area = 0.0;          // always >= 0
    double Ixx = 0.0;           // about the centroidal axis parallel to x: int (y - cy)^2 dA
    double Iyy = 0.0;           // about the centroidal axis parallel to y: int (x - cx)^2 dA

    // Stores the vertices and computes area, centroid and moments.
    void set(double px1, double py1, double px2, double py2, double px3, double py3);
};

// A convex polygon given in boundary order (either sense).
struct Polygon2 {
    double area = 0.0;
    double cx = 0.0, cy = 0.0;  // centroid
    double Ixx = 0.0;           // int (y - cy)^2 dA
    double Iyy = 0.0;           // int (x - cx)^2 dA

    int count() const { return count_; }

    // Keeps the number of points (not the points: the sections of a hull
    // set millions of polygons) and sums the fan of triangles (point k, point k-1,
    // point 0), k = 2 .. n-1. A polygon of area below 1e-15 gets zero moments
    // and the mean of its points as centroid.
    void set(int n, const Point2* pts);

  private:
    int count_ = 0;
};

}  // namespace voxel
