// Fuzz target: the Format2 model file through its reader (the header and
// the solid-block reader), then what the programs do first with a body they
// accept: the displacement check, the level water plane, and one heeled water
// plane.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/body/voxel_group.h"
#include "model/io/format2_reader.h"
#include "model/stability/displacement_check.h"

namespace {

// Tetrahedra of the body as cut (a hexahedron is five, a prism three, a
// cylinder 3 * 30); a larger body is read but not floated, so that one input
// stays quick.
constexpr std::size_t kMaxTetrahedra = 200;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    voxel::VoxelGroup group(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_format2_bytes(group, "model.txt", bytes);
    if (!read.opened || read.diagnostics.has_errors()) return 0;

    // What the reader accepted is a body of finite numbers of bounded size.
    fuzz_check(std::isfinite(group.V) && std::fabs(group.V) <= 1e100, "V out of range");
    fuzz_check(group.body().group_count() > 0, "a body of no solid was accepted");
    if (group.body().tetrahedron_count() > kMaxTetrahedra) return 0;

    // The programs' gate (frame/format2_frame.cpp): a displacement within the
    // body's volume, and a level water plane that holds it.
    double total = 0.0;
    if (!voxel::displacement_in_range(group, group.V, total)) return 0;
    double reached = 0.0;
    if (!voxel::level_water_plane_found(group, group.V, reached)) return 0;

    // Then the same volume under a plane heeled by about 30 degrees. Its
    // centre of buoyancy can be 0/0 for a body whose coordinates differ by
    // many orders of magnitude; the programs refuse such a result where it
    // ends (the final attitude, the arms), so only the plane is checked here.
    const voxel::WaterPlane w = group.find_water_plane(group.V, voxel::Point3{0.0, -0.5, 0.866});
    fuzz_check(std::isfinite(w.plane.D), "water plane not finite");
    return 0;
}
