#include "model/io/format2_reader.h"

#include <new>
#include <stdexcept>
#include <vector>

#include "model/io/mesh_block.h"
#include "model/io/scanned_text_file.h"
#include "model/io/solid_blocks.h"

namespace voxel {

namespace {

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

constexpr int kHeaderKeys = 4;
const char* const kHeaderPrefixes[kHeaderKeys] = {
    "Volume of Displacement=", "Gra_Pt.x=", "Gra_Pt.y=", "Gra_Pt.z="};

std::string key_name(int k) {
    return std::string("\"") + kHeaderPrefixes[k] + "<数>\"";
}

// The keys from k on, for a message: "Gra_Pt.y=<数>", "Gra_Pt.z=<数>".
std::string keys_from(int k) {
    std::string names;
    for (int j = k; j < kHeaderKeys; ++j) names += (j > k ? ", " : "") + key_name(j);
    return names;
}

// The four key lines, in their order, each value into its field. Every value
// that does not read is an error that names the key expected there and what
// stands in its place; reading goes on, so that every fault is said:
//  - the line holds the key expected, written wrongly or without a number:
//    the line is passed over;
//  - it holds a later key (one is missing, or they are out of order): the
//    line is read again for the next key;
//  - an earlier key (one twice, or out of order), or no key at all: the line
//    is passed over and the same key looked for on the next one;
//  - the first solid block, or the end of the file: every key still
//    expected is missing.
void read_header(ScannedTextFile& in, VoxelGroup& group) {
    double* const values[kHeaderKeys] = {&group.V, &group.G.x, &group.G.y, &group.G.z};
    // Blank lines before the first key are passed over, as between the keys.
    in.seek(in.first_non_space(in.position()));
    for (int k = 0; k < kHeaderKeys;) {
        const std::string what = key_name(k);
        const ScanResult r = in.read_number(kHeaderPrefixes[k], *values[k], what, false);
        if (r == ScanResult::Complete || r == ScanResult::NotFinite) {
            ++k;
            continue;
        }
        if (r == ScanResult::EndOfFile) {
            in.error(in.line(), "文件在键行 " + keys_from(k) + " 之前结束.");
            return;
        }
        const long at = in.position();
        const int found = in.key_at(at, kHeaderPrefixes, kHeaderKeys);
        const std::string text = "\"" + in.excerpt(at) + "\"";
        if (found == k) {
            in.error(in.line(), "应为 " + what + ", 读到 " + text +
                                    (in.begins_with_key(at, kHeaderPrefixes[k])
                                         ? ": 键后没有可读的数."
                                         : ": 键须逐字写出, 大小写相同, '=' 前不可有空白."));
            ++k;
        } else if (found > k) {
            in.error(in.line(), "应为 " + what + ", 读到键 \"" + kHeaderPrefixes[found] +
                                    "\": 缺少 " + what + " 这一行, 或键的次序不对 (次序为 " +
                                    keys_from(0) + ").");
            in.keep_line();
            ++k;
        } else if (found >= 0) {
            in.error(in.line(), "应为 " + what + ", 读到键 \"" + kHeaderPrefixes[found] +
                                    "\": 该键重复, 或键的次序不对 (次序为 " + keys_from(0) + ").");
        } else if (at_keyword_line(in)) {
            in.error(in.line(), "应为 " + what + ", 读到实体块的关键字行 " + text + ": 缺少键行 " +
                                    keys_from(k) + ".");
            in.keep_line();
            return;
        } else {
            in.error(in.line(), "应为 " + what + ", 读到 " + text + ": 不是键行, 被跳过.");
        }
    }
}

// The header and the blocks, into an empty group.
void read_format2(ScannedTextFile& in, VoxelGroup& group) {
    if (in.refused()) return;

    group.V = 0.0;
    group.G = Point3{};
    read_header(in, group);

    // Solids collected in file order, kind by kind, then built into the
    // body in the order its queries sum them.
    std::vector<TetraVertices> tetrahedra;
    std::vector<Hexahedron> hexahedra;
    std::vector<TrianglePrism> prisms;
    std::vector<Cylinder> cylinders;
    std::vector<SolidBlock> meshes;  // read after the blocks, summed after the other solids
    const KeywordLineCounts keywords = count_keyword_lines(in.text());
    make_room(tetrahedra, keywords[SolidKind::Tetrahedron]);
    make_room(hexahedra, keywords[SolidKind::Hexahedron]);
    make_room(prisms, keywords[SolidKind::TrianglePrism]);
    make_room(cylinders, keywords[SolidKind::Cylinder]);
    read_solid_blocks(in, [&](const SolidBlock& b) {
        switch (b.kind) {
            case SolidKind::Tetrahedron:
                tetrahedra.push_back({b.vertex[0], b.vertex[1], b.vertex[2], b.vertex[3]});
                break;
            case SolidKind::Hexahedron: {
                Hexahedron h;
                h.set_vertices(b.vertex);
                hexahedra.push_back(h);
                break;
            }
            case SolidKind::TrianglePrism: {
                TrianglePrism p;
                p.set_vertices(b.vertex);
                prisms.push_back(p);
                break;
            }
            case SolidKind::Cylinder:
                cylinders.emplace_back(b.vertex[0], b.vertex[1], b.radius);
                break;
            case SolidKind::SurfaceMesh:
                meshes.push_back(b);
                break;
        }
    });

    BodyBuilder body(group.crossing, Summation::PerSolid);
    std::size_t count = tetrahedra.size() + 5 * hexahedra.size() + 3 * prisms.size();
    for (const Cylinder& c : cylinders) count += static_cast<std::size_t>(3 * c.sectors());
    body.reserve(count);
    for (const TetraVertices& t : tetrahedra) body.add(t);
    for (const Cylinder& c : cylinders) body.add(c);
    for (const Hexahedron& h : hexahedra) body.add(h);
    for (const TrianglePrism& p : prisms) body.add(p);
    for (const SolidBlock& m : meshes) add_mesh_block(body, m, in);
    group.set_body(body.build());
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
