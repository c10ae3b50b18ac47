#include "apps/hydrostatic_curves/ship_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/text_input.h"
#include "kernel/triangle_prism.h"

namespace voxel {

namespace {

struct KeyLine {
    const char* pattern;  // scanf pattern, the key text first
    const char* key;      // as the file writes it, with its "="
    const char* name;     // the member's name in messages
};

const KeyLine kKeys[10] = {
    {"Loa=%lf", "Loa=", "Loa"},
    {"Lpp=%lf", "Lpp=", "Lpp"},
    {"B=%lf", "B=", "B"},
    {"D=%lf", "D=", "D"},
    {"VD=%lf", "VD=", "VD"},
    {"Gra_Pt.x=%lf", "Gra_Pt.x=", "Gra_Pt.x"},
    {"Gra_Pt.y=%lf", "Gra_Pt.y=", "Gra_Pt.y"},
    {"Gra_Pt.z=%lf", "Gra_Pt.z=", "Gra_Pt.z"},
    {"W_Den=%lf", "W_Den=", "W_Den"},
    {"C1=%lf", "C1=", "C1"},
};

double* key_member(ShipModel& ship, int k) {
    double* members[10] = {&ship.Loa,      &ship.Lpp,      &ship.B,        &ship.D,     &ship.VD,
                           &ship.Gra_Pt.x, &ship.Gra_Pt.y, &ship.Gra_Pt.z, &ship.W_Den, &ship.C1};
    return members[k];
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_finite(const Point3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

std::string point_text(const Point3& p) {
    return format_number(p.x) + "," + format_number(p.y) + "," +
           format_number(p.z);
}

// Reads the text of one ship file with the C library's scanf and fgets, and
// knows at every moment which line it is on.
class ShipFileReader {
  public:
    ShipFileReader(ShipModel& ship, const std::string& path, ShipReadReport& report)
        : ship_(ship), path_(path), report_(report) {}

    // False when the file cannot be opened or read. The input's stream can
    // tell its position, which the line numbers of the messages come from.
    bool open() {
        if (!input_.open(path_.c_str())) return false;
        file_ = input_.stream();
        return true;
    }

    void read_keys();
    void read_blocks();

    std::vector<Tetrahedron> tets;

  private:
    // The current block, for messages and for dropping it when cut short.
    struct Block {
        const char* keyword = "";
        int line = 0;
        bool cut_short = false;
        bool unusable = false;
    };

    long position() { return input_.position(); }
    int line_at(long pos) { return input_.line_at(pos); }

    // Line of the first byte at or after `pos` that is not white space, where
    // scanf's number conversion starts.
    int value_line(long pos) {
        const std::string& text = input_.text();
        while (pos < static_cast<long>(text.size()) && is_space(text[pos])) ++pos;
        return line_at(pos);
    }

    std::string where(int line) const { return path_ + ":" + std::to_string(line) + ": "; }
    std::string block_name(const Block& b) const {
        return std::string(b.keyword) + " 块 (始于第 " + std::to_string(b.line) + " 行)";
    }

    void warn(int line, const std::string& text) { report_.warnings.push_back(where(line) + text); }
    void fail(int line, const std::string& text) { report_.errors.push_back(where(line) + text); }

    Point3 read_vertex(Block& b, int index);
    double read_radius(Block& b, const char* what);
    void end_of_block(Block& b);

    void read_tetrahedron(Block& b);
    void read_hexahedron(Block& b);
    void read_triangle_prism(Block& b);
    void read_cylinder(Block& b);

    ShipModel& ship_;
    std::string path_;
    ShipReadReport& report_;
    TextInput input_;
    std::FILE* file_ = nullptr;  // input_'s stream
};

void ShipFileReader::read_keys() {
    for (int k = 0; k < 10; ++k) {
        const int line = line_at(position());
        double value = 0.0;
        const int got = std::fscanf(file_, kKeys[k].pattern, &value);
        if (got == 1) {
            *key_member(ship_, k) = value;
        } else if (got == EOF && std::feof(file_)) {
            warn(line, std::string("文件已结束, 缺少 \"") + kKeys[k].key + "\" 行; " +
                           kKeys[k].name + " 按 0 计.");
        } else {
            warn(line, std::string("应为 \"") + kKeys[k].key + "\" 后跟一个数; " + kKeys[k].name +
                           " 未赋值, 按 0 计.");
        }
        // The rest of the line, a unit or a remark, is skipped.
        int c;
        do {
            c = std::fgetc(file_);
        } while (c != '\n' && c != EOF);
    }
}

Point3 ShipFileReader::read_vertex(Block& b, int index) {
    double x = 0.0, y = 0.0, z = 0.0;
    const long start = position();
    const int got = std::fscanf(file_, "%lf,%lf,%lf\n", &x, &y, &z);
    const Point3 v{x, y, z};
    if (got == 3) {
        if (!is_finite(v)) {
            fail(value_line(start), block_name(b) + " 的第 " + std::to_string(index + 1) +
                                        " 个顶点不是有限数: " + point_text(v));
            b.unusable = true;
        }
    } else if (std::feof(file_)) {
        b.cut_short = true;
    } else {
        warn(line_at(position()), block_name(b) + " 的第 " + std::to_string(index + 1) +
                                      " 个顶点应为 \"x,y,z\" 三个数; 未读到的值按 0 计.");
    }
    return v;
}

double ShipFileReader::read_radius(Block& b, const char* what) {
    double r = 0.0;
    const int got = std::fscanf(file_, "%lf\n", &r);
    if (got == 1) {
        return r;
    }
    if (std::feof(file_)) {
        b.cut_short = true;
    } else {
        warn(line_at(position()), block_name(b) + " 的" + what + "应为一个数; 按 0 计.");
    }
    return r;
}

void ShipFileReader::read_tetrahedron(Block& b) {
    Point3 v[4];
    for (int i = 0; i < 4 && !b.cut_short; ++i) v[i] = read_vertex(b, i);
    if (b.cut_short || b.unusable) return;
    tets.emplace_back(v[0], v[1], v[2], v[3]);
}

void ShipFileReader::read_hexahedron(Block& b) {
    Point3 v[8];
    for (int i = 0; i < 8 && !b.cut_short; ++i) v[i] = read_vertex(b, i);
    if (b.cut_short || b.unusable) return;
    Hexahedron hex;
    hex.set_vertices(v, 8);
    Tetrahedron parts[5];
    hex.decompose(parts, 5);
    tets.insert(tets.end(), parts, parts + 5);
}

void ShipFileReader::read_triangle_prism(Block& b) {
    Point3 v[6];
    for (int i = 0; i < 6 && !b.cut_short; ++i) v[i] = read_vertex(b, i);
    if (b.cut_short || b.unusable) return;
    TrianglePrism prism;
    prism.set_vertices(v, 6);
    Tetrahedron parts[3];
    prism.decompose(parts, 3);
    tets.insert(tets.end(), parts, parts + 3);
}

void ShipFileReader::read_cylinder(Block& b) {
    const long start = position();
    const Point3 p0 = read_vertex(b, 0);
    double r = 0.0;
    Point3 p1;
    if (!b.cut_short) {
        const long at = position();
        r = read_radius(b, "半径");
        if (!b.cut_short && !(std::isfinite(r) && r > 0.0)) {
            fail(value_line(at),
                 block_name(b) + " 的半径须为正的有限数, 读到 " + format_number(r) + ".");
            b.unusable = true;
        }
    }
    if (!b.cut_short) p1 = read_vertex(b, 1);
    // The second radius is read and has no effect.
    if (!b.cut_short) read_radius(b, "第二个半径");
    if (b.cut_short) return;
    if (is_finite(p0) && is_finite(p1) && length(difference(p0, p1)) == 0.0) {
        fail(value_line(start),
             block_name(b) + " 的轴长为零 (两端圆心重合: " + point_text(p0) + ").");
        b.unusable = true;
    }
    if (b.unusable) return;
    Cylinder cylinder(p0, p1, r);
    std::vector<Tetrahedron> parts(static_cast<std::size_t>(3 * cylinder.n));
    cylinder.decompose(parts.data(), static_cast<int>(parts.size()));
    tets.insert(tets.end(), parts.begin(), parts.end());
}

void ShipFileReader::end_of_block(Block& b) {
    if (b.cut_short)
        warn(line_at(position()), "文件在 " + block_name(b) + " 读完之前结束, 该块被舍弃.");
}

void ShipFileReader::read_blocks() {
    char piece[100];
    for (;;) {
        const long start = position();
        if (!std::fgets(piece, sizeof piece, file_)) break;
        Block b;
        b.line = line_at(start);
        if (std::strcmp(piece, "Tetrahedron\n") == 0) {
            b.keyword = "Tetrahedron";
            read_tetrahedron(b);
        } else if (std::strcmp(piece, "Hexahedron\n") == 0) {
            b.keyword = "Hexahedron";
            read_hexahedron(b);
        } else if (std::strcmp(piece, "TrianglePrism\n") == 0) {
            b.keyword = "TrianglePrism";
            read_triangle_prism(b);
        } else if (std::strcmp(piece, "Cylinder\n") == 0) {
            b.keyword = "Cylinder";
            read_cylinder(b);
        } else {
            continue;
        }
        end_of_block(b);
        if (std::feof(file_)) break;
    }
}

}  // namespace

ShipReadReport read_ship_information(ShipModel& ship, const char* path) {
    ShipReadReport report;
    ShipFileReader reader(ship, path, report);
    if (!reader.open()) return report;
    report.opened = true;
    reader.read_keys();
    reader.read_blocks();

    ship.tetrahedra = std::vector<Tetrahedron>(reader.tets.begin(), reader.tets.end());
    ship.count = static_cast<int>(ship.tetrahedra.size());
    ship.bounding_box();
    ship.volume_total = ship.total_volume();
    return report;
}

}  // namespace voxel
