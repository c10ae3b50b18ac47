#include "apps/hydrostatic_curves/ship_reader.h"

#include <cstdio>
#include <new>
#include <vector>

#include "kernel/cylinder.h"
#include "model/scanned_text_file.h"
#include "model/solid_blocks.h"
#include "model/solid_tetrahedra.h"

namespace voxel {

namespace {

struct KeyLine {
    const char* pattern;  // scanf pattern, the key text first
    const char* key;      // as the file writes it, with its "="
    const char* name;     // the member's name in messages
    bool used;            // a computation uses the value (Loa and VD are only read)
};

const KeyLine kKeys[10] = {
    {"Loa=%lf", "Loa=", "Loa", false},
    {"Lpp=%lf", "Lpp=", "Lpp", true},
    {"B=%lf", "B=", "B", true},
    {"D=%lf", "D=", "D", true},
    {"VD=%lf", "VD=", "VD", false},
    {"Gra_Pt.x=%lf", "Gra_Pt.x=", "Gra_Pt.x", true},
    {"Gra_Pt.y=%lf", "Gra_Pt.y=", "Gra_Pt.y", true},
    {"Gra_Pt.z=%lf", "Gra_Pt.z=", "Gra_Pt.z", true},
    {"W_Den=%lf", "W_Den=", "W_Den", true},
    {"C1=%lf", "C1=", "C1", true},
};

double* key_member(ShipModel& ship, int k) {
    double* members[10] = {&ship.Loa,      &ship.Lpp,      &ship.B,        &ship.D,     &ship.VD,
                           &ship.Gra_Pt.x, &ship.Gra_Pt.y, &ship.Gra_Pt.z, &ship.W_Den, &ship.C1};
    return members[k];
}

// The ten key lines. Every value is stored as it is read; one that a
// computation uses and that is not finite or beyond kLargestInputMagnitude
// is an error as well.
void read_keys(ScannedTextFile& in, ShipModel& ship) {
    for (int k = 0; k < 10; ++k) {
        const long start = in.position();
        const int line = in.line();
        double value = 0.0;
        const int got = in.scan(kKeys[k].pattern, &value);
        const std::string what = std::string("\"") + kKeys[k].key + "<数>\"";
        if (got == 1) {
            *key_member(ship, k) = value;
            if (kKeys[k].used) in.usable_values(&value, 1, start, kKeys[k].name);
        } else if (got == EOF && in.at_end()) {
            in.warn(line, "文件在 " + what + " 之前结束; " + kKeys[k].name + " 按 0 计.");
        } else {
            in.warn(line, "应为 " + what + "; " + kKeys[k].name + " 按 0 计.");
        }
        // The rest of the line, a unit or a remark, is skipped.
        in.skip_line();
    }
}

// At most as many tetrahedra as the text's keyword lines can give: every
// block starts with one, so this is room enough and the array never moves
// while the blocks are read.
std::size_t tetrahedra_bound(const std::string& text) {
    const KeywordLineCounts k = count_keyword_lines(text);
    return k[SolidKind::Tetrahedron] + 5 * k[SolidKind::Hexahedron] +
           3 * k[SolidKind::TrianglePrism] +
           3 * static_cast<std::size_t>(Cylinder().n) * k[SolidKind::Cylinder];
}

void read_ship(ScannedTextFile& in, ShipModel& ship) {
    if (in.refused()) return;
    read_keys(in, ship);
    try {
        ship.tetrahedra.reserve(tetrahedra_bound(in.text()));
    } catch (const std::bad_alloc&) {
        // Keyword lines that start no real block can make the bound far too
        // large; the array then grows as the blocks come.
    }
    read_solid_blocks(in, [&ship](const SolidBlock& b) { append_tetrahedra(b, ship.tetrahedra); });
    ship.bounding_box();
}

}  // namespace

ReadResult read_ship_information(ShipModel& ship, const std::string& path) {
    return read_scanned_file(path, [&](ScannedTextFile& in) { read_ship(in, ship); });
}

ReadResult read_ship_information_bytes(ShipModel& ship, const std::string& name,
                                       const std::string& bytes) {
    return read_scanned_bytes(name, bytes, [&](ScannedTextFile& in) { read_ship(in, ship); });
}

}  // namespace voxel
