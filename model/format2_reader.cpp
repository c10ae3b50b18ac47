#include "model/format2_reader.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/scanned_text_file.h"

namespace voxel {

namespace {

// Solids collected in file order before they are stored in exactly sized
// arrays.
struct Collected {
    std::vector<Tetrahedron> tetrahedra;
    std::vector<Hexahedron> hexahedra;
    std::vector<TrianglePrism> prisms;
    std::vector<Cylinder> cylinders;
};

// One block being read: its keyword, the line of the keyword, and whether a
// read ran into the end of the file.
class BlockReader {
  public:
    BlockReader(ScannedTextFile& in, const char* keyword, int line)
        : in_(in), keyword_(keyword), line_(line) {}

    // The next vertex line, starting from (0, 0, 0).
    Point3 vertex(const std::string& name) {
        Point3 p;
        if (!truncated_) {
            const ScanResult r = in_.read_point(p, name + " \"x,y,z\" of the " + keyword_ +
                                                       " block of line " + std::to_string(line_));
            truncated_ = r == ScanResult::EndOfFile;
        }
        return p;
    }

    // The next radius line, starting from 0.
    double radius(const char* which) {
        double r = 0.0;
        if (!truncated_) {
            const ScanResult res =
                in_.read_number("", r,
                                std::string(which) + " (a number) of the " + keyword_ +
                                    " block of line " + std::to_string(line_));
            truncated_ = res == ScanResult::EndOfFile;
        }
        return r;
    }

    // True when the block is whole; otherwise warns that it is dropped.
    bool complete() const {
        if (truncated_)
            in_.warn(in_.line(), std::string("the ") + keyword_ + " block of line " +
                                     std::to_string(line_) +
                                     " ends at the end of the file before all of its values; "
                                     "the block is dropped");
        return !truncated_;
    }

    int line() const { return line_; }

  private:
    ScannedTextFile& in_;
    const char* keyword_;
    int line_;
    bool truncated_ = false;
};

void read_tetrahedron(BlockReader& block, Collected& c) {
    Point3 v[4];
    for (int i = 0; i < 4; ++i) v[i] = block.vertex("vertex V" + std::to_string(i));
    if (block.complete()) c.tetrahedra.emplace_back(v[0], v[1], v[2], v[3]);
}

void read_hexahedron(BlockReader& block, Collected& c) {
    Point3 v[8];
    for (int i = 0; i < 8; ++i) v[i] = block.vertex("vertex V" + std::to_string(i));
    if (!block.complete()) return;
    Hexahedron h;
    h.set_vertices(v, 8);
    c.hexahedra.push_back(h);
}

void read_prism(BlockReader& block, Collected& c) {
    Point3 v[6];
    for (int i = 0; i < 6; ++i) v[i] = block.vertex("vertex V" + std::to_string(i));
    if (!block.complete()) return;
    TrianglePrism p;
    p.set_vertices(v, 6);
    c.prisms.push_back(p);
}

// P0, r, P1, r2; the cylinder takes the first radius.
void read_cylinder(ScannedTextFile& in, BlockReader& block, Collected& c) {
    const Point3 p0 = block.vertex("end centre P0");
    const double r = block.radius("radius r");
    const Point3 p1 = block.vertex("end centre P1");
    block.radius("radius r2");
    if (!block.complete()) return;
    // The rim is built on the unit axis and the sectors need a real circle.
    if (p0.x == p1.x && p0.y == p1.y && p0.z == p1.z)
        in.fail(block.line(), "the Cylinder block has two equal end centres (a zero-length axis)");
    if (!(r > 0.0))
        in.fail(block.line(), "the Cylinder block has the radius " + format_number(r) +
                                  "; a radius must be positive");
    c.cylinders.emplace_back(p0, p1, r);
}

// The records, copied into arrays of exactly their number.
template <class T>
std::vector<T> exactly_sized(const std::vector<T>& collected) {
    return std::vector<T>(collected.begin(), collected.end());
}

}  // namespace

void read_format2_model(VoxelGroup& group, const char* path) {
    ScannedTextFile in;
    if (!in.open(path)) {
        console_line(" SET file(Format2) read error! ");
        wait_for_key();
        std::exit(1);
    }

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
        const std::string what = std::string("\"") + h.prefix + "<number>\"";
        if (in.read_number(h.prefix, *h.value, what) == ScanResult::EndOfFile)
            in.warn(in.line(), "the end of the file came before " + what + "; 0 is taken");
    }

    // Blocks, until the end of the file. A keyword line is compared whole,
    // line end included, in pieces of at most 99 bytes.
    Collected collected;
    char line[100];
    while (!in.at_end()) {
        const int line_number = in.line();
        if (!std::fgets(line, sizeof line, in.stream())) break;
        if (std::strcmp(line, "Tetrahedron\n") == 0) {
            BlockReader block(in, "Tetrahedron", line_number);
            read_tetrahedron(block, collected);
        } else if (std::strcmp(line, "Hexahedron\n") == 0) {
            BlockReader block(in, "Hexahedron", line_number);
            read_hexahedron(block, collected);
        } else if (std::strcmp(line, "TrianglePrism\n") == 0) {
            BlockReader block(in, "TrianglePrism", line_number);
            read_prism(block, collected);
        } else if (std::strcmp(line, "Cylinder\n") == 0) {
            BlockReader block(in, "Cylinder", line_number);
            read_cylinder(in, block, collected);
        }
    }

    group.tetrahedra = exactly_sized(collected.tetrahedra);
    group.hexahedra = exactly_sized(collected.hexahedra);
    group.prisms = exactly_sized(collected.prisms);
    group.cylinders = exactly_sized(collected.cylinders);
    group.bounding_box();
}

}  // namespace voxel
