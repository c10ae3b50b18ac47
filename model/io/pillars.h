// The four pillar axes of "FourPillars.txt" and the drafts where the final
// water plane meets them.
//
//   #<n>:        record header; n is read and not used
//   x,y,z        first point P0 of the axis
//   x,y,z        second point P1
//
// four records, in body coordinates and the model's length unit.
#pragma once

#include <string>
#include <vector>

#include "kernel/plane.h"
#include "kernel/segment.h"
#include "model/io/diagnostics.h"

namespace voxel {

constexpr int kPillarCount = 4;

struct PillarAxes {
    Segment axis[kPillarCount];
    // Where the records came from, for the messages: the file's name and
    // the line of each record's '#' header.
    std::string file;
    int header_line[kPillarCount] = {0, 0, 0, 0};
};

// The console message of a pillar file that cannot be opened or read; the
// program then waits for one character and ends with status 1.
constexpr const char* kPillarReadErrorMessage = "Pillar file read error! ";

// Reads the four records; `opened` is false when the file cannot be opened
// or read. Each record's points start at (0, 0, 0); a value that does not
// parse stays 0; a number that is not finite or beyond
// kLargestInputMagnitude, a record cut short by the end of the file, and a
// UTF-16 or UTF-32 file or one that is no text, are errors, after which the drafts must not be
// reported. A record whose two points coincide has no axis: a warning on its
// header line (it gets no draft line).
ReadResult read_pillars(const std::string& path, PillarAxes& pillars);

// The same over a file's bytes in memory, named `name` in the messages.
ReadResult read_pillars_bytes(const std::string& name, const std::string& bytes,
                              PillarAxes& pillars);

// One line "<i>号立柱吃水=<z>" for each pillar i = 1..4 whose axis line
// crosses the plane (parallel test 1e-15), z being the body-frame z of the
// crossing point. An axis parallel to the plane or lying in it gets no line,
// and the others keep their numbers.
std::vector<std::string> draft_lines(const Plane& plane, const PillarAxes& pillars);

// What draft_lines passes over without a word, as warnings on the header
// line of each record concerned: an axis parallel to the plane or lying in
// it (no draft line), and an axis whose line meets the plane outside the
// segment from P0 to P1 (beyond 1e-10 of its length; the draft line is the
// crossing of the line all the same). A record whose two points coincide is
// the reader's to warn about and is passed over here.
Diagnostics draft_warnings(const Plane& plane, const PillarAxes& pillars);

}  // namespace voxel
