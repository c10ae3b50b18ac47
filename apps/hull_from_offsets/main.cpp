// hull_from_offsets: the model files of a hull from its table of offsets.
//
//   hull_from_offsets OFFSETS.csv --draft T --kg KG [--lcg X] [--density 1.025]
//                     [--c1 1.006] [--out DIR]
//
// Exit status 0 when the three files are written, 1 for a bad table or a
// file that cannot be read or written (nothing is written then), 2 for a
// command line that cannot be used.
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "apps/hull_from_offsets/hull_files.h"
#include "apps/hull_from_offsets/text_files.h"
#include "kernel/platform/console.h"

namespace {

const char* const kUsage =
    "用法: hull_from_offsets OFFSETS.csv --draft T --kg KG [--lcg X] [--density 1.025] "
    "[--c1 1.006] [--out DIR]  (说明见 --help)";

// A finite number (CLI11 would also take "nan" and "inf"); a positive one.
std::string finite_number(std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return "应为有限数: " + text;
    return "";
}
std::string positive_number(std::string& text) {
    const std::string error = finite_number(text);
    if (!error.empty() || std::strtod(text.c_str(), nullptr) > 0.0) return error;
    return "应为正数: " + text;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "由型值表 (CSV: 首行 x\\z 与各水线高度, 其后每站一行: 站位 x 与各水线处的半宽) "
        "生成 ship.txt (hydrostatic_curves), model.txt (floating_attitude, "
        "righting_arm) 与 FourPillars.txt. 长度单位 m.",
        "hull_from_offsets"};
    const CLI::Validator finite(finite_number, "NUMBER"), positive(positive_number, "POSITIVE");
    std::string offsets, out_dir = ".";
    voxel::HullSettings s;
    double lcg = 0.0;
    app.add_option("OFFSETS", offsets, "型值表文件 (.csv)")->required();
    app.add_option("--draft", s.draft, "吃水 T, m (基线以上; 在最低与最高水线之间)")
        ->required()
        ->check(finite);
    app.add_option("--kg", s.kg, "重心高度 KG, m (基线以上)")->required()->check(finite);
    CLI::Option* lcg_option =
        app.add_option("--lcg", lcg, "重心纵向位置 x, m (缺省: 吃水 T 时的浮心纵向位置)")
            ->check(finite);
    app.add_option("--density", s.density, "水的密度 W_Den, t/m^3")
        ->capture_default_str()
        ->check(positive);
    app.add_option("--c1", s.c1, "总排水量与型排水量之比 C1")
        ->capture_default_str()
        ->check(positive);
    app.add_option("--out", out_dir, "输出目录 (缺省: 当前目录)");
    app.set_version_flag("--version", "hull_from_offsets 1.0");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        voxel::console_write(app.help());
        return 0;
    } catch (const CLI::CallForVersion& e) {
        voxel::console_line(e.what());
        return 0;
    } catch (const CLI::ParseError& e) {
        voxel::diagnostic_line(std::string("hull_from_offsets: ") + e.what());
        voxel::diagnostic_line(kUsage);
        return 2;
    }
    if (lcg_option->count() > 0) s.lcg = lcg;

    std::string text;
    if (!voxel::read_text_file(offsets, text)) {
        voxel::diagnostic_line(offsets + ": 错误: 无法打开或读取型值表文件");
        return 1;
    }
    const voxel::HullFiles built = voxel::build_hull_files(text, offsets, s);
    if (!built.error.empty()) {
        voxel::diagnostic_line(built.error);
        return 1;
    }
    const std::string write_error = voxel::write_files_atomically(out_dir, built.files);
    if (!write_error.empty()) {
        voxel::diagnostic_line(write_error);
        return 1;
    }
    for (const std::string& line : built.summary) voxel::console_line(line);
    voxel::console_line("已写出 ship.txt, model.txt, FourPillars.txt 于 " + out_dir);
    return 0;
}
