// The free-floating equilibrium: the water plane is turned about the fixed
// body until the lines of action of weight (through G) and buoyancy (through
// B), both along the water-plane normal, coincide.
#pragma once

#include <functional>
#include <string>

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/voxel_group.h"

namespace voxel {

// Where the iteration writes its lines and reads the answer to its prompt.
// The console by default; tests script it.
struct IterationDialogue {
    // A console line: the header, a step, the prompt, and the message of two
    // points too close to tell a distance, each where it arises.
    std::function<void(const std::string&)> write_line;
    // One character, white space skipped; EOF at the end of input.
    std::function<int()> read_answer;
    // A note beyond the console text (a water-plane search that its step
    // bound ended); standard error on the console.
    std::function<void(const std::string&)> write_note;

    static IterationDialogue console();
};

// The axis of the next tilt: unit(unit(G - B) x unit(N)). Turning N by a
// positive angle about it tilts N away from the side of B on which G lies.
// G - B must not be parallel to N.
Point3 tilt_axis(Point3 B, Point3 G, Point3 N);

// One step line: "Step" count (width 3, right-aligned) ": det_an=" det_an
// ", d=" d ",N=<" N.x "," N.y "," N.z ">", the last five fields left-aligned
// in widths 13, 13, 10, 10, 10. det_an is given as its text, since the
// line of step 0 shows the integer 0.
std::string step_line(int count, const std::string& det_an, double d, const Point3& N);

// Why the iteration ended.
enum class IterationStop {
    Converged,   // d <= d_error
    Declined,    // the turn could shrink d no further and the answer at the
                 // prompt was not 'y' (the end of input included)
    NoDistance,  // d is not a number, so the loop's test d > d_error failed
};

// Where the iteration ended: the last accepted water plane (unit normal out
// of the water, body coordinates) and centre of buoyancy there, the distance
// d of the two lines of action and its tolerance d_error (both in the
// model's length unit), and why it stopped. Only a Converged outcome is an
// equilibrium.
struct IterationOutcome {
    Plane plane;
    Point3 B;
    double d = 0.0;
    double d_error = 0.0;
    IterationStop stop = IterationStop::Converged;

    bool converged() const { return stop == IterationStop::Converged; }
    // The normal of the water plane points downwards in body coordinates
    // (C <= 0): the body lies on its side at 90 degrees or beyond, or floats
    // upside down.
    bool capsized() const { return plane.C <= 0.0; }
    // Angle between the water-plane normal and the body's z axis, degrees
    // (0 upright, 180 upside down).
    double tilt_degrees() const;
};

// Turns the water-plane normal N from (0, 0, 1) until the body, of
// displacement volume V (model unit cubed) with centre of gravity G (body
// coordinates), floats at rest: d = distance of the two lines of action <=
// 1e-6 x the diagonal of the group's box. Each step turns N about tilt_axis
// by det_an (radians, from pi/180, halved while the turn fails to shrink d);
// when det_an is at most 1e-10 and d still does not shrink, the user is asked
// whether to go on: only 'y' goes on, with one forced step of pi/180.
// Writes the header lines, one line per step and the prompts. Returns the
// last accepted state and how the iteration ended; it says nothing about an
// outcome that is no equilibrium, which is the caller's to report.
// V must lie within the body's volume.
IterationOutcome iterate_floating_attitude(
    const VoxelGroup& group, double V, Point3 G,
    const IterationDialogue& dialogue = IterationDialogue::console());

// The same with the centre of gravity taken at every trial normal N (unit,
// out of the water): weights that settle with the water plane, such as the
// liquids of tanks, settle with the body.
IterationOutcome iterate_floating_attitude(const VoxelGroup& group, double V,
                                           const std::function<Point3(const Point3&)>& G_at,
                                           const IterationDialogue& dialogue);

}  // namespace voxel
