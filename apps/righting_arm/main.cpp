// righting_arm: the righting-arm curve about the body's X axis, free trim.
#include "apps/righting_arm/arm_report.h"
#include "kernel/platform/console.h"
#include "kernel/tetrahedron.h"
#include "model/console_frame.h"
#include "model/displacement_check.h"
#include "model/format2_reader.h"
#include "model/voxel_group.h"

int main(int argc, char** argv) {
    voxel::set_cut_crossing_tolerance(voxel::CrossingTolerance::Loose);
    voxel::VoxelGroup body;
    voxel::console_line("Quellbrook Tavrel 设计 稳性力臂曲线2020.4.14");
    voxel::console_line("注:计算某横倾角的回复力臂时，进行了纵倾调整(浮心和重心的纵向坐标相等)");
    voxel::choose_model_file(argc > 1 ? argv[1] : nullptr);
    voxel::read_format2_model(body, voxel::model_path);
    voxel::require_displacement_in_range(body);
    const int status = voxel::report_righting_arms(body, voxel::kRightingArmFileName);
    if (status != 0) return status;
    voxel::pause_console();
    return 0;
}
