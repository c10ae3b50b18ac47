// Closed triangle meshes from CAD files: binary STL, ASCII STL and OBJ, read
// into shared vertices and facets and checked to bound a volume.
//
// The format is told from the content, not from the name:
//   binary STL  80-byte header, uint32 facet count n (little-endian), then n
//               records of 50 bytes: normal and three corners as float32 LE,
//               a uint16 attribute. Taken as binary when the file holds
//               exactly 84 + 50 n bytes, even when the header starts with
//               "solid" as some writers make it.
//   ASCII STL   text whose first word is "solid" (any case):
//                 solid name
//                   facet normal nx ny nz
//                     outer loop
//                       vertex x y z      (three times)
//                     endloop
//                   endfacet
//                 endsolid name
//               keywords in any case, words parted by any white space; a
//               file may hold several solids one after another.
//   OBJ         any other text: "v x y z [w]" and "f a b c ..." lines (of a
//               "v" line the numbers after z, a weight or a colour, are read
//               and not used); the other statements (vn, vt, o, g, s,
//               usemtl, mtllib, ...) and comments from '#' to the end of the
//               line are passed over.
//               Corners are 1-based vertex numbers, negative ones counted
//               back from the last vertex read so far (-1 the last); of
//               "a/b/c" and "a//c" the first number is taken. A polygon is
//               fanned from its first corner: (a,b,c), (a,c,d), ...
// Numbers read as strtod reads them in the C locale (1e-3, -0, .5, +2,
// inf, nan, hexadecimal), whatever the process locale.
//
// Each corner read becomes x' = x * scale + offset.x (and so for y and z),
// multiplied then added. Corners are one vertex when the coordinates read
// from the file are the very same doubles (0.0 and -0.0 alike): an STL has no
// vertex numbers, and an OBJ may repeat a point; the binary STL's float32
// values become doubles exactly.
//
// The checks, each fault an error with the mesh file and the facet's line
// (its number in the text; a binary STL has no lines and gives line 1):
//   - the file cannot be read, is a folder, a FIFO or another non-regular
//     file (refused without waiting), or is text in a wide encoding;
//   - scale not positive and finite;
//   - a line that is not what the format has there, an OBJ corner that names
//     no vertex read so far;
//   - a coordinate not finite, or beyond kLargestInputMagnitude after
//     scaling and offset;
//   - no facets (facets of zero area not counted);
//   - not closed: an edge of one facet only (how many, and one of them);
//   - not manifold: an edge of more than two facets;
//   - inconsistent orientation: two facets that run along a shared edge in
//     the same direction;
//   - a total signed volume that is not finite.
// Lists of like faults stop at kMostMeshFaultsListed, then one line says how
// many more there are. Warnings: facets of zero area (two corners the same
// vertex, or the three on one line exactly) are passed over and counted; a
// mesh whose signed volume is negative (facets turned inward, each shell
// consistently) is turned outward by swapping two corners of every facet; a
// mesh of volume 0 carries no buoyancy. Several shells are allowed, a void
// being a shell turned inward inside another: orientation is checked edge by
// edge, and only the total volume decides that a mesh is inverted.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "kernel/point3.h"
#include "model/io/diagnostics.h"

namespace voxel {

enum class MeshFormat { Unknown, BinaryStl, AsciiStl, Obj };

// Where a facet came from, for messages.
struct FacetSource {
    int facet = 0;  // 1-based number of the triangle in the file (an OBJ polygon
                    // gives one number to each triangle of its fan)
    int line = 0;   // 1-based line of "facet" (ASCII STL) or "f" (OBJ); 0 in a binary STL
};

// Shared vertices and triangles. A facet's corners a, b, c run
// counter-clockwise seen from outside: (b - a) x (c - a) points out of the
// body. Coordinates in the model's length unit (the file's, scaled).
struct TriangleMesh {
    std::vector<Point3> vertices;
    std::vector<std::array<int, 3>> facets;  // vertex indices, in file order
    std::vector<FacetSource> sources;        // one per facet
};

// Beyond this many faults of one kind in a mesh, the rest are only counted.
constexpr std::size_t kMostMeshFaultsListed = 10;

struct MeshReadResult {
    bool opened = false;  // false: the file could not be read (an error says why)
    MeshFormat format = MeshFormat::Unknown;
    TriangleMesh mesh;  // usable when diagnostics has no error; zero-area facets left out,
                        // turned outward when it was inverted
    Diagnostics diagnostics;
};

// Reads and checks the mesh file at `path`; scale (no unit) and offset (model
// length unit) as above.
MeshReadResult read_triangle_mesh(const std::string& path, double scale, const Point3& offset);

// The same over a file's bytes in memory, named `name` in the messages.
MeshReadResult read_triangle_mesh_bytes(const std::string& name, const std::string& bytes,
                                        double scale, const Point3& offset);

// The centre of the mesh's bounding box: midpoint of the smallest and largest
// coordinates over all vertices; (0, 0, 0) for no vertices.
Point3 box_centre(const TriangleMesh& mesh);

// The volume the facets enclose (length unit cubed), positive when they face
// outward. With c the box centre, each facet (a, b, c') spans the tetrahedron
// (c, a, b, c') of signed volume dot(a - c, (b - c) x (c' - c)) / 6; over a
// closed surface the tetrahedra cancel wherever they reach outside it and
// the sum is the enclosed volume, whatever point c is (the box centre keeps
// the products small). Summed over the facets in order, divided by 6 once.
double signed_volume(const TriangleMesh& mesh);

}  // namespace voxel
