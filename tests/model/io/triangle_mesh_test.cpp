#include "model/io/triangle_mesh.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

using testing_support::ScratchDir;
using voxel::MeshFormat;
using voxel::MeshReadResult;
using voxel::Point3;
using voxel::TriangleMesh;

namespace {

using Triangle = std::array<Point3, 3>;
using Quad = std::array<Point3, 4>;

// The six faces of the box from `lo` with edge `side`, each counter-clockwise
// seen from outside (clockwise when `inward`). Corner i is lo + side * (i&1,
// i>>1&1, i>>2&1).
std::vector<Quad> cube_quads(const Point3& lo, double side, bool inward = false) {
    const auto corner = [&](int i) {
        return Point3{lo.x + side * (i & 1), lo.y + side * (i >> 1 & 1),
                      lo.z + side * (i >> 2 & 1)};
    };
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    std::vector<Quad> quads;
    for (const auto& f : faces) {
        Quad q = {corner(f[0]), corner(f[1]), corner(f[2]), corner(f[3])};
        if (inward) std::swap(q[1], q[3]);
        quads.push_back(q);
    }
    return quads;
}

// Each quad as the fan (a,b,c), (a,c,d).
std::vector<Triangle> fanned(const std::vector<Quad>& quads) {
    std::vector<Triangle> t;
    for (const Quad& q : quads) {
        t.push_back({q[0], q[1], q[2]});
        t.push_back({q[0], q[2], q[3]});
    }
    return t;
}

std::vector<Triangle> cube(const Point3& lo = {0, 0, 0}, double side = 1, bool inward = false) {
    return fanned(cube_quads(lo, side, inward));
}

void put_u32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xff));
}

void put_float(std::string& s, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    put_u32(s, bits);
}

std::string binary_stl(const std::vector<Triangle>& t, const std::string& header = "") {
    std::string s = header;
    s.resize(80, ' ');
    put_u32(s, static_cast<std::uint32_t>(t.size()));
    for (const Triangle& tri : t) {
        for (int i = 0; i < 3; ++i) put_float(s, 0.0f);
        for (const Point3& p : tri) {
            put_float(s, static_cast<float>(p.x));
            put_float(s, static_cast<float>(p.y));
            put_float(s, static_cast<float>(p.z));
        }
        s += std::string(2, '\0');
    }
    return s;
}

std::string ascii_stl(const std::vector<Triangle>& t) {
    std::ostringstream s;
    s.precision(17);
    s << "solid cube\n";
    for (const Triangle& tri : t) {
        s << "  facet normal 0 0 0\n    outer loop\n";
        for (const Point3& p : tri) s << "      vertex " << p.x << ' ' << p.y << ' ' << p.z << '\n';
        s << "    endloop\n  endfacet\n";
    }
    s << "endsolid cube\n";
    return s.str();
}

// The quads as OBJ polygons, each with its own four "v" lines (shared by
// their coordinates only).
std::string obj(const std::vector<Quad>& quads) {
    std::ostringstream s;
    s.precision(17);
    s << "# box\no box\n";
    int n = 0;
    for (const Quad& q : quads) {
        for (const Point3& p : q) s << "v " << p.x << ' ' << p.y << ' ' << p.z << '\n';
        s << "vn 0 0 1\nf " << n + 1 << ' ' << n + 2 << ' ' << n + 3 << ' ' << n + 4 << '\n';
        n += 4;
    }
    return s.str();
}

MeshReadResult read(const std::string& bytes, double scale = 1, const Point3& offset = {}) {
    return voxel::read_triangle_mesh_bytes("hull.stl", bytes, scale, offset);
}

std::string messages(const MeshReadResult& r) {
    std::string all;
    for (const std::string& line : r.diagnostics.lines()) all += line + "\n";
    return all;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

bool same_point(const Point3& a, const Point3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

TEST(TriangleMesh, CubeReadsAlikeFromBinaryStlAsciiStlAndObj) {
    const MeshReadResult from[3] = {read(binary_stl(cube())), read(ascii_stl(cube())),
                                    read(obj(cube_quads({0, 0, 0}, 1)))};
    const MeshFormat formats[3] = {MeshFormat::BinaryStl, MeshFormat::AsciiStl, MeshFormat::Obj};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const MeshReadResult& r = from[i];
        EXPECT_TRUE(r.opened);
        EXPECT_EQ(r.format, formats[i]);
        EXPECT_TRUE(r.diagnostics.empty()) << messages(r);
        ASSERT_EQ(r.mesh.vertices.size(), 8u);
        ASSERT_EQ(r.mesh.facets.size(), 12u);
        ASSERT_EQ(r.mesh.sources.size(), 12u);
        EXPECT_EQ(voxel::signed_volume(r.mesh), 1.0);
        const Point3 c = voxel::box_centre(r.mesh);
        EXPECT_TRUE(same_point(c, {0.5, 0.5, 0.5}));
        for (std::size_t v = 0; v < 8; ++v)
            EXPECT_TRUE(same_point(r.mesh.vertices[v], from[0].mesh.vertices[v]));
        EXPECT_EQ(r.mesh.facets, from[0].mesh.facets);
    }
    // Facet numbers; lines in text: the ASCII STL's facets take 7 lines after
    // "solid", the OBJ's quads 6 lines after two of comment and name.
    EXPECT_EQ(from[0].mesh.sources[11].facet, 12);
    EXPECT_EQ(from[0].mesh.sources[11].line, 0);
    EXPECT_EQ(from[1].mesh.sources[11].line, 2 + 7 * 11);
    EXPECT_EQ(from[2].mesh.sources[10].line, 3 + 6 * 5 + 5);
    EXPECT_EQ(from[2].mesh.sources[11].line, from[2].mesh.sources[10].line);
}

TEST(TriangleMesh, FormatIsToldFromTheContent) {
    // A binary header that starts with "solid" is binary by its size.
    EXPECT_EQ(read(binary_stl(cube(), "solid made by a CAD program")).format,
              MeshFormat::BinaryStl);
    // Keywords in any case, words parted by any white space, CR LF lines.
    std::string text = ascii_stl(cube());
    for (std::size_t at = text.find("vertex"); at != std::string::npos;
         at = text.find("vertex", at))
        text.replace(at, 6, "VeRtEx\t");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const MeshReadResult r = read("SOLID x\r\n" + crlf.substr(crlf.find('\n') + 1));
    EXPECT_EQ(r.format, MeshFormat::AsciiStl);
    EXPECT_TRUE(r.diagnostics.empty()) << messages(r);
    EXPECT_EQ(voxel::signed_volume(r.mesh), 1.0);
}

TEST(TriangleMesh, CoordinatesAreScaledThenOffset) {
    const Point3 offset = {10, 0, -1};
    const MeshReadResult r = read(ascii_stl(cube({0.1, 0, 0}, 1)), 2, offset);
    ASSERT_FALSE(r.diagnostics.has_errors()) << messages(r);
    EXPECT_DOUBLE_EQ(voxel::signed_volume(r.mesh), 8.0);
    // The first corner read is (0.1, 0, 0): x' = 0.1 * 2 + 10, in that order.
    EXPECT_EQ(r.mesh.vertices[0].x, 0.1 * 2 + 10);
    EXPECT_EQ(r.mesh.vertices[0].z, -1.0);
    const Point3 c = voxel::box_centre(r.mesh);
    EXPECT_DOUBLE_EQ(c.x, 11.2);
    EXPECT_EQ(c.y, 1.0);
    EXPECT_EQ(c.z, 0.0);

    EXPECT_NE(messages(read(obj(cube_quads({0, 0, 0}, 1)), 0)).find("缩放系数"), std::string::npos);
    EXPECT_TRUE(read(obj(cube_quads({0, 0, 0}, 1)), -1).diagnostics.has_errors());
    EXPECT_TRUE(read(obj(cube_quads({0, 0, 0}, 1)), std::numeric_limits<double>::infinity())
                    .diagnostics.has_errors());
    // 1e60 scaled by 1e50 is beyond 1e100.
    const MeshReadResult big = read(obj(cube_quads({0, 0, 0}, 1e60)), 1e50);
    EXPECT_NE(messages(big).find("超过 1e100"), std::string::npos) << messages(big);
}

TEST(TriangleMesh, ObjCornersCountBackwardsAndTakeTheFirstNumberOfSlashForms) {
    const std::string v =
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nv 0 0 1\nv 1 0 1\nv 0 1 1\nv 1 1 1\n";
    const std::string forward =
        v + "f 1 3 4 2\nf 5 6 8 7\nf 1 2 6 5\nf 3 7 8 4\nf 1 5 7 3\nf 2 4 8 6\n";
    // -8 is vertex 1, -1 vertex 8; a/b/c and a//c forms.
    const std::string backward =
        v +
        "vt 0 0\nf -8/1 -6/1 -5/1 -7/1\nf -4//2 -3//2 -1//2 -2//2\nf -8/1/1 -7 -3 -4\n"
        "f -6 -2 -1 -5\nf -8 -4 -2 -6\nf -7 -5 -1 -3\n";
    const MeshReadResult a = read(forward), b = read(backward);
    ASSERT_TRUE(a.diagnostics.empty()) << messages(a);
    ASSERT_TRUE(b.diagnostics.empty()) << messages(b);
    EXPECT_EQ(a.mesh.facets, b.mesh.facets);
    EXPECT_EQ(voxel::signed_volume(b.mesh), 1.0);

    const MeshReadResult bad = read(v + "f 1 2 9\nf 1 0 2\nf 1 -9 2\nf 1 x 2\n");
    const std::string m = messages(bad);
    EXPECT_EQ(count_of(m, "不指向已读的顶点"), 4u) << m;
    EXPECT_NE(m.find("hull.stl:9: 错误"), std::string::npos) << m;
    EXPECT_NE(m.find("hull.stl:12: 错误"), std::string::npos) << m;
}

TEST(TriangleMesh, InvertedMeshIsTurnedOutwardWithAWarning) {
    const MeshReadResult r = read(binary_stl(cube({0, 0, 0}, 1, true)));
    EXPECT_FALSE(r.diagnostics.has_errors()) << messages(r);
    EXPECT_NE(messages(r).find("警告: 网格的面朝向内侧 (有向体积为 -1)"), std::string::npos)
        << messages(r);
    EXPECT_EQ(voxel::signed_volume(r.mesh), 1.0);
}

TEST(TriangleMesh, ShellsAddUpAndAVoidIsAnInwardShell) {
    std::vector<Triangle> two = cube();
    for (const Triangle& t : cube({3, 0, 0})) two.push_back(t);
    const MeshReadResult r2 = read(binary_stl(two));
    EXPECT_TRUE(r2.diagnostics.empty()) << messages(r2);
    EXPECT_EQ(r2.mesh.vertices.size(), 16u);
    EXPECT_EQ(voxel::signed_volume(r2.mesh), 2.0);

    // Outer cube of edge 2 (8 m³) with a void of edge 1 inside: 7/8 of the outer.
    std::vector<Triangle> hollow = cube({0, 0, 0}, 2);
    for (const Triangle& t : cube({0.5, 0.5, 0.5}, 1, true)) hollow.push_back(t);
    const MeshReadResult h = read(ascii_stl(hollow));
    EXPECT_TRUE(h.diagnostics.empty()) << messages(h);
    EXPECT_EQ(voxel::signed_volume(h.mesh), 7.0);
    // Both turned the other way: inverted as a whole, turned back.
    std::vector<Triangle> inverted = cube({0, 0, 0}, 2, true);
    for (const Triangle& t : cube({0.5, 0.5, 0.5}, 1)) inverted.push_back(t);
    const MeshReadResult i = read(ascii_stl(inverted));
    EXPECT_FALSE(i.diagnostics.has_errors()) << messages(i);
    EXPECT_EQ(voxel::signed_volume(i.mesh), 7.0);
}

TEST(TriangleMesh, OpenFinnedAndMisorientedMeshesAreRefused) {
    std::vector<Triangle> open = cube();
    open.pop_back();  // the triangle's three edges keep one facet each
    const std::string o = messages(read(binary_stl(open)));
    EXPECT_NE(o.find("hull.stl:1: 错误: 网格不封闭: 有 3 条边只属于一个面"), std::string::npos)
        << o;

    // A fin on the edge (0,0,0)-(1,0,0): three facets on it, and the fin's
    // two other edges open.
    std::vector<Triangle> fin = cube();
    fin.push_back({Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{0.5, -1, 0}});
    const std::string f = messages(read(ascii_stl(fin)));
    EXPECT_EQ(count_of(f, "网格不是流形"), 1u) << f;
    EXPECT_NE(f.find("属于 3 个面"), std::string::npos) << f;
    EXPECT_NE(f.find("有 2 条边只属于一个面"), std::string::npos) << f;
    EXPECT_NE(f.find("hull.stl:86: 错误"), std::string::npos) << f;  // line of the fin's "facet"

    // One facet turned: its three edges run as its neighbours' do.
    std::vector<Triangle> flipped = cube();
    std::swap(flipped[4][1], flipped[4][2]);
    const MeshReadResult r = read(ascii_stl(flipped));
    EXPECT_EQ(count_of(messages(r), "面的朝向不一致"), 3u) << messages(r);

    // Four such cubes: 12 faults, 10 listed and the rest counted.
    std::vector<Triangle> four;
    for (int k = 0; k < 4; ++k)
        for (const Triangle& t : cube({3.0 * k, 0, 0})) four.push_back(t);
    for (int k = 0; k < 4; ++k) std::swap(four[12 * k + 4][1], four[12 * k + 4][2]);
    const std::string m = messages(read(binary_stl(four)));
    EXPECT_EQ(count_of(m, "面的朝向不一致"), 10u) << m;
    EXPECT_NE(m.find("另有 2 处朝向不一致的面未列出 (共 12 处)"), std::string::npos) << m;
}

TEST(TriangleMesh, VerticesAreOneOnlyForTheSameCoordinates) {
    // -0.0 and 0.0 are one point: the cube stays closed.
    std::string text = ascii_stl(cube());
    const std::size_t at = text.rfind("vertex 0 0 0");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 12, "vertex -0 0.0e0 -0.");
    const MeshReadResult same = read(text);
    EXPECT_TRUE(same.diagnostics.empty()) << messages(same);
    EXPECT_EQ(same.mesh.vertices.size(), 8u);

    // One ulp apart: two points, so the mesh is open there.
    std::vector<Triangle> near = cube();
    near[11][0].x = std::nextafter(near[11][0].x, 2.0);
    const MeshReadResult apart = read(ascii_stl(near));
    EXPECT_EQ(apart.mesh.vertices.size(), 9u);
    EXPECT_NE(messages(apart).find("网格不封闭"), std::string::npos) << messages(apart);
}

TEST(TriangleMesh, FacetsOfZeroAreaArePassedOverWithAWarning) {
    std::vector<Triangle> t = cube();
    t.push_back({Point3{0, 0, 0}, Point3{0, 0, 0}, Point3{1, 0, 0}});    // two corners alike
    t.push_back({Point3{0, 0, 0}, Point3{0.5, 0, 0}, Point3{1, 0, 0}});  // on one line
    const MeshReadResult r = read(binary_stl(t));
    EXPECT_FALSE(r.diagnostics.has_errors()) << messages(r);
    EXPECT_NE(messages(r).find("有 2 个面积为 0 的面"), std::string::npos) << messages(r);
    EXPECT_EQ(r.mesh.facets.size(), 12u);
    EXPECT_EQ(voxel::signed_volume(r.mesh), 1.0);
}

TEST(TriangleMesh, BadNumbersAndEmptyFilesAreErrorsWithTheirLines) {
    std::string text = ascii_stl(cube());
    const std::size_t at = text.find("vertex 1 1 0");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 12, "vertex 1 nan 0");
    const std::string n = messages(read(text));
    EXPECT_NE(n.find("hull.stl:6: 错误: 第 1 个面的角点的坐标 (1, nan, 0) 不是有限数"),
              std::string::npos)
        << n;

    std::string garbled = ascii_stl(cube());
    garbled.replace(garbled.find("endloop"), 7, "endlop");
    const std::string g = messages(read(garbled));
    EXPECT_NE(g.find("hull.stl:7: 错误: 应为 endloop, 读到 \"endlop\""), std::string::npos) << g;

    EXPECT_NE(messages(read("")).find("hull.stl:1: 错误: 网格文件中没有面"), std::string::npos);
    EXPECT_TRUE(read("solid empty\nendsolid empty\n").diagnostics.has_errors());
    EXPECT_TRUE(read(std::string(84, '\0')).diagnostics.has_errors());  // binary, no facets
    // Not text, and not of a binary STL's size.
    const std::string cut = binary_stl(cube()).substr(0, 500);
    EXPECT_NE(messages(read(cut)).find("也不是二进制 STL"), std::string::npos)
        << messages(read(cut));
}

TEST(TriangleMesh, PathsThatAreNoRegularFileAreRefusedWithoutWaiting) {
    ScratchDir dir;
    const std::string cube_path = dir.write("cube.stl", binary_stl(cube()));
    const MeshReadResult ok = voxel::read_triangle_mesh(cube_path, 1, {});
    EXPECT_TRUE(ok.opened);
    EXPECT_TRUE(ok.diagnostics.empty()) << messages(ok);
    EXPECT_EQ(voxel::signed_volume(ok.mesh), 1.0);

    const std::string fifo = dir.file("pipe.stl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.path(), fifo, dir.file("missing.stl")}) {
        const MeshReadResult r = voxel::read_triangle_mesh(path, 1, {});
        EXPECT_FALSE(r.opened) << path;
        EXPECT_NE(messages(r).find(path + ":1: 错误: 无法打开网格文件 ("), std::string::npos)
            << messages(r);
    }
    EXPECT_NE(messages(voxel::read_triangle_mesh(dir.path(), 1, {})).find("文件夹"),
              std::string::npos);
}
