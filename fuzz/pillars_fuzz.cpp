// Fuzz target: the pillar file through its reader, then the drafts where
// a level and a heeled water plane meet the pillar axes, and their warnings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/io/pillars.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    voxel::PillarAxes pillars;
    const voxel::ReadResult read = voxel::read_pillars_bytes("FourPillars.txt", bytes, pillars);
    if (!read.opened || read.diagnostics.has_errors()) return 0;
    // Unit normals out of the water: level at z = 5, and heeled by about 10
    // degrees about x.
    const voxel::Plane planes[2] = {{0.0, 0.0, 1.0, -5.0},
                                    {0.0, 0.17364817766693033, 0.984807753012208, -5.0}};
    for (const voxel::Plane& p : planes) {
        fuzz_check(voxel::draft_lines(p, pillars).size() <= voxel::kPillarCount, "draft lines");
        fuzz_check(voxel::draft_warnings(p, pillars).items().size() <= voxel::kPillarCount,
                   "draft warnings");
    }
    return 0;
}
