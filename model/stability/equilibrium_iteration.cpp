#include "model/stability/equilibrium_iteration.h"

#include <cmath>

#include "kernel/angles.h"
#include "kernel/matrix4.h"
#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

constexpr double kAngleError = 1e-10;    // a_error, radians
constexpr double kRelativeError = 1e-6;  // error; d_error = error x box diagonal

Point3 unit(Point3 v) {
    normalize(v);
    return v;
}

}  // namespace

IterationDialogue IterationDialogue::console() {
    return {[](const std::string& line) { console_line(line); }, [] { return read_answer_char(); },
            [](const std::string& note) { diagnostic_line(note); }};
}

Point3 tilt_axis(Point3 B, Point3 G, Point3 N) {
    return unit(cross(unit(difference(B, G)), unit(N)));
}

std::string step_line(int count, const std::string& det_an, double d, const Point3& N) {
    return "Step" + pad_right_aligned(std::to_string(count), 3) +
           ": det_an=" + pad_left_aligned(det_an, 13) +
           ", d=" + pad_left_aligned(format_number(d), 13) + ",N=<" +
           pad_left_aligned(format_number(N.x), 10) + "," +
           pad_left_aligned(format_number(N.y), 10) + "," +
           pad_left_aligned(format_number(N.z), 10) + ">";
}

double IterationOutcome::tilt_degrees() const {
    // cos of the angle between (A, B, C) and (0, 0, 1).
    double c = plane.C / plane.normal_length();
    if (c > 1.0) c = 1.0;
    if (c < -1.0) c = -1.0;
    return std::acos(c) * (180.0 / kPi);
}

IterationOutcome iterate_floating_attitude(const VoxelGroup& group, double V, Point3 G,
                                           const IterationDialogue& dialogue) {
    return iterate_floating_attitude(
        group, V, [&G](const Point3&) { return G; }, dialogue);
}

IterationOutcome iterate_floating_attitude(const VoxelGroup& group, double V,
                                           const std::function<Point3(const Point3&)>& G_at,
                                           const IterationDialogue& dialogue) {
    const Box3& box = group.box();
    const double dx = box.maxx - box.minx, dy = box.maxy - box.miny, dz = box.maxz - box.minz;
    const double d_error = kRelativeError * std::sqrt(dx * dx + dy * dy + dz * dz);

    // The water plane for a normal, and the distance of the lines of action
    // along it; each says on the dialogue what went wrong where it happened.
    auto water_plane = [&](const Point3& normal) {
        const WaterPlane w = group.find_water_plane(V, normal);
        if (!w.converged) dialogue.write_note(water_plane_stall_note(V, w));
        return w;
    };
    auto distance = [&](const Point3& buoyancy, const Point3& G, const Point3& normal) {
        const LineDistance l = action_line_distance(buoyancy, G, normal);
        if (l.points_coincide) dialogue.write_line(kClosePointsMessage);
        return l.d;
    };

    IterationOutcome outcome;
    outcome.d_error = d_error;
    Plane& plane = outcome.plane;
    Point3& B = outcome.B;
    Point3 N{0.0, 0.0, 1.0};
    WaterPlane w = water_plane(N);
    plane = w.plane;
    B = w.B;
    Point3 G = G_at(N);
    double d = distance(B, G, N);
    const double det_an0 = kOneDegree;
    double det_an = det_an0;

    dialogue.write_line("假定浮体固定,水面移动和旋转. 初始水面法向N=<0,0,1>竖直向上.");
    dialogue.write_line("姿态旋转角误差a_error=" + format_number(kAngleError) + "(弧度)");
    dialogue.write_line("相对距离误差error=" + format_number(kRelativeError) +
                        ", 绝对距离误差d_error=" + format_number(d_error) +
                        "(注：\"距离\"是指重力和浮力作用线的距离)");
    dialogue.write_line("det_an:转角步长; d:重心和浮心作用线距离; N:水面法向");
    dialogue.write_line(step_line(0, "0", d, N));

    int count = 0;
    while (d > d_error) {
        ++count;
        const Point3 k = tilt_axis(B, G, N);
        bool stuck = false;
        for (;;) {
            // Try N turned by det_an; keep it only when the lines of action
            // come closer, otherwise halve the turn down to a_error.
            Point3 Nt = N;
            rotate_about_axis(Nt, k, det_an);
            const WaterPlane t = water_plane(Nt);
            const Point3 Gt = G_at(Nt);
            const double dt = distance(t.B, Gt, Nt);
            if (dt < d) {
                N = Nt;
                B = t.B;
                G = Gt;
                d = dt;
                plane = t.plane;
                break;
            }
            if (det_an <= kAngleError) {
                stuck = true;
                break;
            }
            det_an *= 0.5;
        }
        if (stuck) {
            dialogue.write_line(
                "旋转角步长足够小但距离无法缩小(原因有可能是浮体重心过高)!继续迭代输入'y',"
                "否则输入'n'.");
            // Anything but a lower-case 'y', the end of input included, ends
            // the iteration with the last accepted state.
            if (dialogue.read_answer() != 'y') {
                outcome.d = d;
                outcome.stop = IterationStop::Declined;
                return outcome;
            }
            det_an = det_an0;
            rotate_about_axis(N, k, det_an0);
            w = water_plane(N);
            plane = w.plane;
            B = w.B;
            G = G_at(N);
            d = distance(B, G, N);
        }
        dialogue.write_line(step_line(count, format_number(det_an), d, N));
    }
    outcome.d = d;
    outcome.stop = d <= d_error ? IterationStop::Converged : IterationStop::NoDistance;
    return outcome;
}

}  // namespace voxel
