// hydrostatic_curves: the hydrostatic table of a hull, draft by draft.
#include <string>
#include <vector>

#include "apps/hydrostatic_curves/hydrostatic_sweep.h"
#include "apps/hydrostatic_curves/ship_checks.h"
#include "apps/hydrostatic_curves/ship_model.h"
#include "apps/hydrostatic_curves/ship_reader.h"
#include "kernel/platform/console.h"
#include "model/console_frame.h"

int main(int argc, char** argv) {
    voxel::ShipModel ship;
    voxel::console_line("体素组静水力曲线 Quellbrook Tavrel 设计 2020.7.10版本");
    voxel::choose_model_file(argc > 1 ? argv[1] : nullptr);

    const voxel::ShipReadReport read = voxel::read_ship_information(ship, voxel::model_path);
    if (!read.opened) {
        voxel::console_line("船舶信息文件读取错误!");
        return 1;
    }
    for (const std::string& w : read.warnings) voxel::diagnostic_line(w);
    std::vector<std::string> errors = read.errors;
    for (const std::string& e : voxel::ship_data_errors(ship, voxel::model_path))
        errors.push_back(e);
    if (!errors.empty()) {
        for (const std::string& e : errors) voxel::diagnostic_line(e);
        return 1;
    }

    voxel::sweep_hydrostatics(ship);
    voxel::pause_console();
    return 0;
}
