#include "model/io/solid_blocks.h"

#include <cmath>
#include <cstring>
#include <string>

#include "kernel/hexahedron.h"
#include "kernel/platform/number_format.h"
#include "kernel/solid_shape.h"
#include "kernel/triangle_prism.h"

namespace voxel {

namespace {

struct KeywordLine {
    const char* text;  // the whole line, its line end included
    SolidKind kind;
    int vertices;  // vertex lines of the block (a cylinder's are P0 and P1)
};

const KeywordLine kKeywordLines[5] = {
    {"Tetrahedron\n", SolidKind::Tetrahedron, 4},     {"Hexahedron\n", SolidKind::Hexahedron, 8},
    {"TrianglePrism\n", SolidKind::TrianglePrism, 6}, {"Cylinder\n", SolidKind::Cylinder, 2},
    {"SurfaceMesh\n", SolidKind::SurfaceMesh, 1},
};

// One block being read: whether a read ran into the end of the file, and
// whether a value makes the block unusable.
class BlockReader {
  public:
    BlockReader(ScannedTextFile& in, SolidBlock& block) : in_(in), block_(block) {}

    std::string name() const {
        return std::string(keyword_of(block_.kind)) + " 块 (始于第 " + std::to_string(block_.line) +
               " 行)";
    }

    // `what` names the vertex ("顶点 V3"); the text is made only for a
    // message.
    template <class What>
    void vertex(int index, What what) {
        if (cut_short_ || ended_) return;
        note(in_.read_point(block_.vertex[index], [this, &what] {
            return name() + " 的" + std::string(what()) + " \"x,y,z\"";
        }));
    }

    // Returns the radius read, 0 when it did not convert.
    double radius(const char* what) {
        double r = 0.0;
        if (!cut_short_ && !ended_)
            note(in_.read_number("", r,
                                 [this, what] { return name() + " 的" + what + " (一个数)"; }));
        return r;
    }

    // The next line that is not blank, as a whole, its line end and the
    // blanks around it dropped: the path of a mesh file. "" when the file
    // ends first or a keyword line stands there.
    std::string text_line(const char* what) {
        if (cut_short_ || ended_) return "";
        in_.skip_blank_lines();
        if (in_.at_end() || in_.blank_from(in_.position())) {
            cut_short_ = true;
            return "";
        }
        if (at_keyword_line(in_)) {
            in_.error(in_.line(), "应为 " + name() + " 的" + what + ", 读到关键字行.");
            ended_ = true;
            unusable_ = true;
            return "";
        }
        std::string line = in_.read_line();
        const std::size_t first = line.find_first_not_of(" \t\r\n");
        const std::size_t last = line.find_last_not_of(" \t\r\n");
        return first == std::string::npos ? "" : line.substr(first, last + 1 - first);
    }

    void refuse(int line, const std::string& text) {
        in_.error(line, name() + text);
        unusable_ = true;
    }

    // Every value read, and every one finite.
    bool whole_and_finite() const { return !cut_short_ && !ended_ && !unusable_; }

    // True when the block is whole and usable; a block cut short by the end
    // of the file is an error here.
    bool finish() {
        if (cut_short_) in_.error(in_.line(), "文件在 " + name() + " 读完之前结束, 该块不完整.");
        return whole_and_finite();
    }

  private:
    void note(ScanResult r) {
        if (r == ScanResult::EndOfFile) cut_short_ = true;
        if (r == ScanResult::NotFinite) unusable_ = true;
        if (r == ScanResult::Unparsed) {
            unusable_ = true;
            // The line of the fault is passed over, unless it starts the
            // next block: this one then has lost its last lines.
            if (at_keyword_line(in_)) {
                in_.keep_line();
                ended_ = true;
            }
        }
    }

    ScannedTextFile& in_;
    SolidBlock& block_;
    bool cut_short_ = false;
    bool ended_ = false;  // a keyword line stood where a value was expected
    bool unusable_ = false;
};

std::string vertex_name(int i) {
    return "顶点 V" + std::to_string(i);
}

// A cylinder's rim is built on the unit vector of its axis, which must
// exist, and its sectors on a real circle.
void check_cylinder(BlockReader& reader, const SolidBlock& b, int radius_line) {
    const Point3 axis = difference(b.vertex[0], b.vertex[1]);
    const double len = length(axis);
    const Point3 unit{axis.x / len, axis.y / len, axis.z / len};
    if (!(std::isfinite(unit.x) && std::isfinite(unit.y) && std::isfinite(unit.z)))
        reader.refuse(b.line, " 的轴长为零或过短 (两端圆心重合或几乎重合), 无法确定轴的方向.");
    if (!(std::isfinite(b.radius) && b.radius > 0.0))
        reader.refuse(radius_line, " 的半径须为正的有限数, 读到 " + format_number(b.radius) + ".");
}

// The tetrahedra of a hexahedron or a prism must all turn one way (a solid
// mirrored as a whole is sound); a solid of no volume adds nothing.
void check_shape_of(BlockReader& reader, ScannedTextFile& in, const SolidBlock& b) {
    ShapeCheck check;
    const char* order = "";
    if (b.kind == SolidKind::Hexahedron) {
        Hexahedron hex;
        hex.set_vertices(b.vertex);
        check = check_shape(hex);
        order =
            "一个面的 V0 V1 V2 V3 沿面的周边依次排列, 对面的 V4 V5 V6 V7 与之同向依次排列, "
            "侧棱为 V0-V4, V1-V5, V2-V6, V3-V7";
    } else if (b.kind == SolidKind::TrianglePrism) {
        TrianglePrism prism;
        prism.set_vertices(b.vertex);
        check = check_shape(prism);
        order = "两个端面三角形 V0 V1 V2 与 V3 V4 V5, 侧棱为 V0-V3, V1-V4, V2-V5";
    } else {
        check = check_shape(TetraVertices{b.vertex[0], b.vertex[1], b.vertex[2], b.vertex[3]});
    }
    if (check.shape == SolidShape::Folded)
        reader.refuse(b.line,
                      " 的顶点次序使实体自身折叠: 分解出的四面体有的朝向与其余的相反 (体积 " +
                          format_number(check.positive) + " 与 " + format_number(check.negative) +
                          "), 它们不能拼成一个实体. 顶点的次序应为: " + order + ".");
    else if (check.shape == SolidShape::Flat)
        in.warn(b.line, reader.name() + " 的体积为 0 (实体是平的或退化的), 它不提供浮力.");
}

// The text with every blank removed and its letters in lower case.
std::string folded(const char* text) {
    std::string f;
    for (const char* c = text; *c; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\r' || *c == '\n' || *c == '\v' || *c == '\f')
            continue;
        f += (*c >= 'A' && *c <= 'Z') ? static_cast<char>(*c - 'A' + 'a') : *c;
    }
    return f;
}

// The keyword that a line (not a keyword line itself) resembles: equal to it
// once both are folded ("hexahedron", "Hexahedron " with a trailing blank).
// nullptr when it resembles none.
const KeywordLine* resembled_keyword(const char* line) {
    const std::string f = folded(line);
    for (const KeywordLine& k : kKeywordLines)
        if (f == folded(k.text)) return &k;
    return nullptr;
}

// The line as the message quotes it: its line end dropped.
std::string quoted_line(const char* line) {
    std::string s(line);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return "\"" + s + "\"";
}

}  // namespace

bool at_keyword_line(const ScannedTextFile& in) {
    const std::string& text = in.text();
    const std::size_t at = static_cast<std::size_t>(in.position());
    const std::size_t end = text.find('\n', at);
    const std::string line =
        text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
    for (const KeywordLine& k : kKeywordLines)
        if (line == k.text) return true;
    return resembled_keyword(line.c_str()) != nullptr;
}

KeywordLineCounts count_keyword_lines(const std::string& text) {
    KeywordLineCounts counts;
    for (const KeywordLine& k : kKeywordLines)
        for (std::size_t at = text.find(k.text); at != std::string::npos;
             at = text.find(k.text, at + 1))
            ++counts.of[static_cast<int>(k.kind)];
    return counts;
}

int vertex_lines(SolidKind kind) {
    for (const KeywordLine& k : kKeywordLines)
        if (k.kind == kind) return k.vertices;
    return 0;
}

const char* keyword_of(SolidKind kind) {
    switch (kind) {
        case SolidKind::Tetrahedron:
            return "Tetrahedron";
        case SolidKind::Hexahedron:
            return "Hexahedron";
        case SolidKind::TrianglePrism:
            return "TrianglePrism";
        case SolidKind::Cylinder:
            return "Cylinder";
        case SolidKind::SurfaceMesh:
            return "SurfaceMesh";
    }
    return "";
}

void read_solid_blocks(ScannedTextFile& in, const std::function<void(const SolidBlock&)>& sink) {
    char piece[kLinePieceBytes + 1];
    const int first_line = in.line();
    int delivered = 0;
    // The readers of the key lines before the blocks stop at a line start.
    bool starts_line = true;
    while (!in.at_end()) {
        const int line = in.line();
        if (!in.read_piece(piece, sizeof piece)) break;
        const std::size_t length = std::strlen(piece);
        const bool ends_line = (length > 0 && piece[length - 1] == '\n') || in.at_end();
        const bool whole_line = starts_line && ends_line;
        starts_line = length > 0 && piece[length - 1] == '\n';
        const KeywordLine* keyword = nullptr;
        for (const KeywordLine& k : kKeywordLines)
            if (std::strcmp(piece, k.text) == 0) keyword = &k;
        if (!keyword) {
            // Not a keyword, and its block is passed over as any other line;
            // one that differs only by case or blanks was meant as one.
            if (whole_line) {
                if (const KeywordLine* like = resembled_keyword(piece))
                    in.warn(line, quoted_line(piece) + " 不是关键字 (与 " + keyword_of(like->kind) +
                                      " 只差大小写或空白; 关键字须单独成行, 逐字节相同), "
                                      "其后的块被跳过.");
            }
            continue;
        }

        SolidBlock block;
        block.kind = keyword->kind;
        block.line = line;
        BlockReader reader(in, block);
        if (block.kind == SolidKind::SurfaceMesh) {
            // The path, the scale, the offset.
            block.mesh_path = reader.text_line("网格文件路径");
            const int scale_line = in.value_line(in.position());
            block.scale = reader.radius("比例因子");
            reader.vertex(0, [] { return "偏移"; });
            if (reader.whole_and_finite() && !(std::isfinite(block.scale) && block.scale > 0.0))
                reader.refuse(scale_line, " 的比例因子须为正的有限数, 读到 " +
                                              format_number(block.scale) + ".");
        } else if (block.kind == SolidKind::Cylinder) {
            // P0, r, P1, r2: the cylinder takes the first radius.
            reader.vertex(0, [] { return "端面圆心 P0"; });
            const int radius_line = in.value_line(in.position());
            block.radius = reader.radius("半径 r");
            reader.vertex(1, [] { return "端面圆心 P1"; });
            const int second_radius_line = in.value_line(in.position());
            const double r2 = reader.radius("第二个半径 r2");
            if (reader.whole_and_finite()) {
                check_cylinder(reader, block, radius_line);
                if (r2 != block.radius)
                    in.warn(
                        second_radius_line,
                        reader.name() + " 的第二个半径 r2=" + format_number(r2) +
                            " 与 r=" + format_number(block.radius) +
                            " 不同; r2 不被使用: 实体是半径为 r 的圆柱 (圆锥与圆台不在模型之内).");
            }
        } else {
            for (int i = 0; i < keyword->vertices; ++i)
                reader.vertex(i, [i] { return vertex_name(i); });
            if (reader.whole_and_finite()) check_shape_of(reader, in, block);
        }
        if (reader.finish()) {
            sink(block);
            ++delivered;
        }
    }
    // A body of no solid has no volume: every result would be empty or 0/0.
    if (delivered == 0 && !in.diagnostics().has_errors())
        in.error(
            first_line,
            "从此行起文件中没有可用的实体块 (Tetrahedron, Hexahedron, TrianglePrism, Cylinder, "
            "SurfaceMesh), "
            "浮体为空; 无法计算.");
}

}  // namespace voxel
