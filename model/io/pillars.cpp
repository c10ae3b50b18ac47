#include "model/io/pillars.h"

#include "kernel/platform/number_format.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

// A crossing this far beyond an end, as a fraction of the segment's length,
// still counts as on the segment.
constexpr double kSegmentEndTolerance = 1e-10;

std::string record_name(int i) {
    return "第 " + std::to_string(i + 1) + " 根立柱";
}

bool points_coincide(const Segment& s) {
    return s.P0.x == s.P1.x && s.P0.y == s.P1.y && s.P0.z == s.P1.z;
}

void read_records(ScannedTextFile& in, PillarAxes& pillars) {
    pillars.file = in.name();
    if (in.refused()) return;
    for (int i = 0; i < kPillarCount; ++i) {
        const std::string record = record_name(i);
        int number = 0;
        Point3 p0, p1;
        pillars.header_line[i] = in.value_line(in.position());
        bool cut_short =
            in.read_record_number(number, record + "的记录头 \"#<数>:\"") == ScanResult::EndOfFile;
        if (!cut_short)
            cut_short = in.read_point(p0, record + "的点 P0 \"x,y,z\"") == ScanResult::EndOfFile;
        if (!cut_short)
            cut_short = in.read_point(p1, record + "的点 P1 \"x,y,z\"") == ScanResult::EndOfFile;
        // Named on the line where the record begins (or would begin).
        if (cut_short) {
            in.error(pillars.header_line[i], "文件在" + record + "的记录读完之前结束 (应有 " +
                                                 std::to_string(kPillarCount) +
                                                 " 根立柱的记录); 该文件无法使用.");
            return;
        }
        pillars.axis[i] = Segment(p0, p1);
        if (points_coincide(pillars.axis[i]))
            in.warn(pillars.header_line[i],
                    record + "的两点 P0 和 P1 重合, 轴线没有方向; 该立柱没有吃水.");
    }
}

}  // namespace

ReadResult read_pillars(const std::string& path, PillarAxes& pillars) {
    return read_scanned_file(path, [&](ScannedTextFile& in) { read_records(in, pillars); });
}

ReadResult read_pillars_bytes(const std::string& name, const std::string& bytes,
                              PillarAxes& pillars) {
    return read_scanned_bytes(name, bytes, [&](ScannedTextFile& in) { read_records(in, pillars); });
}

std::vector<std::string> draft_lines(const Plane& plane, const PillarAxes& pillars) {
    std::vector<std::string> lines;
    for (int i = 0; i < kPillarCount; ++i) {
        Point3 x;
        if (plane.intersect_segment(pillars.axis[i], x) == kCrossing)
            lines.push_back(std::to_string(i + 1) + "号立柱吃水=" + format_number(x.z));
    }
    return lines;
}

Diagnostics draft_warnings(const Plane& plane, const PillarAxes& pillars) {
    Diagnostics found;
    for (int i = 0; i < kPillarCount; ++i) {
        const Segment& s = pillars.axis[i];
        if (points_coincide(s)) continue;
        const std::string record = record_name(i);
        const int line = pillars.header_line[i];
        Point3 x;
        const int crossing = plane.intersect_segment(s, x);
        if (crossing == kParallelOff) {
            found.warn(pillars.file, line,
                       record + "的轴线与最终水面平行, 不与水面相交; 该立柱没有吃水.");
        } else if (crossing == kInPlane) {
            found.warn(pillars.file, line, record + "的轴线位于最终水面之内; 该立柱没有吃水.");
        } else {
            // The crossing's place along the axis, 0 at P0 and 1 at P1: the
            // plane's value at P0 over its change from P0 to P1.
            const Point3 d = difference(s.P0, s.P1);
            const double t =
                -plane.plane_value(s.P0) / ((plane.B * d.y + plane.A * d.x) + plane.C * d.z);
            if (t < -kSegmentEndTolerance || t > 1.0 + kSegmentEndTolerance)
                found.warn(pillars.file, line,
                           record + "的轴线与水面交于 P0 和 P1 之间的线段之外 (z=" +
                               format_number(x.z) + "); 其吃水取自轴线的延长线.");
        }
    }
    return found;
}

}  // namespace voxel
