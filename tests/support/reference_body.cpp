#include "support/reference_body.h"

namespace testing_support {

voxel::WaterplaneProps level_waterplane(const voxel::Body& hull, const voxel::Plane& p) {
    voxel::SectionSums sums;
    for (std::size_t i = 0; i < hull.tetrahedron_count(); ++i)
        sums.add(hull.tetrahedron(i), p, [](const voxel::Point3& q) {
            return voxel::Point2{q.x, q.y};
        });
    return sums.result();
}

voxel::MidshipSection midship_section(const voxel::Body& hull, const voxel::MidshipStation& s,
                                      double T) {
    return voxel::midship_section_of(voxel::midship_slab(hull, s), s, hull.crossing(), T);
}

}  // namespace testing_support
