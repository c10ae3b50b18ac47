// The thresholds that the cuts and the water-plane search share, in one
// place. Volumes are in the model's length unit cubed.
#pragma once

namespace voxel {

// A part of a tetrahedron's cut of at most this volume has no centroid of its
// own: it takes the vertex centroid of its last piece. The midship slab drops
// pieces below it.
constexpr double kNoPieceVolume = 1e-15;

// A solid whose summed submerged volume is below this (in magnitude) has no
// centroid of its own: it takes its first point.
constexpr double kNoVolume = 1e-20;

// The parallel tests of an edge's crossing with a plane, on |n . (b - a)|:
// the strict one of the hydrostatic and floating-attitude programs and the
// loose one of the righting-arm program (CrossingTolerance).
constexpr double kStrictParallel = 1e-15;
constexpr double kLooseParallel = 1e-10;

// The water-plane search ends when |(Vt - V) / V| is below this.
constexpr double kWaterPlaneTolerance = 1e-10;

}  // namespace voxel
