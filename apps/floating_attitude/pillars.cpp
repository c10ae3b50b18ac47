#include "apps/floating_attitude/pillars.h"

#include <cstdlib>

#include "kernel/platform/console.h"
#include "kernel/platform/number_format.h"
#include "model/scanned_text_file.h"

namespace voxel {

bool load_pillars(const char* path, PillarAxes& pillars) {
    ScannedTextFile in;
    if (!in.open(path)) return false;
    for (int i = 0; i < kPillarCount; ++i) {
        const std::string record = "pillar record " + std::to_string(i + 1);
        int number = 0;
        Point3 p0, p1;
        bool cut_short = in.read_record_number(number, "\"#<number>:\" heading " + record) ==
                         ScanResult::EndOfFile;
        if (!cut_short)
            cut_short =
                in.read_point(p0, "point P0 \"x,y,z\" of " + record) == ScanResult::EndOfFile;
        if (!cut_short)
            cut_short =
                in.read_point(p1, "point P1 \"x,y,z\" of " + record) == ScanResult::EndOfFile;
        pillars.axis[i] = Segment(p0, p1);
        pillars.present[i] = !cut_short;
        if (cut_short)
            in.warn(in.line(),
                    "the file ends before " + record + " is complete; that pillar gets no draft");
    }
    return true;
}

void read_pillars(const char* path, PillarAxes& pillars) {
    if (load_pillars(path, pillars)) return;
    console_line("Pillar file read error! ");
    wait_for_key();
    std::exit(1);
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
