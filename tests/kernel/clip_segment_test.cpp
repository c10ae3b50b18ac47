// Cutting a segment to a rectangle, against hand-worked cases on the square
// [0, 10] x [0, 10].
#include "kernel/clip_segment.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using voxel::clip_segment;
using voxel::Segment2;

TEST(ClipSegment, LineThroughTheSquareIsCutAtTwoEdges) {
    // y = x / 2 + 2 from x = -4 (y = 0) to x = 20 (y = 12): it enters through
    // the left edge at y = 2; it would reach the top y = 10 only at x = 16,
    // beyond the right edge, so it leaves through that edge at y = 7.
    Segment2 in;
    ASSERT_TRUE(clip_segment({-4, 0, 20, 12}, 0, 10, 0, 10, in));
    EXPECT_NEAR(in.x0, 0.0, 1e-12);
    EXPECT_NEAR(in.y0, 2.0, 1e-12);
    EXPECT_NEAR(in.x1, 10.0, 1e-12);
    EXPECT_NEAR(in.y1, 7.0, 1e-12);
}

TEST(ClipSegment, SteepLineLeavesThroughTheTop) {
    // From the origin through (1, 4): y = 4x meets y = 10 at x = 2.5.
    Segment2 in;
    ASSERT_TRUE(clip_segment({0, 0, 5, 20}, 0, 10, 0, 10, in));
    EXPECT_NEAR(in.x1, 2.5, 1e-12);
    EXPECT_NEAR(in.y1, 10.0, 1e-12);
}

TEST(ClipSegment, InsideStaysWholeAndOutsideIsDropped) {
    Segment2 in;
    ASSERT_TRUE(clip_segment({1, 2, 3, 4}, 0, 10, 0, 10, in));
    EXPECT_EQ(in.x0, 1.0);
    EXPECT_EQ(in.y1, 4.0);
    EXPECT_FALSE(clip_segment({11, 0, 20, 10}, 0, 10, 0, 10, in));  // right of it
    EXPECT_FALSE(clip_segment({0, 11, 10, 12}, 0, 10, 0, 10, in));  // parallel, above
    EXPECT_FALSE(clip_segment({-5, 6, 6, 17}, 0, 10, 0, 10, in));   // passes the corner
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(clip_segment({0, 0, nan, 5}, 0, 10, 0, 10, in));
}

}  // namespace
