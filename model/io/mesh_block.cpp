#include "model/io/mesh_block.h"

#include <string>

#include "model/io/triangle_mesh.h"

namespace voxel {

namespace {

// The mesh path as the model file names it: an absolute path as it stands,
// a relative one from the model file's folder.
std::string mesh_path_of(const std::string& model_path, const std::string& mesh_path) {
    if (!mesh_path.empty() && mesh_path[0] == '/') return mesh_path;
    const std::size_t slash = model_path.find_last_of('/');
    if (slash == std::string::npos) return mesh_path;
    return model_path.substr(0, slash + 1) + mesh_path;
}

}  // namespace

void add_mesh_block(BodyBuilder& body, const SolidBlock& b, ScannedTextFile& in, double weight) {
    const std::string path = mesh_path_of(in.name(), b.mesh_path);
    const MeshReadResult read = read_triangle_mesh(path, b.scale, b.vertex[0]);
    in.append(read.diagnostics);
    if (!read.opened || read.diagnostics.has_errors()) {
        in.error(b.line, "SurfaceMesh 块 (始于第 " + std::to_string(b.line) + " 行) 的网格文件 " +
                             path + " 不能使用 (见上), 该块不计入浮体.");
        return;
    }
    body.add_surface(read.mesh.vertices, read.mesh.facets, weight);
}

}  // namespace voxel
