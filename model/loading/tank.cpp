#include "model/loading/tank.h"

namespace voxel {

LiquidAt liquid_at(const Tank& tank, const Point3& N) {
    LiquidAt out;
    if (!tank.free_surface()) {
        out.centre = tank.shape_centre;
        return out;
    }
    const WaterPlane w = tank.shape->find_water_plane(tank.filled_shape_volume(), N);
    out.centre = w.B;
    out.plane = w.plane;
    out.converged = w.converged;
    return out;
}

double free_surface_moment(const Tank& tank, const Point3& N, const Point3& axis) {
    if (!tank.free_surface()) return 0.0;
    const LiquidAt liquid = liquid_at(tank, N);
    const WaterplaneProps s = tank.shape->waterplane(liquid.plane, axis);
    return (tank.entry.density * tank.entry.permeability) * s.IT;
}

}  // namespace voxel
