// Cutting a straight segment to a rectangle.
#pragma once

namespace voxel {

struct Segment2 {
    double x0 = 0.0, y0 = 0.0;
    double x1 = 0.0, y1 = 0.0;
};

// The part of segment s inside the rectangle [xmin, xmax] x [ymin, ymax]
// (Liang-Barsky). Returns false when nothing of it is inside (or a
// coordinate is not finite); otherwise
// `inside` holds the part, in the direction of s.
bool clip_segment(const Segment2& s, double xmin, double xmax, double ymin, double ymax,
                  Segment2& inside);

}  // namespace voxel
