// cross_curves: the cross curves of stability (KN) of a hull.
//
//   cross_curves SHIP_FILE [--drafts d1,d2,... | --displacements t1,t2,...]
//                [--heels 0:5:90 | a1,a2,...] [--lcg X] [--threads N] [--out DIR]
//
// Exit status 0 when the three files are written, 1 for a ship file that
// cannot be used, a displacement the hull cannot float at or files that
// cannot be written (nothing is written then), 2 for a command line that
// cannot be used.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "apps/cross_curves/kn_run.h"
#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "frame/value_list.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/hydrostatics/ship_checks.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/scanned_text_file.h"
#include "model/io/ship_reader.h"

namespace {

// Most displacements and most heels of one sheet.
constexpr std::size_t kMaxListValues = 1000;

int run(int argc, char** argv) {
    voxel::CommandLine command_line(
        "cross_curves",
        "稳性横交曲线 (KN): 重心在基线上 (G = (LCG, 0, 0)), 各排水量与横倾角下的自由纵倾回复力臂, "
        "两舷",
        "SHIP_FILE", "船舶信息文件", true);
    command_line.set_synopsis(
        "SHIP_FILE [--drafts d1,d2,... | --displacements t1,t2,...] [--heels 0:5:90 | a1,a2,...] "
        "[--lcg X] [--threads N] [--out DIR]");
    std::optional<std::string> drafts, displacements;
    std::string heels = "0:5:90";
    voxel::KnRequest request;
    command_line.add_option("--drafts", drafts,
                            "水平吃水 (m, 逗号分隔; 缺省: D/10, 2D/10, ..., 9D/10)");
    command_line.add_option("--displacements", displacements,
                            "排水量 (t, 逗号分隔; = W_Den x 型排水体积); 与 --drafts 二选一");
    command_line.add_option("--heels", heels,
                            "横倾角 (度): 起值:步长:终值 或 逗号分隔的列表 (缺省 0:5:90)");
    command_line.add_option("--lcg", request.lcg,
                            "重心纵向位置 x, m (缺省: 各排水量正浮时的浮心纵向位置)");
    command_line.add_threads_option(request.threads);
    command_line.add_option("--out", request.out_dir, "输出目录 (缺省: 当前目录)");
    if (const auto status = command_line.parse(argc, argv)) return *status;

    auto refuse = [&command_line](const std::string& why) {
        voxel::diagnostic_line("cross_curves: " + why);
        voxel::diagnostic_line(command_line.usage());
        return 2;
    };
    if (drafts && displacements) return refuse("--drafts 与 --displacements 只能给出其一");
    if (drafts || displacements) {
        const char* option = drafts ? "--drafts" : "--displacements";
        const voxel::ValueList list =
            voxel::parse_value_list(drafts ? *drafts : *displacements, false, kMaxListValues);
        if (!list.error.empty()) return refuse(std::string(option) + ": " + list.error);
        request.values = list.values;
        request.by_displacement = displacements.has_value();
    }
    const voxel::ValueList heel_list = voxel::parse_value_list(heels, true, kMaxListValues);
    if (!heel_list.error.empty()) return refuse("--heels: " + heel_list.error);
    for (double heel : heel_list.values)
        if (!(heel >= 0.0 && heel <= 180.0))
            return refuse("--heels: 横倾角须在 0 与 180 度之间, 读到 " +
                          voxel::format_number(heel));
    request.heels = heel_list.values;
    if (request.lcg && !(std::fabs(*request.lcg) <= voxel::kLargestInputMagnitude))
        return refuse("--lcg 应为绝对值不超过 1e100 的有限数, 读到 " +
                      voxel::format_number(*request.lcg));

    const std::string path = *command_line.positional();
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    const voxel::ReadResult read = voxel::read_ship_information(ship, path);
    if (const auto status = voxel::report_read(read, path, voxel::kShipReadErrorMessage, false))
        return *status;
    const std::vector<std::string> errors = voxel::ship_data_errors(ship, path);
    for (const std::string& e : errors) voxel::diagnostic_line(e);
    if (!errors.empty()) return 1;
    return voxel::run_cross_curves(ship, path, request);
}

}  // namespace

// Memory that cannot be had ends the run with a message, without a key wait.
int main(int argc, char** argv) {
    return voxel::run_guarded(false, [&] { return run(argc, argv); });
}
