#include "apps/righting_arm/arm_report.h"

#include <cmath>
#include <cstring>

#include "apps/righting_arm/stability_files.h"
#include "frame/console_frame.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "kernel/platform/text_output.h"
#include "model/io/diagnostics.h"
#include "model/stability/arm_sweep.h"

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

std::string non_finite_arms_message(const std::string& angles) {
    return "righting_arm: 以下横倾角 (度) 的回复力臂不是有限数, 结果无效 (浮体各处坐标的数量级"
           "相差过大?): " +
           angles;
}

std::string trim_bound_note(int degrees, double sigma, const ArmResult& arm) {
    const std::string series = sigma < 0.0 ? "右倾 (sigma = -1)" : "左倾 (sigma = +1)";
    return "righting_arm: " + series + " 系列, 横倾角 " + std::to_string(degrees) +
           " 度: " + trim_stop_text(arm);
}

int report_righting_arms(const VoxelGroup& body, const std::string& file_name,
                         const std::string& model_path, int threads) {
    TextFileWriter file(file_name.c_str(), "\n");
    if (!file.is_open()) {
        console_line("The file of righting arms around a certain axis written error!");
        return fail_run({unwritable_file_message(file_name, std::strerror(file.open_error()))});
    }
    SweepResults results;
    ArmSink sink;
    std::string not_finite;  // the angles whose arm is not a number, by series
    bool any_not_finite = false;
    sink.series_begins = [&file, &not_finite](double sigma) {
        console_line(series_header(sigma));
        file.line(series_header(sigma));
        if (!not_finite.empty()) not_finite += "; ";
        not_finite += (sigma < 0.0 ? "右倾" : "左倾");
    };
    sink.arm = [&](int degrees, double sigma, const ArmResult& arm) {
        (sigma < 0.0 ? results.starboard : results.port).push_back(arm);
        if (!std::isfinite(arm.GZ)) {
            not_finite += " " + std::to_string(degrees);
            any_not_finite = true;
        }
        for (const WaterPlane& w : arm.stalls) diagnostic_line(water_plane_stall_note(body.V, w));
        if (arm.points_coincide) console_line(kClosePointsMessage);
        if (!trim_balanced(arm)) diagnostic_line(trim_bound_note(degrees, sigma, arm));
        console_line(console_arm_line(degrees, arm.GZ));
        file.line(file_arm_line(degrees, arm.GZ));
    };
    sweep_righting_arms(body, body.V, body.centre_of_gravity(), kHeelAboutX, sink, TrimBounds{},
                        threads);
    file.close();
    // An arm that is not a number is no result: the body's coordinates lose
    // every digit of its volumes at those angles.
    if (any_not_finite) {
        return fail_run({non_finite_arms_message(not_finite)});
    }
    const std::size_t slash = file_name.find_last_of('/');
    write_stability_files(slash == std::string::npos ? "" : file_name.substr(0, slash), model_path,
                          body, results);
    return 0;
}

}  // namespace voxel
