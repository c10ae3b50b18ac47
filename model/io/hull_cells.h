// The solids of a hull built from its table of offsets, cell by cell.
//
// A cell lies between two adjacent stations and two adjacent waterlines; on
// each side of the centre plane it becomes the body between the centre plane
// y = 0 and the hull surface through its four corner offsets. In a cell, "a" is
// the station farther from the middle of the table's length and "b" the
// nearer one, and the corners are
//   p = (a, z0), q = (b, z0), r = (a, z1), s = (b, z1)
// with half-breadths h_p, h_q, h_r, h_s >= 0. The surface between them is in
// general twisted; every cell takes it as the two flat triangles (p, q, s) and
// (p, s, r), split along the diagonal p-s, so the cell is the union of two
// columns standing on the centre plane under those triangles: its volume is
//   (|xb - xa| (z1 - z0) / 6) (2 h_p + h_q + h_r + 2 h_s).
// Taking "a" as the station farther from the middle makes the fore body's
// cells the mirror images of the aft body's for a table symmetric fore and
// aft, so such a hull's centre of buoyancy lies exactly at mid-length.
#pragma once

#include <vector>

#include "model/io/offset_table.h"
#include "model/io/solid_blocks.h"

namespace voxel {

struct HullCell {
    double xa = 0.0, xb = 0.0;                      // stations a and b, m
    double z0 = 0.0, z1 = 0.0;                      // lower and upper waterline, m
    double hp = 0.0, hq = 0.0, hr = 0.0, hs = 0.0;  // corner half-breadths, m, >= 0
    double side = 1.0;  // +1 the port half (y >= 0), -1 the starboard half
};

// The cell's solids, none of them with coincident vertices:
//  - no half-breadth 0: one Hexahedron, V0..V3 = shell p, shell q, centre q,
//    centre p and V4..V7 the same at r, s, s, r, so the kernel's five-
//    tetrahedron cut splits the shell face along V0-V5 = p-s;
//  - the two half-breadths of one edge 0 (keel p, q; top r, s; station a
//    p, r; station b q, s): one TrianglePrism whose lateral face V0 V1 V4 V3
//    is the shell with V0 = p and V4 = s, which the kernel splits along V0-V4;
//  - all four 0: nothing;
//  - any other pattern: each column on its own: a TrianglePrism (no
//    half-breadth 0), a pyramid as two Tetrahedra (one 0; its apex the
//    vanishing corner on the centre plane), one Tetrahedron (two 0), nothing
//    (three 0).
// With every half-breadth >= 0 no solid folds: all its tetrahedra have the
// sense of a sound solid of its kind.
std::vector<SolidBlock> cell_solids(const HullCell& cell);

// All cells of the table: the starboard half first, then the port half, each
// station interval from aft to forward and each waterline interval from the
// bottom up. The port half is the exact mirror image of the starboard half.
//
// Why the solids leave neither gaps nor overlaps: every face that two solids
// share lies in a plane x = station, z = waterline, y = 0 or (between the two
// columns of one cell) the vertical plane through a cell's diagonal p-s; such
// a face is flat and convex (a trapezoid or triangle between the centre plane
// and the offsets, or a rectangle on the centre plane), and both sides take
// its corners from the same table entries by the same arithmetic, so both
// cover exactly the same region whichever diagonal each splits it along. The
// only faces that are not flat are on the hull surface, which no two cells
// share; there every solid uses the diagonal p-s of its cell.
std::vector<SolidBlock> hull_solids(const OffsetTable& table);

}  // namespace voxel
