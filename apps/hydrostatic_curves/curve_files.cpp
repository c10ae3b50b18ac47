#include "apps/hydrostatic_curves/curve_files.h"

#include "frame/console_frame.h"
#include "report/hydrostatic_sheet.h"
#include "report/table_csv.h"

namespace voxel {

void write_curve_files(const std::string& folder, const std::string& model_path,
                       const HydroTable& table) {
    write_side_file("hydrostatic_curves", folder, kTableCsvFileName, hydrostatic_table_csv(table));
    write_side_file("hydrostatic_curves", folder, kTableChartFileName,
                    hydrostatic_sheet_svg(table, model_path));
}

}  // namespace voxel
