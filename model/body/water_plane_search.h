// The bisection behind Body::find_water_plane: a plane of fixed unit normal
// moved between the lowest and the highest corner of the body's box until
// the volume below it is the one asked for.
#pragma once

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/body.h"

namespace voxel {

class WaterPlaneSearch {
  public:
    // V (model unit cubed) to be displaced under a plane of normal N / |N|.
    // With `bounded`, steps are decided from bounds on the volume where
    // they suffice (see estimate()).
    WaterPlaneSearch(const Body& body, double V, Point3 N, bool bounded);

    WaterPlane run();

  private:
    // The volume at a plane, or a bound on it that lies on the same side of
    // V and as far from it as the volume itself.
    struct Estimate {
        double value = 0.0;
        bool exact = false;
    };

    // The plane through q with the normal n.
    Plane plane_through(const Point3& q) const;
    // Whether |(v - V) / V| is still kWaterPlaneTolerance or more.
    bool still_far(double v) const;
    // A step of the search asks two things of the volume Vt at its plane:
    // whether it is still far from V, and on which side of V it lies. Bounds
    // on Vt answer both, for every value between them, when the two bounds
    // lie on one side of V and both far from it; the volume itself is
    // needed only when they do not (near the end of the search) and for the
    // last plane. Once the bounds fail to decide a step the planes are near
    // the end and they seldom decide another: from then on only the volume
    // is computed.
    Estimate estimate(const Plane& p);
    // Halves the bracket [lo, hi] of the plane's position t (0 at L, 1 at H)
    // towards V, from the estimate at t, and moves to its middle.
    void bisect(const Estimate& at_t);

    const Body& body_;
    const double V_;
    Point3 n_;         // unit normal
    Point3 L_, H_;     // lowest and highest corner of the box along n
    bool try_bounds_;  // the bounds may still decide a step
    double lo_ = 0.0, hi_ = 1.0, t_ = 0.5;
    double V_lo_ = 0.0;  // the volume (or its estimate) at lo
    Plane current_;      // the plane at t
    // The groups the planes still to come may cut: each plane that becomes
    // an end of the bracket settles some.
    GroupFilter filter_;
};

}  // namespace voxel
