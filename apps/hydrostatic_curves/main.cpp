// hydrostatic_curves: the hydrostatic table of a hull, draft by draft.
#include <string>
#include <vector>

#include "apps/hydrostatic_curves/curve_files.h"
#include "apps/hydrostatic_curves/hydrostatic_run.h"
#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "kernel/platform/console.h"
#include "model/hydrostatics/ship_checks.h"
#include "model/hydrostatics/ship_model.h"
#include "model/io/ship_reader.h"

namespace {

int run(int argc, char** argv) {
    voxel::CommandLine command_line("hydrostatic_curves", "船体静水力曲线: 逐吃水计算静水力表");
    int threads = 1;
    command_line.add_threads_option(threads);
    if (const auto status = command_line.parse(argc, argv)) return *status;

    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    voxel::console_line("体素组静水力曲线 Quellbrook Tavrel 设计 2020.7.10版本");
    const std::string path = voxel::choose_model_file(command_line.positional());

    // The ship file's failures end the run at once, without a key wait.
    const voxel::ReadResult read = voxel::read_ship_information(ship, path);
    if (const auto status = voxel::report_read(read, path, voxel::kShipReadErrorMessage, false))
        return *status;
    const std::vector<std::string> errors = voxel::ship_data_errors(ship, path);
    for (const std::string& e : errors) voxel::diagnostic_line(e);
    if (!errors.empty()) return 1;

    if (!voxel::sweep_hydrostatics(ship, path, threads)) return 1;
    for (const std::string& w : voxel::particulars_warnings(ship, path)) voxel::diagnostic_line(w);
    voxel::write_curve_files("", path, ship.table);
    // The table is written as the format says, header rows only, but a run
    // that computed no waterline has no result.
    if (ship.table.count == 0) {
        voxel::diagnostic_line(voxel::no_waterline_message(ship, path));
        return 1;
    }
    voxel::pause_console();
    return 0;
}

}  // namespace

// The run's failures end at once, without a key wait.
int main(int argc, char** argv) {
    return voxel::run_guarded(false, [&] { return run(argc, argv); });
}
