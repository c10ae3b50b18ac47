// The exact immersed cross-section of a heeled rectangular barge.
//
// The section is the rectangle |y| <= B/2, 0 <= z <= D in body coordinates
// (lengths in metres, areas in m^2). Heeling the body by theta is the same as
// turning the waterline the other way: the water-plane normal, out of the
// water, becomes n = (-sigma sin theta, cos theta) in the (y, z) plane, so
// sigma = -1 immerses the -y side and sigma = +1 the +y side. A prismatic body
// with G on its middle station needs no trim, so the section is the whole
// story: it keeps the upright immersed area B d at every heel.
#pragma once

#include <vector>

namespace acceptance {

struct Point2 {
    double y = 0.0;
    double z = 0.0;
};

struct ImmersedSection {
    std::vector<Point2> polygon;  // counter-clockwise in (y, z), the waterline edge included
    double area = 0.0;            // m^2
    Point2 centroid;              // centre of buoyancy of the section
    double c = 0.0;               // the waterline n.p = c
};

// The part of the rectangle with n.p <= c (n a unit vector), by clipping its
// four corners against the half-plane; area and centroid by the shoelace sums.
ImmersedSection clip_rectangle(double B, double D, Point2 n, double c);

// The section of immersed area `area` (0 < area < B D) under a waterline of
// normal n: the area grows monotonically with c, from 0 at the lowest corner
// to B D at the highest, so bisection on c finds the waterline to the last bit.
ImmersedSection immersed_rectangle(double B, double D, Point2 n, double area);

// Righting arm (m) of the barge of breadth B, depth D and upright draft d with
// its centre of gravity on the centre line at height zG, heeled by theta
// (radians) to the side sigma: the horizontal distance from G to the vertical
// through the centre of buoyancy, positive when the couple turns the body back
// upright.
double rectangle_righting_arm(double B, double D, double d, double zG, double theta, double sigma);

}  // namespace acceptance
