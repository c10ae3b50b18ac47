// floating_attitude: the free-floating equilibrium of a body of given
// displacement and centre of gravity, and the drafts at four pillars.
#include <string>

#include "apps/floating_attitude/floating_attitude_report.h"
#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "frame/format2_frame.h"
#include "kernel/platform/console.h"
#include "model/body/voxel_group.h"

namespace {

int run(int argc, char** argv) {
    voxel::CommandLine command_line(
        "floating_attitude",
        "浮态计算: 给定排水体积和重心, 求自由漂浮的平衡姿态和四根立柱处的吃水");
    if (const auto status = command_line.parse(argc, argv)) return *status;

    voxel::VoxelGroup group(voxel::CrossingTolerance::Strict);
    voxel::console_line("Quellbrook Tavrel 设计 2020.7.11版本");
    const std::string path = voxel::choose_model_file(command_line.positional());

    if (const auto status = voxel::load_format2_body(group, path)) return *status;

    const int status = voxel::run_floating_attitude(group);
    if (status != 0) return status;
    voxel::pause_console();
    return 0;
}

}  // namespace

// A failure waits for one character before the run ends.
int main(int argc, char** argv) {
    return voxel::run_guarded(true, [&] { return run(argc, argv); });
}
