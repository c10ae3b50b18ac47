#include "apps/hull_from_offsets/hull_files.h"

#include "apps/hull_from_offsets/hull_cells.h"
#include "apps/hull_from_offsets/hull_summary.h"
#include "apps/hull_from_offsets/model_texts.h"
#include "apps/hull_from_offsets/offset_table_reader.h"
#include "kernel/platform/number_format.h"

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

    const std::vector<SolidBlock> solids = hull_solids(table);
    const std::vector<TetraVertices> tets = hull_tetrahedra(solids);
    const HullParticulars h = hull_particulars(table, tets, settings);
    if (!(h.below.V > 0.0)) {
        const TableError e{
            read.header_line, read.waterline_columns.front(),
            "吃水 T=" + format_number(T) + " m 以下应有船体, 但此处以下各站的半宽全为 0"};
        out.error = table_error_message(file_name, e);
        return out;
    }

    const std::string note = remark(h);
    out.files = {{"ship.txt", ship_file_text(h, solids, note)},
                 {"model.txt", format2_text(h, solids, note)},
                 {"FourPillars.txt", pillars_text(h)}};
    out.summary = summary_lines(h, solids, tets.size());
    return out;
}

}  // namespace voxel
