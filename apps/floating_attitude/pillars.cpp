#include "apps/floating_attitude/pillars.h"

#include "kernel/platform/number_format.h"
#include "model/scanned_text_file.h"

namespace voxel {

namespace {

void read_records(ScannedTextFile& in, PillarAxes& pillars) {
    if (in.refused()) {
        for (bool& present : pillars.present) present = false;
        return;
    }
    for (int i = 0; i < kPillarCount; ++i) {
        const std::string record = "第 " + std::to_string(i + 1) + " 根立柱";
        int number = 0;
        Point3 p0, p1;
        bool cut_short =
            in.read_record_number(number, record + "的记录头 \"#<数>:\"") == ScanResult::EndOfFile;
        if (!cut_short)
            cut_short = in.read_point(p0, record + "的点 P0 \"x,y,z\"") == ScanResult::EndOfFile;
        if (!cut_short)
            cut_short = in.read_point(p1, record + "的点 P1 \"x,y,z\"") == ScanResult::EndOfFile;
        pillars.axis[i] = Segment(p0, p1);
        pillars.present[i] = !cut_short;
        if (cut_short)
            in.warn(in.line(), "文件在" + record + "的记录读完之前结束; 该立柱没有吃水.");
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
        if (!pillars.present[i]) continue;
        Point3 x;
        if (plane.intersect_segment(pillars.axis[i], x) == kCrossing)
            lines.push_back(std::to_string(i + 1) + "号立柱吃水=" + format_number(x.z));
    }
    return lines;
}

}  // namespace voxel
