#include "model/hydrostatics/ship_model.h"

namespace voxel {

HydroTable::HydroTable() {
    set_waterlines(1, 0.0, 0.0);
}

void HydroTable::set_waterlines(int n, double start_draft, double draft_step) {
    const std::size_t rows = n > 0 ? static_cast<std::size_t>(n) : 0;
    count = n > 0 ? n : 0;
    T.assign(rows, 0.0);
    if (rows > 0) {
        T[0] = start_draft;
        for (std::size_t k = 1; k < rows; ++k) T[k] = T[k - 1] + draft_step;
    }
    for (HydroColumn column : kHydroColumns) (this->*column).assign(rows, 0.0);
}

double ShipModel::total_volume() const {
    double sum = 0.0;
    for (const TetraVertices& t : tetrahedra) sum = sum + t.full_volume();
    return sum;
}

Box3 ShipModel::bounding_box() {
    box = Box3{};
    for (const TetraVertices& t : tetrahedra) box.fold(t.bounds());
    return box;
}

SubmergedPart ShipModel::submerged_volume_and_centre(const Plane& p) const {
    return sum_submerged_parts(tetrahedra.data(), tetrahedra.size(), p, crossing);
}

}  // namespace voxel
