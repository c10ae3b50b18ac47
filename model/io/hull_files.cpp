#include "model/io/hull_files.h"

#include <cmath>

#include "kernel/platform/number_format.h"
#include "model/io/hull_cells.h"
#include "model/io/hull_summary.h"
#include "model/io/model_texts.h"
#include "model/io/offset_table_reader.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

std::string remark(const HullParticulars& h) {
    return "hull from a table of offsets, " + std::to_string(h.stations) + " stations x " +
           std::to_string(h.waterlines) + " waterlines, draft " + exact_number(h.draft) +
           " m (hull_from_offsets)";
}

}  // namespace

HullFiles build_hull_files(std::string_view csv_text, const std::string& file_name,
                           const HullSettings& settings) {
    HullFiles out;
    const OffsetTableRead read = read_offset_table(csv_text);
    if (!read.ok) {
        out.error = table_error_message(file_name, read.error);
        return out;
    }
    const OffsetTable& table = read.table;
    const double T = settings.draft;
    if (!(T > table.z.front() && T < table.z.back())) {
        const bool low = !(T > table.z.front());
        const TableError e{
            read.header_line, low ? read.waterline_columns.front() : read.waterline_columns.back(),
            "吃水 T=" + format_number(T) + " m 应在最低水线 " + format_number(table.z.front()) +
                " m 与最高水线 " + format_number(table.z.back()) + " m 之间 (不含两端)"};
        out.error = table_error_message(file_name, e);
        return out;
    }
    // G must lie within the hull's extent: KG not below its lowest waterline
    // nor above its highest, LCG not before its first station nor after its
    // last.
    const double kg = settings.kg;
    if (!(kg >= table.z.front() && kg <= table.z.back())) {
        const bool low = !(kg >= table.z.front());
        const TableError e{read.header_line,
                           low ? read.waterline_columns.front() : read.waterline_columns.back(),
                           "重心高度 --kg " + format_number(kg) + " m 应在最低水线 " +
                               format_number(table.z.front()) + " m 与最高水线 " +
                               format_number(table.z.back()) + " m 之间 (含两端)"};
        out.error = table_error_message(file_name, e);
        return out;
    }
    if (settings.lcg) {
        const double lcg = *settings.lcg;
        if (!(lcg >= table.x.front() && lcg <= table.x.back())) {
            const bool aft = !(lcg >= table.x.front());
            const TableError e{aft ? read.first_station_line : read.last_station_line,
                               aft ? read.first_station_column : read.last_station_column,
                               "重心纵向位置 --lcg " + format_number(lcg) +
                                   " m 应在首站 x=" + format_number(table.x.front()) +
                                   " m 与末站 x=" + format_number(table.x.back()) +
                                   " m 之间 (含两端)"};
            out.error = table_error_message(file_name, e);
            return out;
        }
    }

    const std::vector<SolidBlock> solids = hull_solids(table);
    const Body hull = hull_body(solids);
    const HullParticulars h = hull_particulars(table, hull, settings);
    if (!(h.below.V > 0.0)) {
        const TableError e{
            read.header_line, read.waterline_columns.front(),
            "吃水 T=" + format_number(T) + " m 以下应有船体, 但此处以下各站的半宽全为 0"};
        out.error = table_error_message(file_name, e);
        return out;
    }
    // Every number of the table is within the readers' bound, but the
    // breadth, the length and the volume made of them may not be.
    const struct {
        const char* name;
        double value;
    } derived[] = {{"型宽 B (最大半宽的两倍)", h.B},
                   {"垂线间长 Lpp (首站到末站)", h.Lpp},
                   {"吃水以下的排水体积 V", h.below.V}};
    for (const auto& d : derived) {
        if (std::fabs(d.value) <= kLargestInputMagnitude) continue;
        out.error = file_name + ": 错误: " + d.name + " = " + format_number(d.value) +
                    " 的绝对值超过 1e100, 模型文件的读取程序将拒绝它; 该表无法使用.";
        return out;
    }

    const std::string note = remark(h);
    out.files = {{"ship.txt", ship_file_text(h, solids, note)},
                 {"model.txt", format2_text(h, solids, note)},
                 {"FourPillars.txt", pillars_text(h)}};
    out.summary = summary_lines(h, solids, hull.tetrahedron_count());
    return out;
}

}  // namespace voxel
