// loading_condition: a ship loaded as a condition file says, its floating
// position with the liquids settled, its stability there, the GZ curves with
// the liquids shifting, the downflooding angles and the intact criteria; and
// for each damage case the same ship with its flooded compartments' buoyancy
// lost.
//
//   loading_condition CONDITION.toml [--out DIR] [--threads N]
//
// Exit status 0 when the files are written (five, and one more per damage
// case; a damage case that sinks or capsizes is a result), 1 for a condition that
// cannot be used (a bad file, a ship that sinks, capsizes or finds no
// equilibrium) or files that cannot be written (nothing is written then), 2
// for a command line that cannot be used.
#include <cmath>
#include <string>
#include <vector>

#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "kernel/platform/clock.h"
#include "kernel/platform/console.h"
#include "kernel/platform/file_set.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/sha256.h"
#include "kernel/platform/text_input.h"
#include "model/io/condition_reader.h"
#include "model/io/diagnostics.h"
#include "model/loading/condition_bodies.h"
#include "model/loading/loading_run.h"
#include "report/loading_files.h"
#include "report/loading_html.h"

namespace {

// The input files named with the SHA-256 of their bytes; false with the
// message when one of them can no longer be read.
bool input_files(const std::string& path, const voxel::Condition& condition,
                 voxel::HtmlInputs& inputs, std::string& error) {
    std::vector<voxel::HtmlInputFile> files = {{"condition", path, ""},
                                               {"hull", condition.hull_model, ""}};
    for (const voxel::TankEntry& t : condition.tanks)
        files.push_back({"tank " + t.name, t.shape, ""});
    for (const voxel::CompartmentEntry& k : condition.compartments)
        files.push_back({"compartment " + k.name, k.shape, ""});
    for (voxel::HtmlInputFile& f : files) {
        std::string bytes, reason;
        if (!voxel::read_regular_file(f.path.c_str(), bytes, reason)) {
            error = f.path + ": 错误: 无法读取文件 (" + reason + ").";
            return false;
        }
        f.sha256 = voxel::sha256_hex(bytes);
    }
    inputs.files = std::move(files);
    inputs.version = voxel::program_version();
    return true;
}

// How many of the criteria's side values pass, fail and use an unbalanced
// point, as the summary lines say it.
std::string tally_text(const std::vector<voxel::CriterionOutcome>& criteria) {
    const voxel::CriteriaTally t = voxel::tally(criteria);
    return "通过 " + std::to_string(t.pass) + ", 不通过 " + std::to_string(t.fail) +
           (t.unbalanced ? ", 纵倾未平衡 " + std::to_string(t.unbalanced) : std::string());
}

int run(int argc, char** argv) {
    voxel::CommandLine command_line("loading_condition",
                                    "装载工况: 重量与液舱 (液面随倾斜移动), 平衡浮态, 稳性高, 两舷 "
                                    "GZ 曲线, 进水角, 完整稳性衡准",
                                    "CONDITION", "装载工况文件 (TOML)", true);
    command_line.set_synopsis("CONDITION.toml [--out DIR] [--threads N]");
    std::string out_dir;
    int threads = 0;
    command_line.add_threads_option(threads);
    command_line.add_option("--out", out_dir, "输出目录 (缺省: 当前目录)");
    if (const auto status = command_line.parse(argc, argv)) return *status;

    const voxel::Stopwatch clock;
    const std::string path = *command_line.positional();
    const voxel::ConditionReadResult read = voxel::read_condition_file(path);
    for (const std::string& line : read.diagnostics.lines()) voxel::diagnostic_line(line);
    if (!read.opened || read.diagnostics.has_errors()) return 1;

    voxel::LoadedCondition loaded;
    voxel::Diagnostics bodies;
    voxel::load_condition_bodies(read.condition, voxel::CrossingTolerance::Loose, loaded, bodies);
    for (const std::string& line : bodies.lines()) voxel::diagnostic_line(line);
    if (bodies.has_errors()) return 1;

    const voxel::LoadingOutcome outcome = voxel::compute_loading(loaded, threads);
    for (const std::string& note : outcome.result.notes)
        voxel::diagnostic_line(path + ": 警告: " + note);
    for (const voxel::DamageResult& d : outcome.result.damage)
        for (const std::string& note : d.notes)
            voxel::diagnostic_line(path + ": 警告: 破损工况 \"" + d.name + "\": " + note);
    if (!outcome.ok) {
        for (const std::string& e : outcome.errors) voxel::diagnostic_line(path + ": 错误: " + e);
        return 1;
    }
    const voxel::LoadingResult& r = outcome.result;

    voxel::HtmlInputs inputs;
    std::string input_error;
    if (!input_files(path, read.condition, inputs, input_error)) {
        voxel::diagnostic_line(input_error);
        return 1;
    }

    const std::string stem = voxel::condition_stem(path);
    std::vector<voxel::OutputFile> files = {{stem + ".json", voxel::loading_json(r)},
                                            {stem + ".txt", voxel::loading_text(r)},
                                            {stem + "_gz.csv", voxel::loading_gz_csv(r)},
                                            {stem + "_gz.svg", voxel::loading_gz_svg(r)},
                                            {stem + ".html", voxel::loading_html(r, inputs)}};
    std::string damage_files;
    for (std::size_t i = 0; i < r.damage.size(); ++i) {
        const std::string name = stem + "_damage_" + std::to_string(i + 1) + "_gz.csv";
        files.push_back({name, voxel::damage_gz_csv(r.damage[i])});
        damage_files += ", " + name;
    }
    const std::string error = voxel::write_files_atomically(out_dir, files);
    if (!error.empty()) {
        voxel::diagnostic_line(error);
        return 1;
    }

    const voxel::Equilibrium& e = r.equilibrium;
    const auto fixed = voxel::format_fixed_unsigned_zero;
    voxel::console_line("装载工况: " + r.condition + " (" + path + ")");
    voxel::console_line("排水量 " + fixed(r.weights.displacement, 1) + " t, 横倾 " +
                        fixed(e.heel, 2) + " 度, 纵倾 " + fixed(e.trim_m, 3) +
                        " m, 吃水 (尾/中/首) " + fixed(e.draft_ap, 3) + " / " +
                        fixed(e.draft_mid, 3) + " / " + fixed(e.draft_fp, 3) + " m");
    voxel::console_line("GM (液面修正后) " + fixed(r.stability.gm_fluid, 3) +
                        " m; 衡准 (两舷): " + tally_text(r.criteria));
    for (std::size_t i = 0; i < r.damage.size(); ++i) {
        const voxel::DamageResult& d = r.damage[i];
        std::string line = "破损工况 " + std::to_string(i + 1) + ": " + d.name + ": ";
        if (d.status == "floats")
            line += "浮 (floats), 横倾 " + fixed(d.equilibrium.heel, 2) + " 度, 纵倾 " +
                    fixed(d.equilibrium.trim_m, 3) + " m, 吃水 (尾/中/首) " +
                    fixed(d.equilibrium.draft_ap, 3) + " / " + fixed(d.equilibrium.draft_mid, 3) +
                    " / " + fixed(d.equilibrium.draft_fp, 3) + " m, GM " +
                    fixed(d.stability.gm_fluid, 3) + " m";
        else if (d.status == "sinks")
            line += "下沉 (sinks)";
        else if (d.status == "capsizes")
            line += "倾覆 (capsizes)";
        else
            line += "未求得平衡浮态 (unresolved)";
        line += "; 剩余稳性衡准 (两舷): " + tally_text(d.criteria);
        voxel::console_line(line);
    }
    voxel::console_line("已写出 " + stem + ".json, " + stem + ".txt, " + stem + "_gz.csv, " + stem +
                        "_gz.svg, " + stem + ".html" + damage_files + " 于 " +
                        (out_dir.empty() ? "." : out_dir));
    voxel::console_line("用时 " + fixed(clock.seconds(), 3) + " s");
    return 0;
}

}  // namespace

// Memory that cannot be had ends the run with a message, without a key wait.
int main(int argc, char** argv) {
    return voxel::run_guarded(false, [&] { return run(argc, argv); });
}
