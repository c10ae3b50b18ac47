#include "model/io/condition_reader.h"

#include <toml++/toml.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "kernel/platform/number_format.h"
#include "kernel/platform/text_encoding.h"
#include "kernel/platform/text_input.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

// toml++ counts lines from 1; a node it made without text of its own (a
// table that only a dotted key or a sub-table's header implies) may have
// none.
int line_of(const toml::source_region& s) {
    if (s.begin.line == 0) return 1;
    return s.begin.line > static_cast<toml::source_index>(INT_MAX) ? INT_MAX
                                                                   : static_cast<int>(s.begin.line);
}

const char* type_name(const toml::node& n) {
    switch (n.type()) {
        case toml::node_type::table:
            return "表";
        case toml::node_type::array:
            return "数组";
        case toml::node_type::string:
            return "字符串";
        case toml::node_type::integer:
            return "整数";
        case toml::node_type::floating_point:
            return "浮点数";
        case toml::node_type::boolean:
            return "布尔值";
        case toml::node_type::date:
            return "日期";
        case toml::node_type::time:
            return "时间";
        case toml::node_type::date_time:
            return "日期时间";
        case toml::node_type::none:
            break;
    }
    return "空值";
}

// The path of a file that the condition file names: an absolute one as it
// is, a relative one from the condition file's folder (the rule of a
// SurfaceMesh block's mesh path).
std::string path_beside(const std::string& condition_path, const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    const std::size_t slash = condition_path.find_last_of('/');
    if (slash == std::string::npos) return path;
    return condition_path.substr(0, slash + 1) + path;
}

// A table of the file, its dotted path ("" for the document itself) and the
// line of its header.
struct Table {
    const toml::table* t = nullptr;
    std::string path;
    int line = 1;

    std::string path_of(std::string_view key) const {
        return path.empty() ? std::string(key) : path + "." + std::string(key);
    }
};

// What the file gives under one key: the value (nullptr when the key is
// absent), the key's dotted path and the key's line.
struct Field {
    const toml::node* node = nullptr;
    std::string path;
    int line = 1;
};

class ConditionReader {
  public:
    ConditionReader(const std::string& file, Condition& c) : file_(file), c_(c) {}

    void read(const toml::table& document);
    // The faults found, ordered by line (those of one line in the order found).
    void report(Diagnostics& d) {
        std::stable_sort(faults_.begin(), faults_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& f : faults_) d.error(file_, f.first, f.second);
    }

  private:
    void error(int line, std::string text) { faults_.emplace_back(line, std::move(text)); }

    void check_keys(const Table& table, std::initializer_list<std::string_view> known);
    Field field(const Table& table, std::string_view key, bool required);
    void wrong_type(const Field& f, const std::string& expected, const toml::node& read) {
        error(f.line, f.path + " 应为" + expected + ", 读到" + type_name(read) + ".");
    }
    std::optional<Table> table(const Field& f);
    std::optional<std::string> string(const Field& f);
    std::optional<std::string> file_path(const Field& f);
    std::optional<double> number(const Field& f);
    std::optional<double> number_where(const Field& f, bool (*holds)(double), const char* rule);
    std::optional<Point3> point(const Field& f);
    template <class ReadOne>
    void read_array(const Table& document, std::string_view key, ReadOne read_one);
    void unique_name(std::map<std::string, std::string>& seen, const Field& f,
                     const std::string& name, const Table& owner);

    void read_hull(const Table& document);
    void read_weight(const Table& table, bool named, FixedWeight& w);
    void read_tank(const Table& table, TankEntry& tank);
    void read_opening(const Table& table, Opening& opening);
    void read_compartment(const Table& table, CompartmentEntry& compartment);
    void read_damage(const Table& table, DamageEntry& damage);
    void read_gz(const Table& document);
    void read_weather(const Table& document);
    std::optional<bool> boolean(const Field& f);

    const std::string& file_;
    Condition& c_;
    std::vector<std::pair<int, std::string>> faults_;
};

void ConditionReader::check_keys(const Table& table,
                                 std::initializer_list<std::string_view> known) {
    for (const auto& kv : *table.t) {
        const std::string_view key = kv.first.str();
        if (std::find(known.begin(), known.end(), key) != known.end()) continue;
        error(line_of(kv.first.source()), "未知的键 " + table.path_of(key) + ".");
    }
}

Field ConditionReader::field(const Table& table, std::string_view key, bool required) {
    Field f;
    f.path = table.path_of(key);
    const auto it = table.t->find(key);
    if (it == table.t->end()) {
        f.line = table.line;
        if (required) error(table.line, "缺少必需的键 " + f.path + ".");
        return f;
    }
    f.node = &it->second;
    f.line = line_of(it->first.source().begin.line != 0 ? it->first.source() : it->second.source());
    return f;
}

std::optional<Table> ConditionReader::table(const Field& f) {
    if (!f.node) return std::nullopt;
    const toml::table* t = f.node->as_table();
    if (!t) {
        wrong_type(f, "表 ([" + f.path + "])", *f.node);
        return std::nullopt;
    }
    return Table{t, f.path, t->source().begin.line != 0 ? line_of(t->source()) : f.line};
}

std::optional<std::string> ConditionReader::string(const Field& f) {
    if (!f.node) return std::nullopt;
    if (const auto* s = f.node->as_string()) return s->get();
    wrong_type(f, "字符串", *f.node);
    return std::nullopt;
}

std::optional<std::string> ConditionReader::file_path(const Field& f) {
    const std::optional<std::string> s = string(f);
    if (!s) return std::nullopt;
    if (s->empty()) {
        error(f.line, f.path + " 不能为空字符串.");
        return std::nullopt;
    }
    return path_beside(file_, *s);
}

std::optional<double> ConditionReader::number(const Field& f) {
    if (!f.node) return std::nullopt;
    double v = 0.0;
    if (const auto* i = f.node->as_integer()) {
        v = static_cast<double>(i->get());
    } else if (const auto* x = f.node->as_floating_point()) {
        v = x->get();
    } else {
        wrong_type(f, "数", *f.node);
        return std::nullopt;
    }
    if (!std::isfinite(v) || std::fabs(v) > kLargestInputMagnitude) {
        error(f.line, f.path + " 应为有限数, 绝对值不超过 " +
                          format_number(kLargestInputMagnitude) + ", 读到 " + format_shortest(v) +
                          ".");
        return std::nullopt;
    }
    return v;
}

std::optional<double> ConditionReader::number_where(const Field& f, bool (*holds)(double),
                                                    const char* rule) {
    const std::optional<double> v = number(f);
    if (!v) return std::nullopt;
    if (!holds(*v)) {
        error(f.line, f.path + " " + rule + ", 读到 " + format_shortest(*v) + ".");
        return std::nullopt;
    }
    return v;
}

std::optional<Point3> ConditionReader::point(const Field& f) {
    if (!f.node) return std::nullopt;
    const char* expected = "由 3 个数组成的数组 [x, y, z]";
    const toml::array* a = f.node->as_array();
    if (!a) {
        wrong_type(f, expected, *f.node);
        return std::nullopt;
    }
    if (a->size() != 3) {
        error(f.line,
              f.path + " 应为" + expected + ", 读到 " + std::to_string(a->size()) + " 个元素.");
        return std::nullopt;
    }
    double xyz[3] = {0.0, 0.0, 0.0};
    bool whole = true;
    for (std::size_t i = 0; i < 3; ++i) {
        const toml::node& e = (*a)[i];
        Field ef{&e, f.path + "[" + std::to_string(i + 1) + "]",
                 e.source().begin.line != 0 ? line_of(e.source()) : f.line};
        const std::optional<double> v = number(ef);
        if (v)
            xyz[i] = *v;
        else
            whole = false;
    }
    if (!whole) return std::nullopt;
    return Point3{xyz[0], xyz[1], xyz[2]};
}

template <class ReadOne>
void ConditionReader::read_array(const Table& document, std::string_view key, ReadOne read_one) {
    const Field f = field(document, key, false);
    if (!f.node) return;
    const toml::array* a = f.node->as_array();
    if (!a) {
        wrong_type(f, "表的数组 ([[" + f.path + "]])", *f.node);
        return;
    }
    for (std::size_t i = 0; i < a->size(); ++i) {
        const toml::node& e = (*a)[i];
        const std::string path = f.path + "[" + std::to_string(i + 1) + "]";
        const int line = e.source().begin.line != 0 ? line_of(e.source()) : f.line;
        const toml::table* t = e.as_table();
        if (!t) {
            error(line, path + " 应为表, 读到" + type_name(e) + ".");
            continue;
        }
        read_one(Table{t, path, line});
    }
}

void ConditionReader::unique_name(std::map<std::string, std::string>& seen, const Field& f,
                                  const std::string& name, const Table& owner) {
    const auto [it, fresh] =
        seen.emplace(name, owner.path + " (第 " + std::to_string(owner.line) + " 行)");
    if (!fresh) error(f.line, f.path + " 为 \"" + name + "\", 与 " + it->second + " 重名.");
}

bool positive(double v) {
    return v > 0.0;
}
bool not_negative(double v) {
    return v >= 0.0;
}
bool fraction(double v) {
    return v >= 0.0 && v <= 1.0;
}
bool permeability(double v) {
    return v > 0.0 && v <= 1.0;
}
// The GZ curve's areas to 30 and 40 degrees and between them are integrated
// by Simpson's rule over the heel steps, which needs an even number of steps
// in each: 10 / heel_step even, that is 5 / heel_step whole. At most 50
// steps in 5 degrees (0.1 degree), 901 points a side.
bool heel_step(double v) {
    if (!(v > 0.0)) return false;
    const double steps = 5.0 / v;
    return std::isfinite(steps) && steps >= 1.0 && steps <= 50.0 && steps == std::floor(steps);
}

void ConditionReader::read(const toml::table& document) {
    const Table root{&document, "", 1};
    check_keys(root, {"name", "hull", "lightship", "item", "tank", "opening", "gz", "weather",
                      "compartment", "damage"});
    if (const std::optional<std::string> name = string(field(root, "name", false))) c_.name = *name;
    read_hull(root);

    const Field lightship = field(root, "lightship", false);
    if (!lightship.node) error(1, "缺少必需的表 [lightship].");
    if (const std::optional<Table> t = table(lightship)) {
        c_.lightship.name = "lightship";
        read_weight(*t, false, c_.lightship);
    }

    std::map<std::string, std::string> names;
    read_array(root, "item", [&](const Table& t) {
        c_.items.emplace_back();
        read_weight(t, true, c_.items.back());
        const Field name = field(t, "name", false);
        if (name.node && name.node->is_string()) unique_name(names, name, c_.items.back().name, t);
    });
    names.clear();
    read_array(root, "tank", [&](const Table& t) {
        c_.tanks.emplace_back();
        read_tank(t, c_.tanks.back());
        const Field name = field(t, "name", false);
        if (name.node && name.node->is_string()) unique_name(names, name, c_.tanks.back().name, t);
    });
    names.clear();
    read_array(root, "opening", [&](const Table& t) {
        c_.openings.emplace_back();
        read_opening(t, c_.openings.back());
        const Field name = field(t, "name", false);
        if (name.node && name.node->is_string())
            unique_name(names, name, c_.openings.back().name, t);
    });
    read_gz(root);
    read_weather(root);
    names.clear();
    read_array(root, "compartment", [&](const Table& t) {
        c_.compartments.emplace_back();
        read_compartment(t, c_.compartments.back());
        const Field name = field(t, "name", false);
        if (name.node && name.node->is_string())
            unique_name(names, name, c_.compartments.back().name, t);
    });
    std::map<std::string, std::string> cases;
    read_array(root, "damage", [&](const Table& t) {
        c_.damages.emplace_back();
        read_damage(t, c_.damages.back());
        const Field name = field(t, "name", false);
        if (name.node && name.node->is_string())
            unique_name(cases, name, c_.damages.back().name, t);
    });
}

void ConditionReader::read_hull(const Table& document) {
    const Field hull = field(document, "hull", false);
    if (!hull.node) error(1, "缺少必需的表 [hull].");
    const std::optional<Table> t = table(hull);
    if (!t) return;
    check_keys(*t, {"model", "lpp", "breadth", "water_density"});
    const Field model = field(*t, "model", true);
    c_.hull_model_line = model.line;
    if (const std::optional<std::string> path = file_path(model)) c_.hull_model = *path;
    const struct {
        const char* key;
        std::optional<double>& value;
        int& line;
    } positive_values[] = {{"lpp", c_.lpp, c_.lpp_line},
                           {"breadth", c_.breadth, c_.breadth_line},
                           {"water_density", c_.water_density, c_.water_density_line}};
    for (const auto& l : positive_values) {
        const Field f = field(*t, l.key, false);
        if (!f.node) continue;
        l.line = f.line;
        l.value = number_where(f, positive, "应大于 0");
    }
}

void ConditionReader::read_weight(const Table& table, bool named, FixedWeight& w) {
    w.line = table.line;
    if (named)
        check_keys(table, {"name", "mass", "centre"});
    else
        check_keys(table, {"mass", "centre"});
    if (named) {
        if (const std::optional<std::string> name = string(field(table, "name", true)))
            w.name = *name;
    }
    if (const std::optional<double> mass =
            number_where(field(table, "mass", true), not_negative, "不能为负"))
        w.mass = *mass;
    if (const std::optional<Point3> centre = point(field(table, "centre", true)))
        w.centre = *centre;
}

void ConditionReader::read_tank(const Table& table, TankEntry& tank) {
    tank.line = table.line;
    check_keys(table, {"name", "shape", "density", "fill", "volume", "mass", "permeability"});
    if (const std::optional<std::string> name = string(field(table, "name", true)))
        tank.name = *name;
    const Field shape = field(table, "shape", true);
    tank.shape_line = shape.line;
    if (const std::optional<std::string> path = file_path(shape)) tank.shape = *path;
    if (const std::optional<double> density =
            number_where(field(table, "density", true), positive, "应大于 0"))
        tank.density = *density;

    const struct {
        const char* key;
        TankAmount kind;
        bool (*holds)(double);
        const char* rule;
    } amounts[] = {{"fill", TankAmount::Fill, fraction, "应在 0 到 1 之间"},
                   {"volume", TankAmount::Volume, not_negative, "不能为负"},
                   {"mass", TankAmount::Mass, not_negative, "不能为负"}};
    std::vector<std::string> given;
    int last_line = 0;
    for (const auto& a : amounts) {
        const Field f = field(table, a.key, false);
        if (!f.node) continue;
        given.push_back(a.key);
        if (given.size() == 1 || f.line > last_line) last_line = f.line;
        const std::optional<double> v = number_where(f, a.holds, a.rule);
        if (given.size() == 1) {
            tank.amount_kind = a.kind;
            tank.amount_line = f.line;
            if (v) tank.amount = *v;
        }
    }
    if (given.empty()) {
        error(table.line, table.path + " 缺少装载量: 应给出 fill, volume, mass 三者之一.");
    } else if (given.size() > 1) {
        std::string list = given[0];
        for (std::size_t i = 1; i < given.size(); ++i)
            list += (i + 1 == given.size() ? " 和 " : ", ") + given[i];
        error(last_line,
              table.path + " 的装载量只能给出 fill, volume, mass 三者之一, 读到 " + list + ".");
    }

    const Field p = field(table, "permeability", false);
    if (p.node) {
        if (const std::optional<double> v = number_where(p, permeability, "应大于 0 且不大于 1"))
            tank.permeability = *v;
    }
}

void ConditionReader::read_opening(const Table& table, Opening& opening) {
    opening.line = table.line;
    check_keys(table, {"name", "point"});
    if (const std::optional<std::string> name = string(field(table, "name", true)))
        opening.name = *name;
    if (const std::optional<Point3> p = point(field(table, "point", true))) opening.point = *p;
}

void ConditionReader::read_compartment(const Table& table, CompartmentEntry& compartment) {
    compartment.line = table.line;
    check_keys(table, {"name", "shape", "permeability"});
    if (const std::optional<std::string> name = string(field(table, "name", true)))
        compartment.name = *name;
    const Field shape = field(table, "shape", true);
    compartment.shape_line = shape.line;
    if (const std::optional<std::string> path = file_path(shape)) compartment.shape = *path;
    // No default: the share of the space the sea fills governs the result.
    const Field p = field(table, "permeability", true);
    compartment.permeability_line = p.line;
    if (const std::optional<double> v = number_where(p, permeability, "应大于 0 且不大于 1"))
        compartment.permeability = *v;
}

// The compartments of a case name compartments given before or after it in
// the file; each name must be one of them, and once.
void ConditionReader::read_damage(const Table& table, DamageEntry& damage) {
    damage.line = table.line;
    check_keys(table, {"name", "compartments"});
    if (const std::optional<std::string> name = string(field(table, "name", true)))
        damage.name = *name;
    const Field list = field(table, "compartments", true);
    if (!list.node) return;
    const toml::array* a = list.node->as_array();
    if (!a) {
        wrong_type(list, "舱室名称 (字符串) 的数组", *list.node);
        return;
    }
    if (a->empty()) {
        error(list.line, list.path + " 为空: 破损工况至少应有一个舱室.");
        return;
    }
    for (std::size_t i = 0; i < a->size(); ++i) {
        const toml::node& e = (*a)[i];
        Field ef{&e, list.path + "[" + std::to_string(i + 1) + "]",
                 e.source().begin.line != 0 ? line_of(e.source()) : list.line};
        const std::optional<std::string> name = string(ef);
        if (!name) continue;
        if (std::find(damage.compartments.begin(), damage.compartments.end(), *name) !=
            damage.compartments.end()) {
            error(ef.line, ef.path + " 为 \"" + *name + "\", 在此工况中重复列出.");
            continue;
        }
        const bool known = std::any_of(c_.compartments.begin(), c_.compartments.end(),
                                       [&](const CompartmentEntry& c) { return c.name == *name; });
        if (!known) {
            error(ef.line,
                  ef.path + " 为 \"" + *name + "\": 没有这个名称的舱室 ([[compartment]]).");
            continue;
        }
        damage.compartments.push_back(*name);
    }
}

void ConditionReader::read_gz(const Table& document) {
    const std::optional<Table> t = table(field(document, "gz", false));
    if (!t) return;
    check_keys(*t, {"heel_step"});
    const Field step = field(*t, "heel_step", false);
    if (!step.node) return;
    c_.heel_step_line = step.line;
    if (const std::optional<double> v =
            number_where(step, heel_step,
                         "应在 0.1 与 5 之间且使 5 / heel_step 为整数 (如 5, 2.5, 1, 0.5, 0.25)"))
        c_.heel_step = *v;
}

std::optional<bool> ConditionReader::boolean(const Field& f) {
    if (!f.node) return std::nullopt;
    if (const auto* b = f.node->as_boolean()) return b->get();
    wrong_type(f, "布尔值", *f.node);
    return std::nullopt;
}

void ConditionReader::read_weather(const Table& document) {
    const std::optional<Table> t = table(field(document, "weather", false));
    if (!t) return;
    check_keys(*t, {"profile", "hull_profile", "lateral_centre_z", "lever", "bilge_keel_area",
                    "sharp_bilge", "deck_edge"});
    WeatherEntry w;
    w.line = t->line;

    // profile: an array of polygons, each an array of at least three [x, z].
    const Field profile = field(*t, "profile", false);
    if (profile.node) {
        const char* expected = "多边形的数组, 每个多边形为至少 3 个点 [x, z] 的数组";
        const toml::array* polygons = profile.node->as_array();
        if (!polygons) wrong_type(profile, expected, *profile.node);
        for (std::size_t i = 0; polygons && i < polygons->size(); ++i) {
            const toml::node& pn = (*polygons)[i];
            const std::string ppath = profile.path + "[" + std::to_string(i + 1) + "]";
            const int pline = pn.source().begin.line != 0 ? line_of(pn.source()) : profile.line;
            const toml::array* points = pn.as_array();
            if (!points) {
                error(pline, ppath + " 应为至少 3 个点 [x, z] 的数组, 读到" + type_name(pn) + ".");
                continue;
            }
            if (points->size() < 3) {
                error(pline,
                      ppath + " 应有至少 3 个点, 读到 " + std::to_string(points->size()) + " 个.");
                continue;
            }
            std::vector<std::pair<double, double>> polygon;
            for (std::size_t j = 0; j < points->size(); ++j) {
                const toml::node& qn = (*points)[j];
                const std::string qpath = ppath + "[" + std::to_string(j + 1) + "]";
                const int qline = qn.source().begin.line != 0 ? line_of(qn.source()) : pline;
                const toml::array* q = qn.as_array();
                if (!q || q->size() != 2) {
                    if (!q)
                        error(qline, qpath + " 应为由 2 个数组成的数组 [x, z], 读到" +
                                         type_name(qn) + ".");
                    else
                        error(qline, qpath + " 应为由 2 个数组成的数组 [x, z], 读到 " +
                                         std::to_string(q->size()) + " 个元素.");
                    continue;
                }
                double xz[2] = {0.0, 0.0};
                bool whole = true;
                for (std::size_t k = 0; k < 2; ++k) {
                    const toml::node& e = (*q)[k];
                    Field ef{&e, qpath + "[" + std::to_string(k + 1) + "]",
                             e.source().begin.line != 0 ? line_of(e.source()) : qline};
                    const std::optional<double> v = number(ef);
                    if (v)
                        xz[k] = *v;
                    else
                        whole = false;
                }
                if (whole) polygon.emplace_back(xz[0], xz[1]);
            }
            if (polygon.size() == points->size()) w.profile.push_back(std::move(polygon));
        }
    }

    const Field hull_profile = field(*t, "hull_profile", false);
    if (const std::optional<bool> b = boolean(hull_profile)) w.hull_profile = *b;
    const Field lateral = field(*t, "lateral_centre_z", false);
    if (lateral.node) w.lateral_centre_z = number(lateral);
    if (!w.hull_profile && !lateral.node)
        error(hull_profile.line,
              hull_profile.path + " 为 false 时须给出 " + t->path_of("lateral_centre_z") + ".");

    const Field lever = field(*t, "lever", false);
    if (const std::optional<std::string> s = string(lever)) {
        if (*s == "half_draft")
            w.lever_half_draft = true;
        else if (*s != "lateral")
            error(lever.line,
                  lever.path + " 应为 \"lateral\" 或 \"half_draft\", 读到 \"" + *s + "\".");
    }
    if (const std::optional<double> a =
            number_where(field(*t, "bilge_keel_area", false), not_negative, "不能为负"))
        w.bilge_keel_area = *a;
    if (const std::optional<bool> b = boolean(field(*t, "sharp_bilge", false))) w.sharp_bilge = *b;
    const Field deck = field(*t, "deck_edge", false);
    if (deck.node) w.deck_edge = point(deck);
    c_.weather = std::move(w);
}

}  // namespace

ConditionReadResult read_condition_bytes(const std::string& name, const std::string& bytes) {
    ConditionReadResult result;
    result.opened = true;
    result.condition.file = name;
    const TextEncodingCheck encoding = check_text_encoding(bytes);
    if (encoding.refused) {
        result.diagnostics.error(name, 1, refused_encoding_message(encoding.refused));
        return result;
    }
    const std::string_view text = std::string_view(bytes).substr(encoding.mark_bytes);
    toml::table document;
    try {
        document = toml::parse(text);
    } catch (const toml::parse_error& e) {
        result.diagnostics.error(name, line_of(e.source()),
                                 "TOML 语法错误: " + std::string(e.description()));
        return result;
    }
    ConditionReader reader(name, result.condition);
    reader.read(document);
    reader.report(result.diagnostics);
    return result;
}

ConditionReadResult read_condition_file(const std::string& path) {
    std::string bytes, reason;
    if (!read_regular_file(path.c_str(), bytes, reason)) {
        ConditionReadResult result;
        result.condition.file = path;
        result.diagnostics.error(path, 1, "无法打开装载工况文件 (" + reason + ").");
        return result;
    }
    return read_condition_bytes(path, bytes);
}

}  // namespace voxel
