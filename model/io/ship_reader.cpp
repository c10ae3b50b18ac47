#include "model/io/ship_reader.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "kernel/cylinder.h"
#include "kernel/platform/number_format.h"
#include "model/io/mesh_block.h"
#include "model/io/scanned_text_file.h"
#include "model/io/solid_blocks.h"
#include "model/io/solid_tetrahedra.h"

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

const char* const* key_prefixes() {
    static const char* const prefixes[10] = {kKeys[0].key, kKeys[1].key, kKeys[2].key, kKeys[3].key,
                                             kKeys[4].key, kKeys[5].key, kKeys[6].key, kKeys[7].key,
                                             kKeys[8].key, kKeys[9].key};
    return prefixes;
}

std::string key_name(int k) {
    return std::string("\"") + kKeys[k].key + "<数>\"";
}

// The keys from k on, for a message, and whether a computation uses any.
std::string keys_from(int k) {
    std::string names;
    for (int j = k; j < 10; ++j) names += (j > k ? ", " : "") + key_name(j);
    return names;
}
bool any_used_from(int k) {
    for (int j = k; j < 10; ++j)
        if (kKeys[j].used) return true;
    return false;
}

// The ten key lines, in their order, each value stored as it is read; the
// rest of a key's line (a unit, a remark) is skipped. A key that does not
// read is an error that names the key expected there and what stands in its
// place, or a warning for a key no computation uses (Loa, VD: it stays 0).
// Reading goes on, so that every fault is said:
//  - the line holds the key expected, written wrongly or without a number:
//    the line is passed over;
//  - it holds a later key (one is missing, or they are out of order): the
//    line is read again for the next key;
//  - an earlier key (one twice), or no key at all (a remark): the line is
//    passed over and the same key looked for on the next one;
//  - the first solid block, or the end of the file: every key still
//    expected is missing.
// A value that a computation uses and that is not finite or beyond
// kLargestInputMagnitude is an error as well. `lines` gets each key's line,
// 0 for a key not read.
void read_keys(ScannedTextFile& in, ShipModel& ship, int lines[10]) {
    for (int k = 0; k < 10;) {
        const KeyLine& key = kKeys[k];
        const long start = in.position();
        const int line = in.line();
        const std::string what = key_name(k);
        // A fault of this key; `lost` when the key is not looked for again.
        auto fault = [&](const std::string& text, bool lost = true) {
            if (key.used)
                in.error(line, text);
            else
                in.warn(line, lost ? text + " " + key.name + " 按 0 计." : text);
        };
        double value = 0.0;
        if (in.scan(key.pattern, &value) == 1) {
            *key_member(ship, k) = value;
            lines[k] = line;
            if (key.used) in.usable_values(&value, 1, start, key.name);
            // The rest of the line, a unit or a remark, is skipped.
            in.skip_line();
            ++k;
            continue;
        }
        in.seek(start);
        if (in.blank_from(start)) {
            const std::string text = "文件在键行 " + keys_from(k) + " 之前结束.";
            if (any_used_from(k))
                in.error(line, text);
            else
                in.warn(line, text);
            in.skip_line();
            return;
        }
        const int found = in.key_at(start, key_prefixes(), 10);
        const std::string quoted = "\"" + in.excerpt(start) + "\"";
        if (found == k) {
            fault("应为 " + what + ", 读到 " + quoted +
                  (in.begins_with_key(start, key.key)
                       ? ": 键后没有可读的数."
                       : ": 键须在行首逐字写出, 大小写相同, '=' 前不可有空白."));
            in.skip_line();
            ++k;
        } else if (found > k) {
            fault("应为 " + what + ", 读到键 \"" + kKeys[found].key + "\": 缺少 " + what +
                  " 这一行, 或键的次序不对 (次序为 " + keys_from(0) + ").");
            ++k;
        } else if (found >= 0) {
            fault("应为 " + what + ", 读到键 \"" + kKeys[found].key +
                      "\": 该键重复, 或键的次序不对 (次序为 " + keys_from(0) + ").",
                  false);
            in.skip_line();
        } else if (at_keyword_line(in)) {
            const std::string text = "应为 " + what + ", 读到实体块的关键字行 " + quoted +
                                     ": 缺少键行 " + keys_from(k) + ".";
            if (any_used_from(k))
                in.error(line, text);
            else
                in.warn(line, text);
            return;
        } else {
            // Not a key line: passed over, and the key looked for on the next.
            fault("应为 " + what + ", 读到 " + quoted + ": 不是键行, 被跳过.", false);
            in.skip_line();
        }
    }
}

// The principal data that the table divides by or scales with must be
// positive: Lpp (MTC and Cp, the midship station at Lpp / 2), B (the
// breadth of the midship section), D (the number of waterlines), W_Den and
// C1 (the displacements). A value already refused as not finite is not said
// again.
void check_particulars(ScannedTextFile& in, const ShipModel& ship, const int lines[10]) {
    const struct {
        int key;
        double value;
    } positive[] = {{1, ship.Lpp}, {2, ship.B}, {3, ship.D}, {8, ship.W_Den}, {9, ship.C1}};
    for (const auto& p : positive) {
        if (lines[p.key] == 0 || !std::isfinite(p.value) ||
            std::fabs(p.value) > kLargestInputMagnitude || p.value > 0.0)
            continue;
        in.error(lines[p.key], std::string(kKeys[p.key].name) + " 须为正数, 读到 " +
                                   format_number(p.value) + ".");
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
    int key_lines[10] = {};
    read_keys(in, ship, key_lines);
    check_particulars(in, ship, key_lines);
    BodyBuilder hull(ship.crossing, ship.hull.summation());
    hull.reserve(tetrahedra_bound(in.text()));
    read_solid_blocks(in, [&hull, &in](const SolidBlock& b) {
        if (b.kind == SolidKind::SurfaceMesh)
            add_mesh_block(hull, b, in);
        else
            add_solid_block(hull, b);
    });
    ship.hull = hull.build();
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
