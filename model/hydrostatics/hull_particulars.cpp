#include "model/hydrostatics/hull_particulars.h"

#include <algorithm>

namespace voxel {

HullParticulars hull_particulars(const OffsetTable& table, const Body& hull,
                                 const HullSettings& settings) {
    HullParticulars h;
    h.x_aft = table.x.front();
    h.x_fore = table.x.back();
    h.z_bottom = table.z.front();
    h.z_top = table.z.back();
    h.stations = static_cast<int>(table.station_count());
    h.waterlines = static_cast<int>(table.waterline_count());
    h.Loa = h.x_fore - h.x_aft;
    h.Lpp = h.Loa;
    double widest = 0.0;
    for (double y : table.half_breadths) widest = std::max(widest, y);
    h.B = 2.0 * widest;
    h.D = h.z_top;
    h.draft = settings.draft;
    h.below = displacement_below(hull, settings.draft);
    h.G = {settings.lcg ? *settings.lcg : h.below.centre.x, 0.0, settings.kg};
    h.density = settings.density;
    h.c1 = settings.c1;
    return h;
}

}  // namespace voxel
