// righting_arm: the righting-arm curve about the body's X axis, free trim.
#include <string>

#include "apps/righting_arm/arm_report.h"
#include "frame/command_line.h"
#include "frame/console_frame.h"
#include "frame/format2_frame.h"
#include "kernel/platform/console.h"
#include "model/body/voxel_group.h"

namespace {

int run(int argc, char** argv) {
    voxel::CommandLine command_line("righting_arm",
                                    "稳性力臂曲线: 绕 X 轴横倾 0 至 90 度 (两舷), 自由纵倾");
    int threads = 1;
    command_line.add_threads_option(threads);
    if (const auto status = command_line.parse(argc, argv)) return *status;

    // The righting-arm body cuts with the loose crossing test.
    voxel::VoxelGroup body(voxel::CrossingTolerance::Loose);
    voxel::console_line("Quellbrook Tavrel 设计 稳性力臂曲线2020.4.14");
    voxel::console_line("注:计算某横倾角的回复力臂时，进行了纵倾调整(浮心和重心的纵向坐标相等)");
    const std::string path = voxel::choose_model_file(command_line.positional());
    if (const auto status = voxel::load_format2_body(body, path)) return *status;

    const int status =
        voxel::report_righting_arms(body, voxel::kRightingArmFileName, path, threads);
    if (status != 0) return status;
    voxel::pause_console();
    return 0;
}

}  // namespace

// A failure waits for one character before the run ends.
int main(int argc, char** argv) {
    return voxel::run_guarded(true, [&] { return run(argc, argv); });
}
