// Fuzz target: a mesh file (binary STL, ASCII STL or OBJ) through its reader
// and checks, then the enclosed volume of what was accepted.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/io/scanned_text_file.h"
#include "model/io/triangle_mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const voxel::MeshReadResult read =
        voxel::read_triangle_mesh_bytes("hull.stl", bytes, 2.0, {1.0, -3.0, 0.5});
    if (!read.opened || read.diagnostics.has_errors()) return 0;
    const voxel::TriangleMesh& mesh = read.mesh;
    fuzz_check(!mesh.facets.empty(), "an accepted mesh has facets");
    fuzz_check(mesh.sources.size() == mesh.facets.size(), "one source per facet");
    for (const voxel::Point3& p : mesh.vertices)
        fuzz_check(std::fabs(p.x) <= voxel::kLargestInputMagnitude &&
                       std::fabs(p.y) <= voxel::kLargestInputMagnitude &&
                       std::fabs(p.z) <= voxel::kLargestInputMagnitude,
                   "vertices finite and within range");
    const int vertices = static_cast<int>(mesh.vertices.size());
    for (const auto& f : mesh.facets) {
        for (int v : f) fuzz_check(v >= 0 && v < vertices, "facet corners name vertices");
        fuzz_check(f[0] != f[1] && f[1] != f[2] && f[2] != f[0], "no facet with a corner twice");
    }
    // A closed, consistently oriented mesh is turned outward when inverted.
    const double volume = voxel::signed_volume(mesh);
    fuzz_check(std::isfinite(volume) && volume >= 0.0, "accepted volume finite, not negative");
    return 0;
}
