#include "model/io/body_file.h"

#include <cctype>
#include <utility>

#include "kernel/platform/text_input.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/format2_reader.h"
#include "model/io/mesh_block.h"
#include "model/io/scanned_text_file.h"
#include "model/io/ship_reader.h"
#include "model/io/solid_blocks.h"
#include "model/io/solid_tetrahedra.h"
#include "model/io/triangle_mesh.h"

namespace voxel {

namespace {

bool has_mesh_extension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "stl" || ext == "obj";
}

// The first line that is not blank, after a UTF-8 byte-order mark.
std::string first_line(const std::string& bytes) {
    std::size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < bytes.size()) {
        std::size_t end = bytes.find('\n', i);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(i, end - i);
        if (line.find_first_not_of(" \t\r") != std::string::npos) return line;
        i = end + 1;
    }
    return {};
}

bool starts_with(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

BodyFileResult read_body_file(VoxelGroup& group, const std::string& path) {
    BodyFileResult out;
    std::string bytes;
    if (!read_regular_file(path.c_str(), bytes, out.reason)) return out;
    out.opened = true;

    if (has_mesh_extension(path)) {
        out.kind = BodyFileKind::Mesh;
        const MeshReadResult mesh = read_triangle_mesh_bytes(path, bytes, 1.0, Point3{});
        out.diagnostics = mesh.diagnostics;
        if (!mesh.opened || mesh.diagnostics.has_errors()) return out;
        BodyBuilder body(group.crossing, Summation::PerSolid);
        body.add_surface(mesh.mesh.vertices, mesh.mesh.facets);
        group.set_body(body.build());
        return out;
    }

    const std::string line = first_line(bytes);
    if (starts_with(line, "Loa=")) {
        out.kind = BodyFileKind::ShipInformation;
        ShipModel ship(group.crossing, Summation::PerSolid);
        ReadResult read = read_ship_information_bytes(ship, path, bytes);
        out.diagnostics = std::move(read.diagnostics);
        out.lpp = ship.Lpp;
        out.breadth = ship.B;
        out.water_density = ship.W_Den;
        group.set_body(std::move(ship.hull));
        return out;
    }
    if (starts_with(line, "Volume of Displacement=")) {
        out.kind = BodyFileKind::Format2;
        ReadResult read = read_format2_bytes(group, path, bytes);
        out.diagnostics = std::move(read.diagnostics);
        return out;
    }

    out.kind = BodyFileKind::Solids;
    BodyBuilder body(group.crossing, Summation::PerSolid);
    ReadResult read = read_scanned_bytes(path, bytes, [&](ScannedTextFile& in) {
        read_solid_blocks(in, [&body, &in](const SolidBlock& b) {
            if (b.kind == SolidKind::SurfaceMesh)
                add_mesh_block(body, b, in);
            else
                add_solid_block(body, b);
        });
    });
    out.diagnostics = std::move(read.diagnostics);
    group.set_body(body.build());
    return out;
}

}  // namespace voxel
