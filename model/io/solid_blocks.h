// The solid blocks that follow the key lines of both model files (the
// Format2 model and the ship information file): one grammar, read by one
// reader.
//
//   Tetrahedron | Hexahedron | TrianglePrism | Cylinder     the keyword alone
//   x,y,z                                                    on its line, then
//   ...                                                      4, 8 or 6 vertex
//                                                            lines; a cylinder
//                                                            has P0, r, P1, r2
//   SurfaceMesh                                              a closed triangle
//   hull.stl                                                 mesh: the path of
//   1                                                        its file, a scale
//   0,0,0                                                    and an offset
//
// Blocks come in any order up to the end of the file. Any other line is
// passed over. Lengths are in the file's own unit.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "kernel/point3.h"
#include "model/io/scanned_text_file.h"

namespace voxel {

enum class SolidKind { Tetrahedron, Hexahedron, TrianglePrism, Cylinder, SurfaceMesh };

// The keyword of a kind as the files write it.
const char* keyword_of(SolidKind kind);
// The vertex lines of its block: 4, 8, 6, or a cylinder's P0 and P1.
int vertex_lines(SolidKind kind);

// How many lines of the text are each kind's keyword line, indexed by
// SolidKind: at least as many as the blocks of that kind, for room made
// before the blocks are read.
struct KeywordLineCounts {
    std::size_t of[5] = {0, 0, 0, 0, 0};
    std::size_t operator[](SolidKind kind) const { return of[static_cast<int>(kind)]; }
};
KeywordLineCounts count_keyword_lines(const std::string& text);

// One block as read.
struct SolidBlock {
    SolidKind kind = SolidKind::Tetrahedron;
    int line = 0;         // line of the keyword
    Point3 vertex[8];     // V0..V3, V0..V7 or V0..V5; a cylinder's P0 and P1
    double radius = 0.0;  // a cylinder's r; its second radius r2 is read and not used
    // A surface mesh: the path of its file as written (relative to the
    // folder of the model file, or absolute), the scale applied to every
    // coordinate and, in vertex[0], the offset added after it.
    std::string mesh_path;
    double scale = 1.0;
};

// A line is read in pieces of at most this many bytes, its line end
// included, and a piece is a keyword line only when it is the keyword and
// the line end alone, byte for byte. So a long remark whose last piece
// happens to read "Tetrahedron\n" starts a block.
constexpr int kLinePieceBytes = 99;

// The line at the read position of `in` is a keyword line, or one that
// differs from one only by case or blanks (one that was meant as a keyword).
bool at_keyword_line(const ScannedTextFile& in);

// A SurfaceMesh block's file is not read here: the model's reader reads it
// (model/io/triangle_mesh.h), with the path taken from the model file's
// folder. Its path line must not be empty, its scale must be a positive
// finite number.
//
// Reads blocks from the current position to the end of the file and hands
// every whole and usable block to `sink`, in file order. What the reader
// finds wrong is an error (the file cannot be used, though reading goes on
// so that every fault is said) or a warning:
//  - A value that does not convert whole (no number, text glued to it, a
//    vertex line with fewer than three numbers) is an error; the line is
//    passed over and the block's next value read from the line after it. A
//    keyword line where a value should stand ends the block there (an
//    error: the block lost its last lines) and starts the next one.
//  - A block cut short by the end of the file is an error.
//  - A number that is not finite, a cylinder whose radius is not a positive
//    finite number, or whose axis is too short to give a direction (the unit
//    vector along P1 - P0 is not finite: P0 = P1, or so close that the
//    square of the length underflows) is an error. So is a number whose
//    magnitude is beyond kLargestInputMagnitude.
//  - A hexahedron or prism whose vertex order folds it (kernel/solid_shape.h)
//    is an error at its keyword's line; a solid of volume 0 is a warning.
//  - A cylinder whose second radius differs from its first is a warning: the
//    second is not used (a cone or frustum is not modelled).
//  - A whole line that differs from a keyword only by the case of its
//    letters or by blanks is not a keyword (its block is passed over), with
//    a warning that names the keyword it resembles.
//  - A file that gives no usable block at all is an error: the body would be
//    empty.
void read_solid_blocks(ScannedTextFile& in, const std::function<void(const SolidBlock&)>& sink);

}  // namespace voxel
