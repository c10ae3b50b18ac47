// The righting arms of one side of a loading condition, computed where asked
// (with the liquids shifting and free trim) and kept by their heel angle
// (degrees). Not for several threads at once: each keeps its own store.
#pragma once

#include <map>
#include <utility>

#include "kernel/angles.h"
#include "model/body/voxel_group.h"
#include "model/stability/righting_arm_at.h"

namespace voxel {

class SideArms {
  public:
    // sigma: -1 heels to starboard, +1 to port. V in m^3.
    SideArms(const VoxelGroup& hull, double V, const GravityAt& G, double sigma,
             const TrimBounds& bounds)
        : hull_(hull), V_(V), G_(G), sigma_(sigma), bounds_(bounds) {}

    void keep(double deg, ArmResult arm) { arms_.emplace(deg, std::move(arm)); }

    const ArmResult& at(double deg) {
        auto it = arms_.find(deg);
        if (it == arms_.end())
            it = arms_
                     .emplace(deg, righting_arm_at(hull_, V_, G_, kHeelAboutX, (deg / 180.0) * kPi,
                                                   sigma_, bounds_))
                     .first;
        return it->second;
    }
    double gz(double deg) { return at(deg).GZ; }  // m
    bool balanced(double deg) { return trim_balanced(at(deg)); }
    double sigma() const { return sigma_; }
    // The water plane of the balanced state at deg.
    WaterPlane water_plane(double deg) { return hull_.find_water_plane(V_, at(deg).state.N); }

  private:
    const VoxelGroup& hull_;
    double V_;
    const GravityAt& G_;
    double sigma_;
    const TrimBounds& bounds_;
    std::map<double, ArmResult> arms_;
};

}  // namespace voxel
