#include "model/io/triangle_mesh.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "kernel/platform/number_format.h"
#include "kernel/platform/text_encoding.h"
#include "kernel/platform/text_input.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

namespace {

static_assert(std::numeric_limits<float>::is_iec559, "binary STL holds IEEE float32 values");

constexpr std::size_t kStlHeaderBytes = 80;
constexpr std::size_t kStlCountEnd = 84;
constexpr std::size_t kStlFacetBytes = 50;

std::string facet_name(const FacetSource& s) {
    return "第 " + std::to_string(s.facet) + " 个面";
}

// The line a message about the facet stands on: a binary STL has none but
// its first.
int message_line(const FacetSource& s) {
    return s.line > 0 ? s.line : 1;
}

std::string point_text(const Point3& p) {
    return "(" + format_number(p.x) + ", " + format_number(p.y) + ", " + format_number(p.z) + ")";
}

// Faults of one kind: the first kMostMeshFaultsListed become messages, the
// rest are counted and summed up in one line at the first one not listed.
class FaultList {
  public:
    FaultList(Diagnostics& diagnostics, const std::string& file, const char* kind)
        : diagnostics_(diagnostics), file_(file), kind_(kind) {}

    void error(int line, const std::string& text) {
        if (count_++ < kMostMeshFaultsListed) {
            diagnostics_.error(file_, line, text);
        } else if (first_unlisted_line_ == 0) {
            first_unlisted_line_ = line;
        }
    }

    void finish() {
        if (count_ <= kMostMeshFaultsListed) return;
        diagnostics_.error(file_, first_unlisted_line_,
                           "另有 " + std::to_string(count_ - kMostMeshFaultsListed) + " 处" +
                               kind_ + "未列出 (共 " + std::to_string(count_) + " 处).");
    }

  private:
    Diagnostics& diagnostics_;
    const std::string& file_;
    const char* kind_;
    std::size_t count_ = 0;
    int first_unlisted_line_ = 0;
};

// A point as read from the file, by the bit patterns of its coordinates;
// -0.0 is taken as 0.0, so the two are one point.
struct VertexKey {
    std::uint64_t bits[3];
    bool operator==(const VertexKey& o) const {
        return bits[0] == o.bits[0] && bits[1] == o.bits[1] && bits[2] == o.bits[2];
    }
};

struct VertexKeyHash {
    std::size_t operator()(const VertexKey& k) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint64_t b : k.bits) {
            h ^= b;
            h *= 1099511628211ull;
            h ^= h >> 29;
        }
        return static_cast<std::size_t>(h);
    }
};

// The points read so far, each once, by their keys: open addressing over a
// table of vertex indices twice as large as the points at least, so that a
// lookup costs a probe or two and a point no more than its key and two slots.
class VertexIndex {
  public:
    // The index of the point of key k; a new point gets index `next`, which
    // must be the number of points so far, and `added` is set.
    int find_or_add(const VertexKey& k, int next, bool& added) {
        if (2 * (keys_.size() + 1) > slots_.size()) grow();
        std::size_t i = VertexKeyHash()(k) & mask_;
        for (;;) {
            const int v = slots_[i];
            if (v < 0) break;
            if (keys_[static_cast<std::size_t>(v)] == k) {
                added = false;
                return v;
            }
            i = (i + 1) & mask_;
        }
        slots_[i] = next;
        keys_.push_back(k);
        added = true;
        return next;
    }

    // Room for about that many points without growing.
    void reserve(std::size_t points) {
        std::size_t size = 1024;
        while (size < 2 * points) size *= 2;
        if (size > slots_.size()) grow(size);
        keys_.reserve(points);
    }

  private:
    void grow() { grow(slots_.empty() ? 1024 : 2 * slots_.size()); }

    void grow(std::size_t size) {
        slots_.assign(size, -1);
        mask_ = size - 1;
        for (std::size_t v = 0; v < keys_.size(); ++v) {
            std::size_t i = VertexKeyHash()(keys_[v]) & mask_;
            while (slots_[i] >= 0) i = (i + 1) & mask_;
            slots_[i] = static_cast<int>(v);
        }
    }

    std::vector<int> slots_;
    std::vector<VertexKey> keys_;  // by vertex index
    std::size_t mask_ = 0;
};

VertexKey key_of(const double raw[3]) {
    VertexKey k{};
    for (int i = 0; i < 3; ++i) {
        const double v = raw[i] == 0.0 ? 0.0 : raw[i];
        std::memcpy(&k.bits[i], &v, sizeof v);
    }
    return k;
}

// Gathers vertices and facets as a reader finds them: shares equal points,
// scales and offsets them, checks their coordinates, and passes over the
// facets of zero area.
class MeshBuilder {
  public:
    MeshBuilder(const std::string& file, double scale, const Point3& offset,
                Diagnostics& diagnostics, TriangleMesh& mesh)
        : file_(file),
          scale_(scale),
          offset_(offset),
          diagnostics_(diagnostics),
          mesh_(mesh),
          coordinates_(diagnostics, file, "坐标错误") {}

    // The index of the point read with coordinates `raw`; a new point's
    // coordinates are checked, a fault said at `line` as a corner of facet
    // number `facet`, or as the vertex of the line when `facet` is 0.
    int vertex(const double raw[3], int line, int facet) {
        bool added = false;
        const int index =
            index_.find_or_add(key_of(raw), static_cast<int>(mesh_.vertices.size()), added);
        if (!added) return index;
        const Point3 p = {raw[0] * scale_ + offset_.x, raw[1] * scale_ + offset_.y,
                          raw[2] * scale_ + offset_.z};
        mesh_.vertices.push_back(p);
        const Point3 read = {raw[0], raw[1], raw[2]};
        const auto where = [&] {
            return facet > 0 ? "第 " + std::to_string(facet) + " 个面的角点"
                             : "第 " + std::to_string(line) + " 行的顶点";
        };
        if (!std::isfinite(raw[0]) || !std::isfinite(raw[1]) || !std::isfinite(raw[2])) {
            coordinates_.error(line, where() + "的坐标 " + point_text(read) + " 不是有限数.");
        } else if (!within_range(p)) {
            coordinates_.error(line, where() + "的坐标 " + point_text(read) + " 缩放和平移之后为 " +
                                         point_text(p) + ", 不是有限数或绝对值超过 1e100.");
        }
        return index;
    }

    // Room for a surface of that many facets (a closed one has about half
    // as many vertices), so that the arrays do not grow as they come.
    void reserve(std::size_t facets) {
        index_.reserve(facets / 2 + 16);
        mesh_.vertices.reserve(facets / 2 + 16);
        mesh_.facets.reserve(facets);
        mesh_.sources.reserve(facets);
    }

    // A triangle with corners of vertex indices a, b, c. One of zero area
    // (two corners the same vertex, or (b - a) x (c - a) exactly zero) is
    // passed over and counted.
    void facet(int a, int b, int c, const FacetSource& source) {
        if (a == b || b == c || c == a || zero_cross(a, b, c)) {
            if (zero_area_ == 0) first_zero_area_ = source;
            ++zero_area_;
            return;
        }
        mesh_.facets.push_back({a, b, c});
        mesh_.sources.push_back(source);
    }

    // Says what was counted on the way.
    void finish() {
        coordinates_.finish();
        if (zero_area_ > 0)
            diagnostics_.warn(file_, message_line(first_zero_area_),
                              "有 " + std::to_string(zero_area_) +
                                  " 个面积为 0 的面 (两个角点相同或三点共线) 被略过, 第一个是" +
                                  facet_name(first_zero_area_) + ".");
    }

  private:
    static bool within_range(const Point3& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) &&
               std::fabs(p.x) <= kLargestInputMagnitude &&
               std::fabs(p.y) <= kLargestInputMagnitude && std::fabs(p.z) <= kLargestInputMagnitude;
    }

    bool zero_cross(int a, int b, int c) const {
        const Point3& pa = mesh_.vertices[static_cast<std::size_t>(a)];
        const Point3 n = cross(difference(pa, mesh_.vertices[static_cast<std::size_t>(b)]),
                               difference(pa, mesh_.vertices[static_cast<std::size_t>(c)]));
        return n.x == 0.0 && n.y == 0.0 && n.z == 0.0;
    }

    const std::string& file_;
    double scale_;
    Point3 offset_;
    Diagnostics& diagnostics_;
    TriangleMesh& mesh_;
    VertexIndex index_;
    FaultList coordinates_;
    std::size_t zero_area_ = 0;
    FacetSource first_zero_area_;
};

// ---- numbers in text ----

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool equal_ignoring_case(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return i == a.size() && !b[i];
}

// The whole word as a double, as strtod reads it in the C locale; false when
// it is not one number.
bool parse_number(std::string_view word, double& value) {
    const char* p = word.data();
    const char* const end = p + word.size();
    if (p == end) return false;
    // from_chars takes no '+' and no "0x"; strtod takes both.
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        if (p == end || *p == '+' || *p == '-') return false;
    }
    std::chars_format format = std::chars_format::general;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        format = std::chars_format::hex;
    }
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(p, end, v, format);
    if (r.ptr != end) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond the double range either way: strtod gives the infinity or
        // the (signed) zero or subnormal it rounds to.
        const std::string copy(word);
        char* stop = nullptr;
        value = std::strtod(copy.c_str(), &stop);
        return stop == copy.c_str() + copy.size();
    }
    if (r.ec != std::errc()) return false;
    value = negative ? -v : v;
    return true;
}

std::string quoted(std::string_view word) {
    constexpr std::size_t kShown = 40;
    while (!word.empty() && is_blank(word.back())) word.remove_suffix(1);
    while (!word.empty() && is_blank(word.front())) word.remove_prefix(1);
    return "\"" + std::string(word.substr(0, kShown)) + (word.size() > kShown ? "...\"" : "\"");
}

// ---- binary STL ----

std::uint32_t little_endian_u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

double little_endian_float(const unsigned char* p) {
    const std::uint32_t bits = little_endian_u32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return static_cast<double>(f);  // exact: every float is a double
}

// The facet count of the header when the size is exactly that of a binary
// STL with that many facets.
bool is_binary_stl(const std::string& bytes, std::uint64_t& count) {
    if (bytes.size() < kStlCountEnd) return false;
    count =
        little_endian_u32(reinterpret_cast<const unsigned char*>(bytes.data()) + kStlHeaderBytes);
    return static_cast<std::uint64_t>(bytes.size()) == kStlCountEnd + kStlFacetBytes * count;
}

void read_binary_stl(const std::string& bytes, std::uint64_t count, MeshBuilder& builder,
                     Diagnostics& diagnostics, const std::string& name) {
    if (count > static_cast<std::uint64_t>(INT_MAX)) {
        diagnostics.error(name, 1,
                          "二进制 STL 的面数 " + std::to_string(count) + " 太多, 无法读取.");
        return;
    }
    const unsigned char* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    builder.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const unsigned char* record = data + kStlCountEnd + kStlFacetBytes * i;
        const FacetSource source = {static_cast<int>(i + 1), 0};
        int corner[3];
        for (int k = 0; k < 3; ++k) {
            const unsigned char* p = record + 12 + 12 * k;  // past the normal
            const double raw[3] = {little_endian_float(p), little_endian_float(p + 4),
                                   little_endian_float(p + 8)};
            corner[k] = builder.vertex(raw, 1, source.facet);
        }
        builder.facet(corner[0], corner[1], corner[2], source);
    }
}

// ---- ASCII STL ----

struct Word {
    std::string_view text;  // empty at the end of the text
    int line = 0;
};

// The words of a text parted by white space, with their lines.
class WordReader {
  public:
    explicit WordReader(std::string_view text) : text_(text) {}

    Word next() {
        while (pos_ < text_.size() && is_blank(text_[pos_])) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !is_blank(text_[pos_])) ++pos_;
        return {text_.substr(start, pos_ - start), line_};
    }

    // Passes over the rest of the line (a solid's name).
    void skip_line() {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    }

    Word peek() {
        const std::size_t pos = pos_;
        const int line = line_;
        const Word w = next();
        pos_ = pos;
        line_ = line;
        return w;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class AsciiStlReader {
  public:
    AsciiStlReader(std::string_view text, MeshBuilder& builder, Diagnostics& diagnostics,
                   const std::string& name)
        : words_(text), builder_(builder), syntax_(diagnostics, name, "格式错误") {}

    void read() {
        Word w = words_.next();  // "solid", as detection found
        words_.skip_line();
        for (;;) {
            w = words_.next();
            if (w.text.empty()) {
                syntax_.error(w.line, "文件在 endsolid 之前结束.");
                break;
            }
            if (equal_ignoring_case(w.text, "facet")) {
                if (!read_facet(w.line)) recover();
            } else if (equal_ignoring_case(w.text, "endsolid")) {
                words_.skip_line();
                const Word after = words_.next();
                if (after.text.empty()) break;
                if (equal_ignoring_case(after.text, "solid")) {
                    words_.skip_line();
                } else {
                    syntax_.error(after.line, "endsolid 之后应为 solid 或文件结束, 读到 " +
                                                  quoted(after.text) + ".");
                    recover();
                }
            } else {
                syntax_.error(w.line, "应为 facet 或 endsolid, 读到 " + quoted(w.text) + ".");
                recover();
            }
        }
        syntax_.finish();
    }

  private:
    // After a fault: on to the next "facet", "endsolid" or "solid".
    void recover() {
        for (;;) {
            const Word w = words_.peek();
            if (w.text.empty() || equal_ignoring_case(w.text, "facet") ||
                equal_ignoring_case(w.text, "endsolid"))
                return;
            words_.next();
            if (equal_ignoring_case(w.text, "solid")) {
                words_.skip_line();
                return;
            }
        }
    }

    bool expect(const char* keyword) {
        const Word w = words_.peek();
        if (!equal_ignoring_case(w.text, keyword)) {
            syntax_.error(w.line, std::string("应为 ") + keyword + ", 读到 " +
                                      (w.text.empty() ? std::string("文件结束") : quoted(w.text)) +
                                      ".");
            return false;
        }
        words_.next();
        return true;
    }

    bool numbers(double* values, const char* what) {
        for (int i = 0; i < 3; ++i) {
            const Word w = words_.peek();
            if (!parse_number(w.text, values[i])) {
                syntax_.error(
                    w.line, std::string("应为") + what + "的数, 读到 " +
                                (w.text.empty() ? std::string("文件结束") : quoted(w.text)) + ".");
                return false;
            }
            words_.next();
        }
        return true;
    }

    // After "facet": normal, loop of three vertices, "endfacet".
    bool read_facet(int line) {
        const FacetSource source = {++facets_, line};
        double normal[3];
        if (!expect("normal") || !numbers(normal, "法向量") || !expect("outer") || !expect("loop"))
            return false;
        int corner[3];
        for (int k = 0; k < 3; ++k) {
            double raw[3];
            const int vertex_line = words_.peek().line;
            if (!expect("vertex") || !numbers(raw, "顶点坐标")) return false;
            corner[k] = builder_.vertex(raw, vertex_line, source.facet);
        }
        if (!expect("endloop") || !expect("endfacet")) return false;
        builder_.facet(corner[0], corner[1], corner[2], source);
        return true;
    }

    WordReader words_;
    MeshBuilder& builder_;
    FaultList syntax_;
    int facets_ = 0;
};

// ---- OBJ ----

// The words of one line, up to a '#'.
std::vector<std::string_view> line_words(std::string_view line) {
    const std::size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_blank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !is_blank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// The vertex a corner "a", "a/b", "a/b/c" or "a//c" names, from its first
// number; -1 when it names none of the `count` vertices read so far.
long long corner_index(std::string_view word, std::size_t count) {
    const std::string_view first = word.substr(0, word.find('/'));
    long long n = 0;
    const char* const end = first.data() + first.size();
    const std::from_chars_result r = std::from_chars(first.data(), end, n);
    if (first.empty() || r.ec != std::errc() || r.ptr != end || n == 0) return -1;
    const long long vertices = static_cast<long long>(count);
    if (n > 0) return n <= vertices ? n - 1 : -1;
    return -n <= vertices ? vertices + n : -1;
}

void read_obj(std::string_view text, MeshBuilder& builder, Diagnostics& diagnostics,
              const std::string& name) {
    FaultList syntax(diagnostics, name, "格式错误");
    std::vector<int> vertex_of;  // the shared vertex of each "v" line, in order
    int facets = 0;
    int line = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        ++line;
        std::size_t stop = text.find('\n', pos);
        if (stop == std::string_view::npos) stop = text.size();
        const std::string_view whole = text.substr(pos, stop - pos);
        const std::vector<std::string_view> words = line_words(whole);
        pos = stop + 1;
        if (words.empty()) continue;
        if (words[0] == "v") {
            double raw[3] = {0.0, 0.0, 0.0};
            bool read = words.size() >= 4;
            for (std::size_t i = 1; read && i < words.size(); ++i) {
                double v;
                read = parse_number(words[i], v);
                if (read && i <= 3) raw[i - 1] = v;
            }
            if (!read) {
                syntax.error(line, "顶点行应为 \"v x y z [w]\", 读到 " + quoted(whole) + ".");
            }
            vertex_of.push_back(builder.vertex(raw, line, 0));
        } else if (words[0] == "f") {
            if (words.size() < 4) {
                syntax.error(line, "面行应至少有三个角点, 读到 " +
                                       std::to_string(words.size() - 1) + " 个.");
                continue;
            }
            std::vector<int> corners;
            bool usable = true;
            for (std::size_t i = 1; i < words.size(); ++i) {
                const long long k = corner_index(words[i], vertex_of.size());
                if (k < 0) {
                    syntax.error(line, "角点 " + quoted(words[i]) + " 不指向已读的顶点 (已读 " +
                                           std::to_string(vertex_of.size()) + " 个顶点).");
                    usable = false;
                    break;
                }
                corners.push_back(vertex_of[static_cast<std::size_t>(k)]);
            }
            if (!usable) continue;
            // The fan from the first corner.
            for (std::size_t i = 1; i + 1 < corners.size(); ++i)
                builder.facet(corners[0], corners[i], corners[i + 1], {++facets, line});
        }
        // Any other statement (vn, vt, o, g, s, usemtl, mtllib, ...) is passed over.
    }
    syntax.finish();
}

// ---- the checks of the whole mesh ----

// The edges: every facet's three sides (half-edges) sorted into buckets by
// their lower vertex, each bucket by (higher vertex, facet, side), so that
// the half-edges of one edge {lo, hi} stand together, those of earlier
// facets first. An edge is judged once, at its first half-edge in file
// order (facet by facet, side by side): used once it is open, more than
// twice not manifold, twice in the same direction (both from lo to hi, or
// both from hi to lo) inconsistently oriented. The faults are said in the
// order of those first half-edges.
void check_edges(const TriangleMesh& mesh, Diagnostics& diagnostics, const std::string& name) {
    struct HalfEdge {
        int hi;
        int facet;
        int side;  // from corner `side` to corner side + 1 (mod 3)
    };
    const auto corner = [&mesh](int facet, int k) {
        return mesh.facets[static_cast<std::size_t>(facet)][static_cast<std::size_t>(k % 3)];
    };
    const std::size_t n = mesh.facets.size();
    std::vector<std::size_t> start(mesh.vertices.size() + 1, 0);
    for (std::size_t f = 0; f < n; ++f)
        for (int k = 0; k < 3; ++k) {
            const int u = mesh.facets[f][static_cast<std::size_t>(k)];
            const int v = mesh.facets[f][static_cast<std::size_t>((k + 1) % 3)];
            ++start[static_cast<std::size_t>(u < v ? u : v) + 1];
        }
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    std::vector<HalfEdge> halves(3 * n);
    {
        std::vector<std::size_t> next(start.begin(), start.end() - 1);
        for (std::size_t f = 0; f < n; ++f)
            for (int k = 0; k < 3; ++k) {
                const int u = mesh.facets[f][static_cast<std::size_t>(k)];
                const int v = mesh.facets[f][static_cast<std::size_t>((k + 1) % 3)];
                const std::size_t lo = static_cast<std::size_t>(u < v ? u : v);
                halves[next[lo]++] = {u < v ? v : u, static_cast<int>(f), k};
            }
    }
    // The faults, each at the first half-edge of its edge.
    enum class Fault { Open, NotManifold, Orientation };
    struct Found {
        int facet, side;
        Fault fault;
        int first, second, uses;
    };
    std::vector<Found> found;
    for (std::size_t lo = 0; lo + 1 < start.size(); ++lo) {
        const auto begin = halves.begin() + static_cast<std::ptrdiff_t>(start[lo]);
        const auto end = halves.begin() + static_cast<std::ptrdiff_t>(start[lo + 1]);
        // Filled in file order: sorting by the higher vertex alone, stably,
        // keeps each edge's half-edges in file order.
        std::stable_sort(begin, end,
                         [](const HalfEdge& a, const HalfEdge& b) { return a.hi < b.hi; });
        for (auto g = begin; g != end;) {
            auto e = g;
            int uses = 0, upward = 0;
            for (; e != end && e->hi == g->hi; ++e) {
                ++uses;
                if (corner(e->facet, e->side) == static_cast<int>(lo)) ++upward;
            }
            const int second = uses > 1 ? (g + 1)->facet : -1;
            if (uses == 1)
                found.push_back({g->facet, g->side, Fault::Open, g->facet, second, uses});
            else if (uses > 2)
                found.push_back({g->facet, g->side, Fault::NotManifold, g->facet, second, uses});
            else if (upward != 1)
                found.push_back({g->facet, g->side, Fault::Orientation, g->facet, second, uses});
            g = e;
        }
    }
    std::vector<HalfEdge>().swap(halves);
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.facet < b.facet || (a.facet == b.facet && a.side < b.side);
    });
    FaultList manifold(diagnostics, name, "非流形的边");
    FaultList orientation(diagnostics, name, "朝向不一致的面");
    std::size_t open = 0;
    std::size_t first_open_facet = 0;
    int first_open_u = 0, first_open_v = 0;
    const auto edge_text = [&mesh](int u, int v) {
        return point_text(mesh.vertices[static_cast<std::size_t>(u)]) + "-" +
               point_text(mesh.vertices[static_cast<std::size_t>(v)]);
    };
    for (const Found& x : found) {
        const int u = corner(x.facet, x.side), v = corner(x.facet, x.side + 1);
        const FacetSource& first = mesh.sources[static_cast<std::size_t>(x.first)];
        if (x.fault == Fault::Open) {
            if (open++ == 0) {
                first_open_facet = static_cast<std::size_t>(x.facet);
                first_open_u = u;
                first_open_v = v;
            }
        } else if (x.fault == Fault::NotManifold) {
            const FacetSource& second = mesh.sources[static_cast<std::size_t>(x.second)];
            manifold.error(message_line(first), "网格不是流形: 边 " + edge_text(u, v) + " 属于 " +
                                                    std::to_string(x.uses) + " 个面 (" +
                                                    facet_name(first) + ", " + facet_name(second) +
                                                    " 等), 一条边只能属于两个面.");
        } else {
            const FacetSource& second = mesh.sources[static_cast<std::size_t>(x.second)];
            orientation.error(message_line(second), "面的朝向不一致: " + facet_name(second) + "与" +
                                                        facet_name(first) + "沿共有的边 " +
                                                        edge_text(u, v) +
                                                        " 同向 (应相反), 其中一个面翻转了.");
        }
    }
    manifold.finish();
    orientation.finish();
    if (open > 0) {
        const FacetSource& s = mesh.sources[first_open_facet];
        diagnostics.error(name, message_line(s),
                          "网格不封闭: 有 " + std::to_string(open) + " 条边只属于一个面, 例如" +
                              facet_name(s) + "的边 " + edge_text(first_open_u, first_open_v) +
                              ".");
    }
}

// The mesh is inverted when its volume is negative: every facet turned.
void check_volume(TriangleMesh& mesh, Diagnostics& diagnostics, const std::string& name) {
    const double volume = signed_volume(mesh);
    if (!std::isfinite(volume)) {
        diagnostics.error(name, 1, "网格的体积不是有限数 (" + format_number(volume) + ").");
    } else if (volume < 0.0) {
        diagnostics.warn(
            name, 1,
            "网格的面朝向内侧 (有向体积为 " + format_number(volume) + "), 已把每个面翻转为朝外.");
        for (std::array<int, 3>& f : mesh.facets) std::swap(f[1], f[2]);
    } else if (volume == 0.0) {
        diagnostics.warn(name, 1, "网格的体积为 0, 它不提供浮力.");
    }
}

}  // namespace

Point3 box_centre(const TriangleMesh& mesh) {
    if (mesh.vertices.empty()) return {};
    Point3 lo = mesh.vertices[0], hi = mesh.vertices[0];
    for (const Point3& p : mesh.vertices) {
        lo.x = std::fmin(lo.x, p.x);
        lo.y = std::fmin(lo.y, p.y);
        lo.z = std::fmin(lo.z, p.z);
        hi.x = std::fmax(hi.x, p.x);
        hi.y = std::fmax(hi.y, p.y);
        hi.z = std::fmax(hi.z, p.z);
    }
    return midpoint(lo, hi);
}

double signed_volume(const TriangleMesh& mesh) {
    const Point3 c = box_centre(mesh);
    double sum = 0.0;
    for (const std::array<int, 3>& f : mesh.facets) {
        const Point3 a = difference(c, mesh.vertices[static_cast<std::size_t>(f[0])]);
        const Point3 b = difference(c, mesh.vertices[static_cast<std::size_t>(f[1])]);
        const Point3 d = difference(c, mesh.vertices[static_cast<std::size_t>(f[2])]);
        sum += dot(a, cross(b, d));
    }
    return sum / 6.0;
}

MeshReadResult read_triangle_mesh_bytes(const std::string& name, const std::string& bytes,
                                        double scale, const Point3& offset) {
    MeshReadResult result;
    result.opened = true;
    Diagnostics& d = result.diagnostics;
    if (!(scale > 0.0) || !std::isfinite(scale)) {
        d.error(name, 1, "网格的缩放系数应为正的有限数, 读到 " + format_number(scale) + ".");
        return result;
    }
    MeshBuilder builder(name, scale, offset, d, result.mesh);
    std::uint64_t count = 0;
    if (is_binary_stl(bytes, count)) {
        result.format = MeshFormat::BinaryStl;
        read_binary_stl(bytes, count, builder, d, name);
    } else {
        const TextEncodingCheck encoding = check_text_encoding(bytes);
        if (encoding.refused == kNotTextFile && bytes.size() >= kStlCountEnd) {
            d.error(name, 1,
                    "文件不是文本, 也不是二进制 STL: 按头中的面数 " + std::to_string(count) +
                        ", 应有 84 + 50 * " + std::to_string(count) + " 字节, 文件有 " +
                        std::to_string(bytes.size()) + " 字节.");
            return result;
        }
        if (encoding.refused) {
            d.error(name, 1, refused_encoding_message(encoding.refused));
            return result;
        }
        const std::string_view text = std::string_view(bytes).substr(encoding.mark_bytes);
        if (equal_ignoring_case(WordReader(text).next().text, "solid")) {
            result.format = MeshFormat::AsciiStl;
            AsciiStlReader(text, builder, d, name).read();
        } else {
            result.format = MeshFormat::Obj;
            read_obj(text, builder, d, name);
        }
    }
    builder.finish();
    if (result.mesh.facets.empty()) {
        d.error(name, 1, "网格文件中没有面 (面积为 0 的面不算).");
        return result;
    }
    check_edges(result.mesh, d, name);
    if (!d.has_errors()) check_volume(result.mesh, d, name);
    return result;
}

MeshReadResult read_triangle_mesh(const std::string& path, double scale, const Point3& offset) {
    std::string bytes, reason;
    if (!read_regular_file(path.c_str(), bytes, reason)) {
        MeshReadResult result;
        result.diagnostics.error(path, 1, "无法打开网格文件 (" + reason + ").");
        return result;
    }
    return read_triangle_mesh_bytes(path, bytes, scale, offset);
}

}  // namespace voxel
