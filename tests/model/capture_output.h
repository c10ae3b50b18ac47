// Collects what the code under test writes to standard output or standard
// error, through the file descriptor, so C stdio writes are caught too.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

namespace testing_support {

class OutputCapture {
  public:
    explicit OutputCapture(std::FILE* stream) : stream_(stream) {
        std::fflush(stream_);
        file_ = std::tmpfile();
        saved_ = dup(fileno(stream_));
        dup2(fileno(file_), fileno(stream_));
    }
    ~OutputCapture() {
        restore();
        if (file_) std::fclose(file_);
    }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Ends the capture and returns the text.
    std::string text() {
        restore();
        std::string out;
        std::rewind(file_);
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, file_)) > 0) out.append(buf, n);
        return out;
    }

  private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stream_);
        dup2(saved_, fileno(stream_));
        close(saved_);
        saved_ = -1;
    }

    std::FILE* stream_;
    std::FILE* file_ = nullptr;
    int saved_ = -1;
};

}  // namespace testing_support
