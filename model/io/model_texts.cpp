#include "model/io/model_texts.h"

#include "kernel/platform/number_format.h"

namespace voxel {

namespace {

std::string point_line(const Point3& p) {
    return exact_number(p.x) + "," + exact_number(p.y) + "," + exact_number(p.z) + "\n";
}

std::string key_line(const char* key, double value) {
    return std::string(key) + exact_number(value) + "\n";
}

// A remark starts with '#', so the readers can never take it for a keyword
// line and pass over it.
std::string remark_line(const std::string& remark) {
    return "# " + remark + "\n";
}

std::string blocks(const std::vector<SolidBlock>& solids) {
    std::string text;
    for (const SolidBlock& s : solids) {
        text += keyword_of(s.kind);
        text += "\n";
        for (int i = 0; i < vertex_lines(s.kind); ++i) text += point_line(s.vertex[i]);
    }
    return text;
}

}  // namespace

std::string exact_number(double v) {
    return format_shortest(v == 0.0 ? 0.0 : v);  // never "-0"
}

std::string ship_file_text(const HullParticulars& h, const std::vector<SolidBlock>& solids,
                           const std::string& remark) {
    return key_line("Loa=", h.Loa) + key_line("Lpp=", h.Lpp) + key_line("B=", h.B) +
           key_line("D=", h.D) + key_line("VD=", h.below.V) + key_line("Gra_Pt.x=", h.G.x) +
           key_line("Gra_Pt.y=", h.G.y) + key_line("Gra_Pt.z=", h.G.z) +
           key_line("W_Den=", h.density) + key_line("C1=", h.c1) + remark_line(remark) +
           blocks(solids);
}

std::string format2_text(const HullParticulars& h, const std::vector<SolidBlock>& solids,
                         const std::string& remark) {
    return key_line("Volume of Displacement=", h.below.V) + key_line("Gra_Pt.x=", h.G.x) +
           key_line("Gra_Pt.y=", h.G.y) + key_line("Gra_Pt.z=", h.G.z) + remark_line(remark) +
           blocks(solids);
}

std::string pillars_text(const HullParticulars& h) {
    const double half = 0.5 * h.B;
    const Point3 foot[4] = {{h.x_aft, 0.0, h.z_bottom},
                            {h.x_fore, 0.0, h.z_bottom},
                            {h.x_mid(), half, h.z_bottom},
                            {h.x_mid(), -half, h.z_bottom}};
    std::string text;
    for (int i = 0; i < 4; ++i) {
        Point3 top = foot[i];
        top.z = h.z_top;
        text += "#" + std::to_string(i + 1) + ":\n" + point_line(foot[i]) + point_line(top);
    }
    return text;
}

}  // namespace voxel
