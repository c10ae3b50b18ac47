// Input files read as Windows text mode reads them.
#pragma once

#include <cstdio>
#include <string>

namespace voxel {

// The file's bytes after the text-mode conversion, which drops every CR that
// stands before an LF and keeps every other byte; false when it cannot be
// opened or read (a directory, for one).
bool read_text_file(const char* path, std::string& text);

// Why the file at `path` cannot be opened and read, for a message (UTF-8):
// that no name was given, that it is a folder, or the system's reason
// (strerror, "No such file or directory"). Asked after an open failed; a
// file that opens and reads now gets "读取失败".
std::string unreadable_reason(const char* path);

// The bytes of the regular file at `path` as they are (no text-mode
// conversion), for files that may be binary. Never waits: the file is opened
// without blocking and anything but a regular file (a folder, a FIFO, a
// device) is refused before a byte is read. False with why in `reason`
// (UTF-8, as unreadable_reason gives it) when there are no bytes to give.
bool read_regular_file(const char* path, std::string& bytes, std::string& reason);

// An input file in text mode for readers that report the line of what they
// read: the converted text, a C stream over it that can tell its position
// (ftell), and the line of any position. A UTF-8 byte-order mark at the start
// is skipped; a file in a wide encoding (kernel/platform/text_encoding.h) is
// opened with no text, and refused_encoding() names its encoding.
class TextInput {
  public:
    TextInput() = default;
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    // False when the file cannot be opened or read.
    bool open(const char* path);
    // The same over bytes already in memory (converted here).
    bool open_bytes(const std::string& bytes);

    std::FILE* stream() const { return stream_; }
    const std::string& text() const { return text_; }
    // The wide encoding of the file opened last, nullptr for byte text.
    const char* refused_encoding() const { return refused_; }
    long position() const { return std::ftell(stream_); }
    // 1-based line of the byte at `position`. Counting goes on from the last
    // position asked for, so a reader moving forward pays one pass in all.
    int line_at(long position) const;

  private:
    bool open_owned(std::string bytes);
    bool open_text();

    std::string text_;
    const char* refused_ = nullptr;
    char empty_[1] = {0};  // the buffer of an empty text's stream
    std::FILE* stream_ = nullptr;
    mutable long counted_to_ = 0;
    mutable int counted_line_ = 1;
};

}  // namespace voxel
