#include "apps/righting_arm/arm_report.h"

#include "apps/righting_arm/stability_files.h"
#include "apps/righting_arm/sweep.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/text_output.h"

namespace voxel {

std::string series_header(double sigma) {
    return sigma < 0.0 ? "右倾回复力臂系列:" : "左倾回复力臂系列:";
}

std::string console_arm_line(int degrees, double GZ) {
    return "An = " + std::to_string(degrees) + " L= " + format_number(GZ);
}

std::string file_arm_line(int degrees, double GZ) {
    return std::to_string(degrees) + " " + format_number(GZ);
}

std::string trim_bound_note(int degrees, double sigma, const ArmResult& arm) {
    const std::string series = sigma < 0.0 ? "右倾 (sigma = -1)" : "左倾 (sigma = +1)";
    std::string why;
    if (arm.trim.stop == TrimStop::SmallStep)
        why = "纵倾步长已减小到 " + format_number(arm.trim.step) + " rad";
    else
        why = "已试转 " + std::to_string(arm.trim.trials) + " 次";
    return "righting_arm: " + series + " 系列, 横倾角 " + std::to_string(degrees) +
           " 度: 纵倾调整停止, 因为" + why + "; 剩余 |g - b| = " + format_number(arm.state.d) +
           "; 力臂取最后一次接受的纵倾状态.";
}

int report_righting_arms(VoxelGroup& body, const std::string& file_name,
                         const std::string& model_path, int threads) {
    TextFileWriter file(file_name.c_str(), "\n");
    if (!file.is_open()) {
        console_line("The file of righting arms around a certain axis written error!");
        wait_for_key();
        return 1;
    }
    SweepResults results;
    ArmSink sink;
    sink.series_begins = [&file](double sigma) {
        console_line(series_header(sigma));
        file.line(series_header(sigma));
    };
    sink.arm = [&file, &body, &results](int degrees, double sigma, const ArmResult& arm) {
        (sigma < 0.0 ? results.starboard : results.port).push_back(arm);
        for (const WaterPlane& w : arm.stalls) diagnostic_line(water_plane_stall_note(body.V, w));
        if (arm.points_coincide) console_line(kClosePointsMessage);
        if (arm.trimmed && arm.trim.stop != TrimStop::Balanced)
            diagnostic_line(trim_bound_note(degrees, sigma, arm));
        console_line(console_arm_line(degrees, arm.GZ));
        file.line(file_arm_line(degrees, arm.GZ));
    };
    sweep_righting_arms(body, body.V, body.centre_of_gravity(), 1.0, 0.0, sink, TrimBounds{},
                        threads);
    file.close();
    const std::size_t slash = file_name.find_last_of('/');
    write_stability_files(slash == std::string::npos ? "" : file_name.substr(0, slash), model_path,
                          body, results);
    return 0;
}

}  // namespace voxel
