#include "model/hydrostatics/level_section.h"

#include <algorithm>
#include <cmath>

#include "kernel/volume_moments.h"

namespace voxel {

HullIndex index_hull(const ShipModel& ship) {
    HullIndex index;
    const std::size_t n = ship.tetrahedra.size();
    index.zmin.reserve(n);
    index.zmax.reserve(n);
    index.volume.reserve(n);
    index.centroid.reserve(n);
    for (const TetraVertices& t : ship.tetrahedra) {
        index.zmin.push_back(std::min(std::min(t.V0.z, t.V1.z), std::min(t.V2.z, t.V3.z)));
        index.zmax.push_back(std::max(std::max(t.V0.z, t.V1.z), std::max(t.V2.z, t.V3.z)));
        index.volume.push_back(t.full_volume());
        index.centroid.push_back(t.vertex_centroid());
    }
    // A piece of the slab lies within its tetrahedron's x range but for the
    // rounding of the crossings, far below the margin of may_reach_midship:
    // a tetrahedron that cannot reach the section plane leaves no piece
    // that can, and is not clipped at all.
    for (const TetraVertices& piece : midship_slab(ship, true))
        if (may_reach_midship(piece, ship)) index.midship.push_back(piece);
    return index;
}

LevelSection level_section(const ShipModel& ship, const HullIndex& index, double T) {
    const Plane plane{0.0, 0.0, 1.0, -T};  // z = T; z <= T is submerged
    VolumeMoments volume;
    SectionSums waterplane;
    const std::size_t n = ship.tetrahedra.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double lo = index.zmin[i], hi = index.zmax[i];
        if (hi <= T) {
            volume.add(index.volume[i], index.centroid[i]);
        } else if (lo <= T) {
            const CutResult r = cut_below_plane(ship.tetrahedra[i], plane, ship.crossing);
            volume.add(r.volume, r.centroid);
        }
        const double margin = 1e-12 * (1.0 + std::fabs(T) + (hi - lo));
        if (lo <= T + margin && hi >= T - margin)
            waterplane.add(ship.tetrahedra[i], plane, [](const Point3& q) {
                return Point2{q.x, q.y};
            });
    }
    LevelSection out;
    out.submerged = {volume.volume, volume.centroid()};
    out.waterplane = waterplane.result();
    out.midship = midship_section_of(index.midship, ship, T);
    return out;
}

}  // namespace voxel
