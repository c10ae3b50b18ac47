// Output text files: GBK, written line by line and flushed at every line end.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace voxel {

class TextFileWriter {
  public:
    // Creates or truncates the file. `line_end` is written after every line.
    TextFileWriter(const char* path, std::string_view line_end);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    bool is_open() const { return file_ != nullptr; }
    // Why the file did not open (errno of the open); 0 when it did.
    int open_error() const { return open_error_; }
    // Writes the UTF-8 text in GBK, then the line end, then flushes. Does
    // nothing when the file did not open.
    void line(std::string_view utf8);
    void close();
    // A write, flush or close has failed (a full disk, for one).
    bool failed() const { return failed_; }

  private:
    std::FILE* file_ = nullptr;
    int open_error_ = 0;
    bool failed_ = false;
    std::string line_end_;
};

}  // namespace voxel
