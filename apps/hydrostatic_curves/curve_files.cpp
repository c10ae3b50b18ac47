#include "apps/hydrostatic_curves/curve_files.h"

#include "apps/hydrostatic_curves/hydrostatic_sheet.h"
#include "apps/hydrostatic_curves/table_csv.h"
#include "kernel/platform/console.h"
#include "kernel/platform/file_replace.h"

namespace voxel {

namespace {

void write(const std::string& folder, const char* name, const std::string& text) {
    const std::string path = folder.empty() ? std::string(name) : folder + "/" + name;
    if (!replace_file_contents(path, text))
        diagnostic_line(std::string("hydrostatic_curves: 无法写入文件 ") + path +
                        ", 其余结果照常写出.");
}

}  // namespace

void write_curve_files(const std::string& folder, const std::string& model_path,
                       const HydroTable& table) {
    write(folder, kTableCsvFileName, hydrostatic_table_csv(table));
    write(folder, kTableChartFileName, hydrostatic_sheet_svg(table, model_path));
}

}  // namespace voxel
