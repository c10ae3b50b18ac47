#include "model/io/hull_summary.h"

#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

std::string n(double v) {
    return format_number(v);
}

int count_of(const std::vector<SolidBlock>& solids, SolidKind kind) {
    int c = 0;
    for (const SolidBlock& s : solids) c += s.kind == kind ? 1 : 0;
    return c;
}

}  // namespace

std::vector<std::string> summary_lines(const HullParticulars& h,
                                       const std::vector<SolidBlock>& solids,
                                       std::size_t tetrahedra) {
    std::vector<std::string> lines;
    lines.push_back("型值表: " + std::to_string(h.stations) + " 个站 x " +
                    std::to_string(h.waterlines) + " 条水线, 站位 x 从 " + n(h.x_aft) + " 到 " +
                    n(h.x_fore) + " m, 水线 z 从 " + n(h.z_bottom) + " 到 " + n(h.z_top) + " m");
    lines.push_back("主尺度: Loa=" + n(h.Loa) + " m, Lpp=" + n(h.Lpp) + " m, B=" + n(h.B) +
                    " m, D=" + n(h.D) + " m");
    lines.push_back("吃水 T=" + n(h.draft) + " m: 排水体积 V=" + n(h.below.V) +
                    " m^3 (ship.txt 的 VD, model.txt 的 Volume of Displacement), 排水量=" +
                    n(h.displacement()) + " t (W_Den=" + n(h.density) +
                    " t/m^3; 计入 C1=" + n(h.c1) + " 为 " + n(h.c1 * h.displacement()) + " t)");
    lines.push_back("方形系数 CB=V/(Lpp*B*T)=" + n(h.block_coefficient()));
    // The hull is symmetric about y = 0; the centre's y is rounding noise.
    lines.push_back("浮心 x=" + n(h.below.centre.x) + " m, z=" + n(h.below.centre.z) +
                    " m; 重心 Gra_Pt=(" + n(h.G.x) + " , " + n(h.G.y) + " , " + n(h.G.z) + ") m");
    lines.push_back("实体 " + std::to_string(solids.size()) + " 个: 六面体 " +
                    std::to_string(count_of(solids, SolidKind::Hexahedron)) + ", 三棱柱 " +
                    std::to_string(count_of(solids, SolidKind::TrianglePrism)) + ", 四面体 " +
                    std::to_string(count_of(solids, SolidKind::Tetrahedron)) + "; 共切分为 " +
                    std::to_string(tetrahedra) + " 个四面体");
    if (h.x_aft != 0.0)
        lines.push_back("注意: 首站不在 x=0 处; hydrostatic_curves 以 x=Lpp/2=" + n(0.5 * h.Lpp) +
                        " m 为舯站, 而本表的舯站在 x=" + n(h.x_mid()) + " m");
    return lines;
}

}  // namespace voxel
