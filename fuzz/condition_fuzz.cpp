// Fuzz target: a loading-condition file (TOML) through its reader, then the
// ranges of what it accepted: the values the run divides by or integrates
// over, the resolved paths, the lines of the keys and the unique names.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "model/io/condition_reader.h"
#include "model/io/scanned_text_file.h"

namespace {

bool within_range(double v) { return std::fabs(v) <= voxel::kLargestInputMagnitude; }

bool within_range(const voxel::Point3& p) {
    return within_range(p.x) && within_range(p.y) && within_range(p.z);
}

template <class Named>
bool unique_names(const std::vector<Named>& all) {
    std::set<std::string> names;
    for (const Named& n : all)
        if (!names.insert(n.name).second) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const voxel::ConditionReadResult read = voxel::read_condition_bytes("cases/c.toml", bytes);
    fuzz_check(read.opened, "bytes are always opened");
    if (read.diagnostics.has_errors()) return 0;
    const voxel::Condition& c = read.condition;
    fuzz_check(c.hull_model.rfind("cases/", 0) == 0 || c.hull_model.rfind("/", 0) == 0,
               "the hull's path is resolved");
    fuzz_check(c.hull_model_line >= 1, "the hull's line is known");
    for (const auto& v : {c.lpp, c.breadth, c.water_density})
        fuzz_check(!v || (*v > 0.0 && within_range(*v)), "hull data positive and within range");
    fuzz_check(c.lightship.mass >= 0.0 && within_range(c.lightship.mass) &&
                   within_range(c.lightship.centre),
               "lightship within range");
    for (const voxel::FixedWeight& w : c.items)
        fuzz_check(w.mass >= 0.0 && within_range(w.mass) && within_range(w.centre) && w.line >= 1,
                   "item within range");
    for (const voxel::TankEntry& t : c.tanks) {
        fuzz_check(t.density > 0.0 && within_range(t.density), "density positive");
        fuzz_check(t.permeability > 0.0 && t.permeability <= 1.0, "permeability in (0, 1]");
        fuzz_check(t.amount >= 0.0 && within_range(t.amount), "amount not negative");
        fuzz_check(t.amount_kind != voxel::TankAmount::Fill || t.amount <= 1.0, "fill at most 1");
        fuzz_check(t.line >= 1 && t.shape_line >= 1 && t.amount_line >= 1, "tank lines known");
        fuzz_check(!t.shape.empty(), "tank shape named");
    }
    for (const voxel::Opening& o : c.openings)
        fuzz_check(within_range(o.point) && o.line >= 1, "opening within range");
    fuzz_check(unique_names(c.items) && unique_names(c.tanks) && unique_names(c.openings),
               "names unique");
    const double steps = 5.0 / c.heel_step;
    fuzz_check(c.heel_step > 0.0 && steps >= 1.0 && steps == std::floor(steps),
               "5 / heel_step whole");
    return 0;
}
