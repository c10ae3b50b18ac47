// Fuzz target: the ship information file through its reader (the key lines
// and the solid-block reader), the checks before the sweep, and then one
// waterline's properties: the water plane, the submerged volume and the
// midship section at the sweep's first draft.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/hydrostatics/ship_checks.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/ship_reader.h"

namespace {

// A larger hull is read and checked but not cut, so that one input stays
// quick.
constexpr std::size_t kMaxTetrahedra = 200;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information_bytes(ship, "ship.txt", bytes);
    if (!read.opened || read.diagnostics.has_errors()) return 0;
    fuzz_check(ship.hull.tetrahedron_count() > 0, "a hull of no solid was accepted");
    if (!voxel::ship_data_errors(ship, "ship.txt").empty()) return 0;

    // What the checks let through can be swept without exhausting memory.
    fuzz_check(voxel::waterline_count(ship.D) <= voxel::kMaxWaterlines, "waterline bound");
    if (ship.hull.tetrahedron_count() > kMaxTetrahedra) return 0;

    // The sweep's first waterline.
    const double T = 0.5;  // m
    const voxel::LevelSection level =
        voxel::LevelSweep(ship.hull, voxel::midship_station(ship)).at(T);
    const voxel::WaterplaneProps& w = level.waterplane;
    const voxel::SubmergedPart& s = level.submerged;
    const voxel::MidshipSection& m = level.midship;
    fuzz_check(!(s.volume < 0.0) && !(w.Aw < 0.0) && !(m.Am < 0.0), "negative volume or area");
    return 0;
}
