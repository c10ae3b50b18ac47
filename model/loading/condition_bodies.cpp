#include "model/loading/condition_bodies.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "kernel/platform/number_format.h"
#include "model/body/body_overlap.h"
#include "model/io/body_file.h"

namespace voxel {

namespace {

// Shares of a volume below this (0.01 %) are not worth a word: the
// overlap's sums round off far below it, and a space that small changes no
// printed digit.
constexpr double kOutsideShare = 1e-4;

// Reads one body; false (with an error at `line` for `key`) when it cannot
// be used or holds no volume.
bool read_one(const std::string& file, int line, const std::string& key, const std::string& path,
              VoxelGroup& group, BodyFileResult& read, Diagnostics& d) {
    read = read_body_file(group, path);
    if (!read.opened) {
        d.error(file, line, key + ": 无法打开文件 " + path + " (" + read.reason + ").");
        return false;
    }
    d.append(read.diagnostics);
    if (read.diagnostics.has_errors()) {
        d.error(file, line, key + ": 文件 " + path + " 不能使用 (见上).");
        return false;
    }
    const double v = group.total_volume();
    if (!(v > 0.0)) {
        d.error(file, line,
                key + ": 文件 " + path + " 不含有体积的实体 (体积 " + format_number(v) + ").");
        return false;
    }
    return true;
}

// The whole of a body: the part below a plane above its box.
SubmergedPart whole(const VoxelGroup& group) {
    Plane above;
    above.set(0.0, 0.0, 1.0, -(group.box().maxz + 1.0));
    return group.submerged_volume_and_centre(above);
}

// A tank's or a compartment's space: its shape read into a new group of
// `crossing`, and the volume and centroid of the whole; false as read_one.
bool read_space(const std::string& file, int line, const std::string& key, const std::string& path,
                CrossingTolerance crossing, std::unique_ptr<VoxelGroup>& shape, SubmergedPart& all,
                Diagnostics& d) {
    shape = std::make_unique<VoxelGroup>(crossing);
    BodyFileResult read;
    if (!read_one(file, line, key, path, *shape, read, d)) return false;
    all = whole(*shape);
    return true;
}

}  // namespace

std::string condition_stem(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

void load_condition_bodies(const Condition& c, CrossingTolerance crossing, LoadedCondition& out,
                           Diagnostics& d) {
    const std::string& file = c.file;
    out.condition = c;
    out.display_name = c.name ? *c.name : condition_stem(file);
    out.hull_as_given = c.hull_model;

    out.hull = std::make_unique<VoxelGroup>(crossing);
    BodyFileResult hull;
    if (read_one(file, c.hull_model_line, "hull.model", c.hull_model, *out.hull, hull, d)) {
        auto particular = [&](const std::optional<double>& given, const std::optional<double>& ship,
                              const char* key, double& value) {
            if (given)
                value = *given;
            else if (ship)
                value = *ship;
            else
                d.error(file, c.hull_model_line,
                        std::string("hull.") + key +
                            " 缺失: 船体模型不是船舶信息文件, 须在 [hull] 中给出.");
        };
        particular(c.lpp, hull.lpp, "lpp", out.lpp);
        particular(c.breadth, hull.breadth, "breadth", out.breadth);
        out.water_density =
            c.water_density ? *c.water_density : (hull.water_density ? *hull.water_density : 1.025);
    }

    for (std::size_t i = 0; i < c.tanks.size(); ++i) {
        const TankEntry& entry = c.tanks[i];
        const std::string key = "tank[" + std::to_string(i + 1) + "]";
        Tank t;
        t.entry = entry;
        SubmergedPart all;
        if (!read_space(file, entry.shape_line, key + ".shape", entry.shape, crossing, t.shape, all,
                        d)) {
            out.tanks.push_back(std::move(t));
            continue;
        }
        t.shape_volume = all.volume;
        t.shape_centre = all.centroid;
        t.capacity = entry.permeability * t.shape_volume;
        switch (entry.amount_kind) {
            case TankAmount::Fill:
                t.volume = entry.amount * t.capacity;
                t.mass = entry.density * t.volume;
                break;
            case TankAmount::Volume:
                t.volume = entry.amount;
                t.mass = entry.density * t.volume;
                break;
            case TankAmount::Mass:
                t.mass = entry.amount;
                t.volume = entry.amount / entry.density;
                break;
        }
        if (t.volume > t.capacity) {
            const char* what = entry.amount_kind == TankAmount::Mass ? ".mass" : ".volume";
            d.error(file, entry.amount_line,
                    key + what + ": 液体体积 " + format_number(t.volume) + " m^3 超过舱容 " +
                        format_number(t.capacity) + " m^3 (渗透率 x 舱体积).");
        }
        out.tanks.push_back(std::move(t));
    }

    for (std::size_t i = 0; i < c.compartments.size(); ++i) {
        const CompartmentEntry& entry = c.compartments[i];
        const std::string key = "compartment[" + std::to_string(i + 1) + "]";
        Compartment k;
        k.entry = entry;
        SubmergedPart all;
        if (read_space(file, entry.shape_line, key + ".shape", entry.shape, crossing, k.shape, all,
                       d)) {
            k.volume = all.volume;
            k.centre = all.centroid;
        }
        out.compartments.push_back(std::move(k));
    }
    if (d.has_errors()) return;

    // A compartment is a space of the hull: what of it lies outside the
    // hull's solids would take off buoyancy the hull never had.
    for (std::size_t i = 0; i < out.compartments.size(); ++i) {
        const Compartment& k = out.compartments[i];
        const double inside = overlap_volume(k.shape->body(), out.hull->body());
        const double outside = (k.volume - inside) / k.volume;
        if (outside > kOutsideShare)
            d.warn(file, k.entry.shape_line,
                   "compartment[" + std::to_string(i + 1) + "].shape: 舱室 \"" + k.entry.name +
                       "\" 有 " + format_fixed_unsigned_zero(100.0 * outside, 2) +
                       " % 的体积在船体之外 (舱室体积 " + format_number(k.volume) +
                       " m^3, 在船体内 " + format_number(inside) + " m^3); 按其全部体积扣除浮力.");
    }
    // Spaces flooded together must not share volume: the sea fills a space
    // once, but each compartment takes off its own share.
    for (std::size_t n = 0; n < c.damages.size(); ++n) {
        const DamageEntry& e = c.damages[n];
        for (std::size_t i = 0; i < e.compartments.size(); ++i)
            for (std::size_t j = i + 1; j < e.compartments.size(); ++j) {
                const Compartment* a = find_compartment(out.compartments, e.compartments[i]);
                const Compartment* b = find_compartment(out.compartments, e.compartments[j]);
                if (!a || !b) continue;
                const double common = overlap_volume(a->shape->body(), b->shape->body());
                if (common > kOutsideShare * std::min(a->volume, b->volume))
                    d.error(file, e.line,
                            "damage[" + std::to_string(n + 1) + "]: 舱室 \"" + a->entry.name +
                                "\" 与 \"" + b->entry.name + "\" 重叠 " + format_number(common) +
                                " m^3; 同一工况中的舱室不能重叠 (海水只能进入一次).");
            }
    }
    // A tank in a flooded space keeps its liquid as loaded.
    for (std::size_t i = 0; i < out.tanks.size(); ++i) {
        const Tank& t = out.tanks[i];
        for (const Compartment& k : out.compartments) {
            const bool flooded =
                std::any_of(c.damages.begin(), c.damages.end(), [&](const DamageEntry& e) {
                    return std::find(e.compartments.begin(), e.compartments.end(), k.entry.name) !=
                           e.compartments.end();
                });
            if (!flooded) continue;
            const double common = overlap_volume(t.shape->body(), k.shape->body());
            if (common > kOutsideShare * std::min(t.shape_volume, k.volume))
                d.warn(file, t.entry.line,
                       "tank[" + std::to_string(i + 1) + "]: 液舱 \"" + t.entry.name +
                           "\" 与破损进水的舱室 \"" + k.entry.name + "\" 重叠 " +
                           format_number(common) + " m^3; 其液体按装载时计, 不随进水改变.");
        }
    }
}

}  // namespace voxel
