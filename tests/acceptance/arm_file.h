// Reading "RightingArm_Around_X_Axis.txt" back: two series of 19 lines
// "angle arm" (whole degrees, metres), each after its GBK header line.
#pragma once

#include <string>
#include <vector>

namespace acceptance {

struct ArmLine {
    int degrees = -1;
    double arm = 0.0;  // the printed arm, as read back
    std::string text;  // the printed arm as it stands in the file
};

struct ArmFile {
    bool well_formed = false;    // 40 lines, both headers, angles 0, 5, ..., 90
    std::vector<ArmLine> right;  // first series, the -y side immersed
    std::vector<ArmLine> left;   // second series, the +y side immersed
};

ArmFile parse_arm_file(const std::string& bytes);

}  // namespace acceptance
