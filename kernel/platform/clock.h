// Monotonic wall-clock timer for the reports.
#pragma once

#include <chrono>

namespace voxel {

class Stopwatch {
  public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    // Seconds since construction.
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace voxel
