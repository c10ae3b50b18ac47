#include "model/format2_reader.h"

#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "model/scanned_text_file.h"
#include "model/solid_blocks.h"

namespace voxel {

namespace {

// The records in an array of exactly their number: room was made from the
// keyword lines, which a good file has as many of as blocks, so this seldom
// copies.
template <class T>
std::vector<T> exactly_sized(std::vector<T>& collected) {
    collected.shrink_to_fit();
    return std::move(collected);
}

// Room for as many records of a kind as the text has keyword lines of it.
// Lines that start no real block can make that far too much; the array then
// grows as the blocks come.
template <class T>
void make_room(std::vector<T>& records, std::size_t count) {
    try {
        records.reserve(count);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
}

// The header and the blocks, into an empty group.
void read_format2(ScannedTextFile& in, VoxelGroup& group) {
    if (in.refused()) return;

    // Header. Each value starts at 0 and keeps it when its line does not
    // parse; the pattern's closing newline passes over blank lines.
    group.V = 0.0;
    group.G = Point3{};
    const struct {
        const char* prefix;
        double* value;
    } header[4] = {{"Volume of Displacement=", &group.V},
                   {"Gra_Pt.x=", &group.G.x},
                   {"Gra_Pt.y=", &group.G.y},
                   {"Gra_Pt.z=", &group.G.z}};
    for (const auto& h : header) {
        const std::string what = std::string("\"") + h.prefix + "<数>\"";
        if (in.read_number(h.prefix, *h.value, what) == ScanResult::EndOfFile)
            in.warn(in.line(), "文件在 " + what + " 之前结束; 该值按 0 计.");
    }

    // Solids collected in file order, then stored in exactly sized arrays.
    std::vector<Tetrahedron> tetrahedra;
    std::vector<Hexahedron> hexahedra;
    std::vector<TrianglePrism> prisms;
    std::vector<Cylinder> cylinders;
    const KeywordLineCounts keywords = count_keyword_lines(in.text());
    make_room(tetrahedra, keywords[SolidKind::Tetrahedron]);
    make_room(hexahedra, keywords[SolidKind::Hexahedron]);
    make_room(prisms, keywords[SolidKind::TrianglePrism]);
    make_room(cylinders, keywords[SolidKind::Cylinder]);
    read_solid_blocks(in, [&](const SolidBlock& b) {
        switch (b.kind) {
            case SolidKind::Tetrahedron:
                tetrahedra.emplace_back(b.vertex[0], b.vertex[1], b.vertex[2], b.vertex[3]);
                break;
            case SolidKind::Hexahedron: {
                Hexahedron h;
                h.set_vertices(b.vertex, 8);
                hexahedra.push_back(h);
                break;
            }
            case SolidKind::TrianglePrism: {
                TrianglePrism p;
                p.set_vertices(b.vertex, 6);
                prisms.push_back(p);
                break;
            }
            case SolidKind::Cylinder:
                cylinders.emplace_back(b.vertex[0], b.vertex[1], b.radius);
                break;
        }
    });

    group.tetrahedra = exactly_sized(tetrahedra);
    group.hexahedra = exactly_sized(hexahedra);
    group.prisms = exactly_sized(prisms);
    group.cylinders = exactly_sized(cylinders);
    group.bounding_box();
    group.prepare_queries();
}

}  // namespace

ReadResult read_format2_model(VoxelGroup& group, const std::string& path) {
    return read_scanned_file(path, [&](ScannedTextFile& in) { read_format2(in, group); });
}

ReadResult read_format2_bytes(VoxelGroup& group, const std::string& name,
                              const std::string& bytes) {
    return read_scanned_bytes(name, bytes, [&](ScannedTextFile& in) { read_format2(in, group); });
}

}  // namespace voxel
