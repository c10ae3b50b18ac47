// The principal data of a hull built from a table of offsets, as the model
// files carry them.
#pragma once

#include <optional>
#include <vector>

#include "kernel/point3.h"
#include "kernel/tetrahedron.h"
#include "model/hydrostatics/level_displacement.h"
#include "model/io/offset_table.h"

namespace voxel {

// What the command line gives.
struct HullSettings {
    double draft = 0.0;         // level draft above the base line, m
    double kg = 0.0;            // height of G above the base line, m
    std::optional<double> lcg;  // x of G, m; none: the centre of buoyancy's x at the draft
    double density = 1.025;     // water density W_Den, t/m^3
    double c1 = 1.006;          // total over moulded displacement (shell, appendages)
};

struct HullParticulars {
    double Loa = 0.0, Lpp = 0.0;  // both the length from the first station to the last, m
    double B = 0.0;               // twice the largest half-breadth, m
    double D = 0.0;               // the top waterline, m
    double draft = 0.0;           // m
    LevelDisplacement below;      // volume (m^3) and centre (m) below the draft
    Point3 G;                     // centre of gravity, m
    double density = 0.0, c1 = 0.0;
    double x_aft = 0.0, x_fore = 0.0;    // first and last station, m
    double z_bottom = 0.0, z_top = 0.0;  // lowest and top waterline, m
    int stations = 0, waterlines = 0;

    double x_mid() const { return 0.5 * (x_aft + x_fore); }
    // Displacement W_Den V, t.
    double displacement() const { return density * below.V; }
    // Block coefficient V / (Lpp B T).
    double block_coefficient() const { return below.V / (Lpp * B * draft); }
};

HullParticulars hull_particulars(const OffsetTable& table, const Body& hull,
                                 const HullSettings& settings);

}  // namespace voxel
