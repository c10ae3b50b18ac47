// hull_from_offsets: the model files of a hull from its table of offsets.
//
//   hull_from_offsets OFFSETS.csv --draft T --kg KG [--lcg X] [--density 1.025]
//                     [--c1 1.006] [--out DIR]
//
// Exit status 0 when the three files are written, 1 for a bad table or a
// file that cannot be read or written (nothing is written then), 2 for a
// command line that cannot be used.
#include <cmath>
#include <optional>
#include <string>

#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "kernel/platform/console.h"
#include "kernel/platform/file_set.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/text_input.h"
#include "model/io/hull_files.h"
#include "model/io/scanned_text_file.h"

namespace {

int run(int argc, char** argv) {
    voxel::CommandLine command_line(
        "hull_from_offsets",
        "由型值表 (CSV: 首行 x\\z 与各水线高度, 其后每站一行: 站位 x 与各水线处的半宽) "
        "生成 ship.txt (hydrostatic_curves), model.txt (floating_attitude, righting_arm) 与 "
        "FourPillars.txt. 长度单位 m; 两个模型文件中的排水体积 (ship.txt 的 VD, model.txt 的 "
        "Volume of Displacement) 为吃水以下的体积, 单位 m^3.",
        "OFFSETS", "型值表文件 (.csv)", true);
    command_line.set_synopsis(
        "OFFSETS.csv --draft T --kg KG [--lcg X] [--density 1.025] [--c1 1.006] [--out DIR]");
    voxel::HullSettings s;
    std::string out_dir = ".";
    command_line.add_option("--draft", s.draft, "吃水 T, m (基线以上; 在最低与最高水线之间)", true);
    command_line.add_option("--kg", s.kg, "重心高度 KG, m (基线以上; 在最低与最高水线之间)", true);
    command_line.add_option("--lcg", s.lcg,
                            "重心纵向位置 x, m (在首站与末站之间; 缺省: 吃水 T 时的浮心纵向位置)");
    command_line.add_option("--density", s.density,
                            "水的密度 W_Den, t/m^3 (缺省 " + voxel::format_number(s.density) + ")");
    command_line.add_option("--c1", s.c1,
                            "总排水量与型排水量之比 C1 (缺省 " + voxel::format_number(s.c1) + ")");
    command_line.add_option("--out", out_dir, "输出目录 (缺省: 当前目录)");
    if (const auto status = command_line.parse(argc, argv)) return *status;

    // The parser takes "nan" and "inf" for numbers; the command line does not.
    const struct {
        const char* option;
        double value;
        bool positive;
    } numbers[] = {{"--draft", s.draft, false},
                   {"--kg", s.kg, false},
                   {"--lcg", s.lcg.value_or(0.0), false},
                   {"--density", s.density, true},
                   {"--c1", s.c1, true}};
    // Nor a number beyond the model readers' bound, which they would refuse.
    for (const auto& n : numbers) {
        const bool finite = std::isfinite(n.value) && (!n.positive || n.value > 0.0);
        if (finite && std::fabs(n.value) <= voxel::kLargestInputMagnitude) continue;
        voxel::diagnostic_line(std::string("hull_from_offsets: ") + n.option + " 应为" +
                               (n.positive ? "正的" : "") +
                               (finite ? "绝对值不超过 1e100 的数" : "有限数") + ", 读到 " +
                               voxel::format_number(n.value));
        voxel::diagnostic_line(command_line.usage());
        return 2;
    }

    const std::string offsets = *command_line.positional();
    std::string text;
    if (!voxel::read_text_file(offsets.c_str(), text)) {
        voxel::diagnostic_line(offsets + ": 错误: 无法打开或读取型值表文件 (" +
                               voxel::unreadable_reason(offsets.c_str()) + ")");
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

}  // namespace

// Memory that cannot be had ends the run with a message, like a bad table.
int main(int argc, char** argv) {
    return voxel::run_guarded(false, [&] { return run(argc, argv); });
}
