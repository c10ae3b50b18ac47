// The angles the iterations work with, in radians.
#pragma once

namespace voxel {

// The double nearest pi, the value acos(-1) gives.
constexpr double kPi = 3.141592653589793;

// One degree as the iterations take it: pi times 1/180, the latter written as
// the double 0.005555555555555556.
constexpr double kOneDegree = kPi * 0.005555555555555556;

// A cylinder's rim points are placed with this value, not with pi: the last
// sector ends short of the first rim point by 2 * (pi - 3.1415926) rad.
constexpr double kRimPi = 3.1415926;

}  // namespace voxel
