// A fresh folder per test, removed with its contents afterwards.
#pragma once

#include <string>

namespace testing_support {

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

}  // namespace testing_support
