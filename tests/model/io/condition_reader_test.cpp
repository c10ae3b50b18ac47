// The loading-condition reader: a complete file read into its values, paths
// taken from the file's folder; each kind of fault one error at the line of
// its key; every fault of a file reported in line order; a file that cannot
// be read is not opened.
#include "model/io/condition_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace {

using testing_support::ScratchDir;
using voxel::ConditionReadResult;
using voxel::TankAmount;

std::vector<std::string> errors_of(const ConditionReadResult& r) { return r.diagnostics.lines(); }

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}

void expect_point(const voxel::Point3& p, double x, double y, double z) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
}

TEST(ConditionReader, CompleteFileGivesEveryValueAndLine) {
    // With a byte-order mark and CR LF line ends; integers where numbers are asked.
    const std::string text =
        "\xEF\xBB\xBF# departure, full load\r\n"  // 1
        "name = \"Full load departure\"\r\n"      // 2
        "[hull]\r\n"                              // 3
        "model = \"ship.txt\"\r\n"                // 4
        "lpp = 100\r\n"                           // 5
        "breadth = 20.5\r\n"                      // 6
        "water_density = 1.025\r\n"               // 7
        "[lightship]\r\n"                         // 8
        "mass = 2500\r\n"                         // 9
        "centre = [48.0, 0, 6.5]\r\n"             // 10
        "[[item]]\r\n"                            // 11
        "name = \"cargo\"\r\n"                    // 12
        "mass = 1200.5\r\n"                       // 13
        "centre = [50, -1.5, 8]\r\n"              // 14
        "[[item]]\r\n"                            // 15
        "name = \"crew\"\r\n"                     // 16
        "mass = 0\r\n"                            // 17
        "centre = [80, 0, 12]\r\n"                // 18
        "[[tank]]\r\n"                            // 19
        "name = \"FO 1P\"\r\n"                    // 20
        "shape = \"tanks/fo1p.obj\"\r\n"          // 21
        "density = 0.95\r\n"                      // 22
        "fill = 0.98\r\n"                         // 23
        "permeability = 0.97\r\n"                 // 24
        "[[tank]]\r\n"                            // 25
        "name = \"FW\"\r\n"                       // 26
        "shape = \"/data/fw.stl\"\r\n"            // 27
        "density = 1\r\n"                         // 28
        "volume = 120\r\n"                        // 29
        "[[tank]]\r\n"                            // 30
        "name = \"BW\"\r\n"                       // 31
        "mass = 0.0\r\n"                          // 32
        "shape = \"bw.txt\"\r\n"                  // 33
        "density = 1.025\r\n"                     // 34
        "[[opening]]\r\n"                         // 35
        "name = \"vent\"\r\n"                     // 36
        "point = [10, 9.5, 14]\r\n"               // 37
        "[gz]\r\n"                                // 38
        "heel_step = 2.5\r\n";                    // 39
    ScratchDir dir;
    const ConditionReadResult r = voxel::read_condition_file(dir.write("full.toml", text));
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.diagnostics.empty()) << joined(errors_of(r));
    const voxel::Condition& c = r.condition;
    EXPECT_EQ(c.file, dir.file("full.toml"));
    EXPECT_EQ(c.name, "Full load departure");
    EXPECT_EQ(c.hull_model, dir.file("ship.txt"));
    EXPECT_EQ(c.hull_model_line, 4);
    EXPECT_EQ(c.lpp, 100.0);
    EXPECT_EQ(c.breadth, 20.5);
    EXPECT_EQ(c.water_density, 1.025);
    EXPECT_EQ(c.lpp_line, 5);
    EXPECT_EQ(c.breadth_line, 6);
    EXPECT_EQ(c.water_density_line, 7);

    EXPECT_EQ(c.lightship.name, "lightship");
    EXPECT_EQ(c.lightship.mass, 2500.0);
    expect_point(c.lightship.centre, 48.0, 0.0, 6.5);
    EXPECT_EQ(c.lightship.line, 8);
    ASSERT_EQ(c.items.size(), 2u);
    EXPECT_EQ(c.items[0].name, "cargo");
    EXPECT_EQ(c.items[0].mass, 1200.5);
    expect_point(c.items[0].centre, 50.0, -1.5, 8.0);
    EXPECT_EQ(c.items[0].line, 11);
    EXPECT_EQ(c.items[1].name, "crew");
    EXPECT_EQ(c.items[1].mass, 0.0);
    EXPECT_EQ(c.items[1].line, 15);

    ASSERT_EQ(c.tanks.size(), 3u);
    const voxel::TankEntry& fo = c.tanks[0];
    EXPECT_EQ(fo.name, "FO 1P");
    EXPECT_EQ(fo.shape, dir.file("tanks/fo1p.obj"));
    EXPECT_EQ(fo.shape_line, 21);
    EXPECT_EQ(fo.line, 19);
    EXPECT_EQ(fo.density, 0.95);
    EXPECT_EQ(fo.amount_kind, TankAmount::Fill);
    EXPECT_EQ(fo.amount, 0.98);
    EXPECT_EQ(fo.amount_line, 23);
    EXPECT_EQ(fo.permeability, 0.97);
    const voxel::TankEntry& fw = c.tanks[1];
    EXPECT_EQ(fw.shape, "/data/fw.stl");  // absolute: as it is
    EXPECT_EQ(fw.amount_kind, TankAmount::Volume);
    EXPECT_EQ(fw.amount, 120.0);
    EXPECT_EQ(fw.amount_line, 29);
    EXPECT_EQ(fw.permeability, 1.0);  // the default
    const voxel::TankEntry& bw = c.tanks[2];
    EXPECT_EQ(bw.amount_kind, TankAmount::Mass);
    EXPECT_EQ(bw.amount, 0.0);
    EXPECT_EQ(bw.amount_line, 32);
    EXPECT_EQ(bw.shape_line, 33);

    ASSERT_EQ(c.openings.size(), 1u);
    EXPECT_EQ(c.openings[0].name, "vent");
    expect_point(c.openings[0].point, 10.0, 9.5, 14.0);
    EXPECT_EQ(c.openings[0].line, 35);
    EXPECT_EQ(c.heel_step, 2.5);
    EXPECT_EQ(c.heel_step_line, 39);

    // A name without a folder leaves a relative path as it is; without the
    // optional keys the defaults stand.
    const ConditionReadResult bare = voxel::read_condition_bytes(
        "bare.toml", "[hull]\nmodel = \"ship.txt\"\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n");
    EXPECT_TRUE(bare.diagnostics.empty());
    EXPECT_EQ(bare.condition.hull_model, "ship.txt");
    EXPECT_FALSE(bare.condition.name || bare.condition.lpp || bare.condition.water_density);
    EXPECT_EQ(bare.condition.heel_step, 1.0);
    EXPECT_EQ(bare.condition.heel_step_line, 0);
}

// Lines 1 to 5: the smallest file that is whole.
const std::string kHead =
    "[hull]\nmodel = \"ship.txt\"\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n";
// Lines 6 to 10 (after kHead): a tank named T.
const std::string kTank =
    "[[tank]]\nname = \"T\"\nshape = \"t.stl\"\ndensity = 1.0\nfill = 0.5\n";
// Lines 6 to 9 (after kHead): a compartment named ER.
const std::string kRoom =
    "[[compartment]]\nname = \"ER\"\nshape = \"er.txt\"\npermeability = 0.85\n";

TEST(ConditionReader, EachFaultIsOneErrorAtTheLineOfItsKey) {
    const struct {
        std::string text;
        int line;
        const char* message;
    } bad[] = {
        {"colour = 1\n" + kHead, 1, "未知的键 colour."},
        {kHead + "[extra]\na = 1\n", 6, "未知的键 extra."},  // its keys are not listed
        {"[hull]\nmodel = \"s\"\ndraft = 3\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n", 3,
         "未知的键 hull.draft."},
        {kHead + kTank + "level = 2\n", 11, "未知的键 tank[1].level."},
        {"[hull]\nmodel = 3\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n", 2,
         "hull.model 应为字符串, 读到整数."},
        {"hull = 1\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n", 1, "hull 应为表 ([hull]), 读到整数."},
        {kHead + "[item]\nname = \"a\"\n", 6, "item 应为表的数组 ([[item]]), 读到表."},
        {"item = [1]\n" + kHead, 1, "item[1] 应为表, 读到整数."},
        {"[hull]\nmodel = \"s\"\n[lightship]\nmass = \"1\"\ncentre = [0, 0, 0]\n", 4,
         "lightship.mass 应为数, 读到字符串."},
        {"[hull]\nmodel = \"s\"\n[lightship]\nmass = 1\ncentre = [0, 0]\n", 5,
         "lightship.centre 应为由 3 个数组成的数组 [x, y, z], 读到 2 个元素."},
        {"[hull]\nmodel = \"s\"\n[lightship]\nmass = 1\ncentre = [0,\n true, 0]\n", 6,
         "lightship.centre[2] 应为数, 读到布尔值."},
        {kHead + "[[item]]\nname = \"a\"\ncentre = [1, 2, 3]\n", 6, "缺少必需的键 item[1].mass."},
        {"[hull]\nmodel = \"s\"\n", 1, "缺少必需的表 [lightship]."},
        {"[hull]\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n", 1, "缺少必需的键 hull.model."},
        {kHead + "[[item]]\nname = \"a\"\nmass = -1\ncentre = [1, 2, 3]\n", 8,
         "item[1].mass 不能为负, 读到 -1."},
        {"[hull]\nmodel = \"s\"\nlpp = 0\n[lightship]\nmass = 1\ncentre = [0, 0, 0]\n", 3,
         "hull.lpp 应大于 0, 读到 0."},
        {kHead + "[[tank]]\nname = \"T\"\nshape = \"t\"\ndensity = -1.0\nvolume = 2\n", 9,
         "tank[1].density 应大于 0, 读到 -1."},
        {kHead + "[[tank]]\nname = \"T\"\nshape = \"t\"\ndensity = 1\nfill = 1.5\n", 10,
         "tank[1].fill 应在 0 到 1 之间, 读到 1.5."},
        {kHead + "[[tank]]\nname = \"T\"\nvolume = 3\nfill = 0.5\nshape = \"t\"\ndensity = 1\n", 9,
         "tank[1] 的装载量只能给出 fill, volume, mass 三者之一, 读到 fill 和 volume."},
        {kHead + "[[tank]]\nname = \"T\"\nshape = \"t\"\ndensity = 1\n", 6,
         "tank[1] 缺少装载量: 应给出 fill, volume, mass 三者之一."},
        {kHead + kTank + "permeability = 0\n", 11,
         "tank[1].permeability 应大于 0 且不大于 1, 读到 0."},
        {kHead + kTank + "permeability = 1.01\n", 11, "读到 1.01."},
        {"[hull]\nmodel = \"s\"\n[lightship]\nmass = nan\ncentre = [0, 0, 0]\n", 4,
         "lightship.mass 应为有限数, 绝对值不超过 1e+100, 读到 nan."},
        {"[hull]\nmodel = \"s\"\n[lightship]\nmass = 1\ncentre = [0, -2e100, 0]\n", 5,
         "lightship.centre[2] 应为有限数"},
        {kHead + "[gz]\nheel_step = 0.3\n", 7,
         "gz.heel_step 应在 0.1 与 5 之间且使 5 / heel_step 为整数 (如 5, 2.5, 1, 0.5, 0.25), 读到 0.3."},
        {kHead + "[gz]\nheel_step = 10\n", 7, "读到 10."},
        {kHead + "[gz]\nheel_step = 0\n", 7, "读到 0."},
        {kHead + "[gz]\nheel_step = 0.05\n", 7, "读到 0.05."},
        {kHead + kTank + kTank, 12, "tank[2].name 为 \"T\", 与 tank[1] (第 6 行) 重名."},
        {kHead + "[[opening]]\nname = \"v\"\npoint = [0, 0, 0]\n"
                 "[[opening]]\nname = \"v\"\npoint = [1, 0, 0]\n",
         10, "opening[2].name 为 \"v\", 与 opening[1] (第 6 行) 重名."},
        {kHead + "[[tank]]\nname = \"T\"\nshape = \"\"\ndensity = 1\nmass = 2\n", 8,
         "tank[1].shape 不能为空字符串."},
        {kHead + "[weather]\nwind = 1\n", 7, "未知的键 weather.wind."},
        {kHead + "[weather]\nprofile = [[[0, 0], [1, 0]]]\n", 7,
         "weather.profile[1] 应有至少 3 个点, 读到 2 个."},
        {kHead + "[weather]\nprofile = [[[0, 0], [1, 0], [1, nan]]]\n", 7,
         "weather.profile[1][3][2] 应为有限数"},
        {kHead + "[weather]\nprofile = [[[0, 0], [1, 0], [1]]]\n", 7,
         "weather.profile[1][3] 应为由 2 个数组成的数组 [x, z], 读到 1 个元素."},
        {kHead + "[weather]\nprofile = [1]\n", 7, "weather.profile[1] 应为至少 3 个点"},
        {kHead + "[weather]\nhull_profile = 1\nlateral_centre_z = 2\n", 7,
         "weather.hull_profile 应为布尔值, 读到整数."},
        {kHead + "[weather]\nhull_profile = false\n", 7,
         "weather.hull_profile 为 false 时须给出 weather.lateral_centre_z."},
        {kHead + "[weather]\nlever = \"keel\"\n", 7,
         "weather.lever 应为 \"lateral\" 或 \"half_draft\", 读到 \"keel\"."},
        {kHead + "[weather]\nbilge_keel_area = -2\n", 7,
         "weather.bilge_keel_area 不能为负, 读到 -2."},
        {kHead + "[weather]\ndeck_edge = [1, 2]\n", 7,
         "weather.deck_edge 应为由 3 个数组成的数组 [x, y, z], 读到 2 个元素."},
        {"weather = 3\n" + kHead, 1, "weather 应为表 ([weather]), 读到整数."},
        {kHead + "[[compartment]]\nname = \"ER\"\nshape = \"er.txt\"\npermeability = 0\n", 9,
         "compartment[1].permeability 应大于 0 且不大于 1, 读到 0."},
        {kHead + "[[compartment]]\nname = \"ER\"\nshape = \"er.txt\"\n", 6,
         "缺少必需的键 compartment[1].permeability."},
        {kHead + kRoom + "[[damage]]\nname = \"D\"\ncompartments = [\"ER\",\n\"hold\"]\n", 13,
         "damage[1].compartments[2] 为 \"hold\": 没有这个名称的舱室 ([[compartment]])."},
        {kHead + kRoom + "[[damage]]\nname = \"D\"\ncompartments = []\n", 12,
         "damage[1].compartments 为空: 破损工况至少应有一个舱室."},
        {kHead + kRoom + "[[damage]]\nname = \"D\"\ncompartments = [\"ER\", \"ER\"]\n", 12,
         "damage[1].compartments[2] 为 \"ER\", 在此工况中重复列出."},
        {kHead + kRoom + "[[damage]]\nname = \"D\"\n", 10, "缺少必需的键 damage[1].compartments."},
        {kHead + kRoom + kRoom, 11, "compartment[2].name 为 \"ER\", 与 compartment[1] (第 6 行) 重名."},
        {kHead + "mass = = 3\n[[tank]]\nname = 5\n", 6, "TOML 语法错误: "},
        {std::string("\xFF\xFE[\0h\0u\0l\0l\0]\0", 14), 1, "UTF-16"},
    };
    for (const auto& b : bad) {
        const ConditionReadResult r = voxel::read_condition_bytes("c.toml", b.text);
        EXPECT_TRUE(r.opened);
        const std::vector<std::string> errors = errors_of(r);
        ASSERT_EQ(errors.size(), 1u) << b.text << "\n" << joined(errors);
        const std::string head = "c.toml:" + std::to_string(b.line) + ": 错误: ";
        EXPECT_EQ(errors[0].rfind(head, 0), 0u) << errors[0];
        EXPECT_NE(errors[0].find(b.message), std::string::npos) << errors[0];
    }
}

TEST(ConditionReader, WeatherTable) {
    const ConditionReadResult none = voxel::read_condition_bytes("c.toml", kHead);
    EXPECT_FALSE(none.condition.weather);
    const ConditionReadResult r = voxel::read_condition_bytes(
        "c.toml", kHead +
                      "[weather]\nprofile = [[[60.0, 10.0], [90, 10], [90, 16]], [[1, 2], [3, 2], "
                      "[3, 4], [1, 4]]]\nhull_profile = false\nlateral_centre_z = 3.1\n"
                      "lever = \"half_draft\"\nbilge_keel_area = 12.5\nsharp_bilge = true\n"
                      "deck_edge = [50, -10, 10]\n");
    ASSERT_TRUE(errors_of(r).empty()) << joined(errors_of(r));
    ASSERT_TRUE(r.condition.weather);
    const voxel::WeatherEntry& w = *r.condition.weather;
    EXPECT_EQ(w.line, 6);
    ASSERT_EQ(w.profile.size(), 2u);
    ASSERT_EQ(w.profile[0].size(), 3u);
    ASSERT_EQ(w.profile[1].size(), 4u);
    EXPECT_EQ(w.profile[0][2].first, 90.0);
    EXPECT_EQ(w.profile[0][2].second, 16.0);
    EXPECT_FALSE(w.hull_profile);
    ASSERT_TRUE(w.lateral_centre_z);
    EXPECT_EQ(*w.lateral_centre_z, 3.1);
    EXPECT_TRUE(w.lever_half_draft);
    EXPECT_EQ(w.bilge_keel_area, 12.5);
    EXPECT_TRUE(w.sharp_bilge);
    ASSERT_TRUE(w.deck_edge);
    expect_point(*w.deck_edge, 50.0, -10.0, 10.0);

    const ConditionReadResult d = voxel::read_condition_bytes("c.toml", kHead + "[weather]\n");
    ASSERT_TRUE(errors_of(d).empty());
    ASSERT_TRUE(d.condition.weather);
    EXPECT_TRUE(d.condition.weather->hull_profile);
    EXPECT_FALSE(d.condition.weather->lever_half_draft || d.condition.weather->sharp_bilge);
    EXPECT_FALSE(d.condition.weather->deck_edge || d.condition.weather->lateral_centre_z);
    EXPECT_EQ(d.condition.weather->bilge_keel_area, 0.0);
}

TEST(ConditionReader, EveryFaultOfTheFileInLineOrder) {
    const std::string text = "[gz]\n"              // 1
                             "heel_step = -1\n"    // 2
                             "[lightship]\n"       // 3
                             "mass = -3\n"         // 4
                             "[[tank]]\n"          // 5
                             "name = \"T\"\n"      // 6
                             "shape = \"t\"\n"     // 7
                             "density = 0\n"       // 8
                             "mass = 1\n"          // 9
                             "permeability = 2\n"  // 10
                             "[[item]]\n"          // 11
                             "weight = 1\n";       // 12
    const std::vector<std::string> errors = errors_of(voxel::read_condition_bytes("c.toml", text));
    const std::vector<std::string> expected = {
        "c.toml:1: 错误: 缺少必需的表 [hull].",
        "c.toml:2: 错误: gz.heel_step 应在 0.1 与 5 之间且使 5 / heel_step 为整数 (如 5, 2.5, 1, 0.5, "
        "0.25), 读到 -1.",
        "c.toml:3: 错误: 缺少必需的键 lightship.centre.",
        "c.toml:4: 错误: lightship.mass 不能为负, 读到 -3.",
        "c.toml:8: 错误: tank[1].density 应大于 0, 读到 0.",
        "c.toml:10: 错误: tank[1].permeability 应大于 0 且不大于 1, 读到 2.",
        "c.toml:11: 错误: 缺少必需的键 item[1].name.",
        "c.toml:11: 错误: 缺少必需的键 item[1].mass.",
        "c.toml:11: 错误: 缺少必需的键 item[1].centre.",
        "c.toml:12: 错误: 未知的键 item[1].weight.",
    };
    EXPECT_EQ(errors, expected);
}

TEST(ConditionReader, FileThatCannotBeReadIsNotOpened) {
    ScratchDir dir;
    for (const std::string& path : {dir.file("none.toml"), dir.path()}) {
        const ConditionReadResult r = voxel::read_condition_file(path);
        EXPECT_FALSE(r.opened);
        const std::vector<std::string> errors = errors_of(r);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].rfind(path + ":1: 错误: 无法打开装载工况文件 (", 0), 0u) << errors[0];
    }
}

}  // namespace
