// floating_attitude: the free-floating equilibrium of a body of given
// displacement and centre of gravity, and the drafts at four pillars.
#include "apps/floating_attitude/floating_attitude_report.h"
#include "kernel/platform/console.h"
#include "model/console_frame.h"
#include "model/displacement_check.h"
#include "model/format2_reader.h"
#include "model/voxel_group.h"

int main(int argc, char** argv) {
    voxel::VoxelGroup group;
    voxel::console_line("Quellbrook Tavrel 设计 2020.7.11版本");
    voxel::choose_model_file(argc > 1 ? argv[1] : nullptr);
    voxel::read_format2_model(group, voxel::model_path);
    voxel::require_displacement_in_range(group);
    voxel::run_floating_attitude(group);
    voxel::pause_console();
    return 0;
}
