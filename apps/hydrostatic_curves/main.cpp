// hydrostatic_curves: the hydrostatic table of a hull, draft by draft.
#include "kernel/platform/console.h"
#include "model/console_frame.h"

int main(int argc, char** argv) {
    voxel::console_line("体素组静水力曲线 Quellbrook Tavrel 设计 2020.7.10版本");
    voxel::choose_model_file(argc > 1 ? argv[1] : nullptr);
    voxel::pause_console();
    return 0;
}
