#include "model/loading/condition_bodies.h"

#include <memory>
#include <utility>

#include "kernel/platform/number_format.h"
#include "model/io/body_file.h"

namespace voxel {

namespace {

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
        t.shape = std::make_unique<VoxelGroup>(crossing);
        BodyFileResult read;
        if (!read_one(file, entry.shape_line, key + ".shape", entry.shape, *t.shape, read, d)) {
            out.tanks.push_back(std::move(t));
            continue;
        }
        const SubmergedPart all = whole(*t.shape);
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
}

}  // namespace voxel
