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

}  // namespace voxel
