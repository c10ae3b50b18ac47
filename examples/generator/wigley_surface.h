// The closed surface of a Wigley hull as a triangle mesh, and the writers of
// the two mesh files (binary STL, OBJ): shared by the example generator, the
// benchmark generator and the tests, so that all three use the same hull.
//
// Half-breadth y(x, z) = (B/2) (1 - s^2) g, s = 2 (x - x0 - L/2) / L, with
// g = 1 - (1 - z/T)^2 up to the design waterline T and g = 1 above it (the
// hull wall-sided up to the deck D). Stations x0 + i L / N (i = 0..N),
// levels j T / M (j = 0..M) and the deck; the shell between two stations and
// two levels is two triangles on each side, split along the diagonal from
// the lower corner at the station farther from midship to the upper one at
// the nearer (so the fore body mirrors the aft body, and no triangle lies in
// the centre plane at the foot of the stem or the stern post); the
// deck is a strip of triangles from station to station. Corners with y = 0
// (keel, stem and stern post) are one vertex of both sides, so the surface is
// closed; every facet faces outwards.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace wigley {

struct Vertex {
    double x, y, z;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::array<int, 3>> facets;  // vertex indices, outward by the right hand
};

struct Hull {
    double L = 100.0, B = 10.0, T = 6.25, D = 10.0;
    double x0 = 0.0, y0 = 0.0;  // stern post at x0, centre plane at y0
};

inline Mesh surface(const Hull& h, int N, int M) {
    Mesh mesh;
    // index[i][j][side]: side 0 starboard (-y), 1 port (+y).
    std::vector<std::array<int, 2>> index(static_cast<std::size_t>((N + 1) * (M + 2)));
    auto at = [&](int i, int j) -> std::array<int, 2>& {
        return index[static_cast<std::size_t>(i * (M + 2) + j)];
    };
    for (int i = 0; i <= N; ++i) {
        const double s = static_cast<double>(2 * i - N) / N;
        const double x = h.x0 + h.L * i / N;
        for (int j = 0; j <= M + 1; ++j) {
            double g = 1.0, z = h.D;
            if (j <= M) {
                const double depth = static_cast<double>(M - j) / M;
                g = 1.0 - depth * depth;
                z = h.T * j / M;
            }
            const double y = h.B / 2 * (1.0 - s * s) * g;
            const int first = static_cast<int>(mesh.vertices.size());
            if (y == 0.0) {
                mesh.vertices.push_back({x, h.y0, z});
                at(i, j) = {first, first};
            } else {
                mesh.vertices.push_back({x, h.y0 - y, z});
                mesh.vertices.push_back({x, h.y0 + y, z});
                at(i, j) = {first, first + 1};
            }
        }
    }
    auto facet = [&](int a, int b, int c) {
        if (a != b && b != c && c != a) mesh.facets.push_back({a, b, c});
    };
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j <= M; ++j) {
            // Corners a (i, j), b (i+1, j), c (i+1, j+1), d (i, j+1). On the
            // starboard side (a, b, c) faces -y; the port side turns round.
            const auto a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            if (2 * i >= N) {
                // The fore body mirrors the aft body's split.
                facet(a[0], b[0], d[0]);
                facet(b[0], c[0], d[0]);
                facet(a[1], d[1], b[1]);
                facet(b[1], d[1], c[1]);
                continue;
            }
            facet(a[0], b[0], c[0]);
            facet(a[0], c[0], d[0]);
            facet(a[1], c[1], b[1]);
            facet(a[1], d[1], c[1]);
        }
        // Deck: starboard edge to port edge, facing +z.
        const auto a = at(i, M + 1), b = at(i + 1, M + 1);
        facet(a[0], b[0], b[1]);
        facet(a[0], b[1], a[1]);
    }
    return mesh;
}

// Adds the box x0..x1, y0..y1, z0..z1 as a closed shell of twelve facets.
inline void add_box(Mesh& mesh, double x0, double x1, double y0, double y1, double z0, double z1) {
    const int k = static_cast<int>(mesh.vertices.size());
    for (int c = 0; c < 8; ++c)
        mesh.vertices.push_back({(c & 1) ? x1 : x0, (c & 2) ? y1 : y0, (c & 4) ? z1 : z0});
    // Corner c has bit 0 for x, bit 1 for y, bit 2 for z; each face as two
    // triangles counter-clockwise seen from outside.
    const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : quads) {
        mesh.facets.push_back({k + q[0], k + q[1], k + q[2]});
        mesh.facets.push_back({k + q[0], k + q[2], k + q[3]});
    }
}

inline void append(Mesh& to, const Mesh& from) {
    const int k = static_cast<int>(to.vertices.size());
    to.vertices.insert(to.vertices.end(), from.vertices.begin(), from.vertices.end());
    for (const auto& f : from.facets) to.facets.push_back({f[0] + k, f[1] + k, f[2] + k});
}

// Binary STL: 80 header bytes, the facet count, then per facet its normal,
// three corners (float32, little-endian as on every machine we build for)
// and two attribute bytes. The normal is written as zeros: readers take the
// orientation from the corners.
inline std::string binary_stl(const Mesh& mesh, const std::string& header) {
    std::string out(80, ' ');
    out.replace(0, std::min<std::size_t>(header.size(), 80), header, 0, 80);
    auto put32 = [&out](const void* p) { out.append(static_cast<const char*>(p), 4); };
    const std::uint32_t n = static_cast<std::uint32_t>(mesh.facets.size());
    put32(&n);
    const float zero = 0.0f;
    for (const auto& f : mesh.facets) {
        for (int k = 0; k < 3; ++k) put32(&zero);
        for (const int v : f) {
            const Vertex& p = mesh.vertices[static_cast<std::size_t>(v)];
            for (const double c : {p.x, p.y, p.z}) {
                const float value = static_cast<float>(c);
                put32(&value);
            }
        }
        out.append(2, '\0');
    }
    return out;
}

// OBJ: a remark, the vertices (%.10g), the facets (1-based).
inline std::string obj(const Mesh& mesh, const std::string& remark) {
    std::string out = "# " + remark + "\n";
    char line[160];
    for (const Vertex& v : mesh.vertices) {
        std::snprintf(line, sizeof line, "v %.10g %.10g %.10g\n", v.x == 0.0 ? 0.0 : v.x,
                      v.y == 0.0 ? 0.0 : v.y, v.z == 0.0 ? 0.0 : v.z);
        out += line;
    }
    for (const auto& f : mesh.facets) {
        std::snprintf(line, sizeof line, "f %d %d %d\n", f[0] + 1, f[1] + 1, f[2] + 1);
        out += line;
    }
    return out;
}

}  // namespace wigley
