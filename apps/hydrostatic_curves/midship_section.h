// The submerged midship section: the hull clipped to a box around the midship
// station and cut by the plane x = Lpp / 2.
#pragma once

#include <list>

#include "apps/hydrostatic_curves/ship_model.h"
#include "kernel/plane.h"
#include "kernel/tetrahedron.h"

namespace voxel {

// Tetrahedra (four vertices each) in insertion order, in a doubly linked list
// so that pieces can be removed from the front and appended at the tail
// while a clipping pass walks it.
class TetraList {
  public:
    using Node = std::list<TetraVertices>::iterator;

    void append(const TetraVertices& t) { nodes_.push_back(t); }
    // Removing the end sentinel is ignored.
    void remove(Node n) {
        if (n != nodes_.end()) nodes_.erase(n);
    }
    void clear() { nodes_.clear(); }
    int count() const { return static_cast<int>(nodes_.size()); }
    Node begin() { return nodes_.begin(); }
    Node end() { return nodes_.end(); }

  private:
    std::list<TetraVertices> nodes_;
};

// The part of t where f(P) <= 0, as 0 to 3 tetrahedra: the pieces of the
// tetrahedron cut (k dry vertices: k = 0 the input, k = 1, 2 three pieces,
// k = 3 one, k = 4 none).
SubmergedPieces clip_below_plane(const TetraVertices& t, const Plane& p,
                                 CrossingTolerance tolerance);

struct MidshipSection {
    double Am = 0.0;   // submerged section area, m^2
    double Bm = 0.0;   // breadth of that section, m; 0 when there is none
    int polygons = 0;  // number of sections summed
};

// At the draft T (m): the hull clipped to Lpp/2 - 10 <= x <= Lpp/2 + 10,
// |y| <= B/2, 0 <= z <= T (pieces below 1e-15 m^3 dropped), then cut by
// x = Lpp/2; a face in that plane counts from the forward tetrahedron only.
// Reads the vertices, Lpp, B and the hull's crossing test; alters nothing.
MidshipSection midship_section(const ShipModel& ship, double T);

}  // namespace voxel
