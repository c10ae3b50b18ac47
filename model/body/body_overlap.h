// The volume common to two bodies, such as a flooded compartment and the
// hull it lies in: a sum over pairs of tetrahedra of the volume of their
// intersection. Lengths are in the model's unit, volumes in that unit cubed.
#pragma once

#include "kernel/tetrahedron.h"
#include "model/body/body.h"

namespace voxel {

// The volume of the intersection of two convex tetrahedra (>= 0), whatever
// the order and orientation of either's vertices. A flat tetrahedron gives
// 0, and so do two that only touch at a vertex, edge or face of which they
// share the corners (neighbours in a body) or that lies in a plane of one
// constant coordinate; touching elsewhere they give 0 to rounding. The
// one with fewer faces of the other cutting it is clipped by those faces,
// one after the other, into tetrahedra (body_overlap.cpp).
double tetrahedra_overlap(const TetraVertices& a, const TetraVertices& b);

// The weighted volume common to bodies a and b: each body is the signed sum
// of its pieces: every tetrahedron of a group of weight w counts w times
// (the body's tetrahedra all count with positive volume, see
// TetraVertices::full_volume), and a surface-mesh group (BodyGroup::mesh >= 0,
// Body::mesh(g) gives its FacetTree) counts as the fan of tetrahedra
// (k, a, b, c) from its tree's centre k, each with the sign of
// det(a-k, b-k, c-k) times the group's weight (the fan's sign rule explained
// at the top of facet_tree.h). The common volume is the sum over pairs of
// pieces of sign_a * sign_b * tetrahedra_overlap(piece_a, piece_b); pairs
// whose boxes do not overlap are passed over.
//
// The pieces of the body with fewer of them are collected with their boxes;
// each piece of the other is tested against the box of them all, then
// against each one's box, and only the pairs whose boxes overlap are
// clipped: the cost is one pass over the larger body plus the pairs near
// the smaller one, which suits a compartment of a few solids against a hull
// of millions of tetrahedra. A surface's fan reaches from its centre to
// every facet, so that against a meshed hull each facet whose tetrahedron
// passes through the compartment is clipped, which costs more. The pairs
// are summed in the order of the larger body's pieces, then of the
// smaller's.
double overlap_volume(const Body& a, const Body& b);

}  // namespace voxel
