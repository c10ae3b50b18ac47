#include "kernel/platform/text_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "kernel/platform/text_encoding.h"

namespace voxel {

namespace {

// The conversion in place: the text between carriage returns moves down
// whole over the ones that stand before a line feed.
void drop_cr_before_lf_in_place(std::string& bytes) {
    char* const begin = &bytes[0];
    const char* p = begin;
    const char* const end = begin + bytes.size();
    char* out = begin;
    while (p != end) {
        const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
        const char* stop = cr ? static_cast<const char*>(cr) : end;
        if (out != p) std::memmove(out, p, static_cast<std::size_t>(stop - p));
        out += stop - p;
        if (stop == end) break;
        if (stop + 1 == end || stop[1] != '\n') *out++ = '\r';
        p = stop + 1;
    }
    bytes.resize(static_cast<std::size_t>(out - begin));
}

// The file's raw bytes; false when it cannot be opened or read.
bool read_raw_bytes(const char* path, std::string& bytes) {
    if (!path || !*path) return false;
    std::FILE* raw = std::fopen(path, "rb");
    if (!raw) return false;
    struct stat st {};
    if (fstat(fileno(raw), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(raw);
        return false;
    }
    // Read at its size straight into the string; a file that grew since
    // (or that reports no size) is read on in pieces.
    const std::size_t size = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    bytes.resize(size);
    bytes.resize(size > 0 ? std::fread(&bytes[0], 1, size, raw) : 0);
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, raw)) > 0) bytes.append(buf, n);
    const bool failed = std::ferror(raw) != 0;
    std::fclose(raw);
    return !failed;
}

}  // namespace

bool read_text_file(const char* path, std::string& text) {
    if (!read_raw_bytes(path, text)) return false;
    drop_cr_before_lf_in_place(text);
    return true;
}

std::string unreadable_reason(const char* path) {
    if (!path || !*path) return "没有给出文件名";
    struct stat st {};
    if (stat(path, &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "这是文件夹, 不是文件";
    std::FILE* raw = std::fopen(path, "rb");
    if (!raw) return std::strerror(errno);
    char c;
    const bool failed = std::fread(&c, 1, 1, raw) == 0 && std::ferror(raw) != 0;
    const int error = errno;
    std::fclose(raw);
    return failed ? std::strerror(error) : "读取失败";
}

bool read_regular_file(const char* path, std::string& bytes, std::string& reason) {
    bytes.clear();
    if (!path || !*path) {
        reason = "没有给出文件名";
        return false;
    }
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer. The kind is then asked of the file that was opened, so a name
    // that changes in between cannot slip a FIFO past the check.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = S_ISDIR(st.st_mode) ? "这是文件夹, 不是文件" : "不是普通文件";
        ::close(fd);
        return false;
    }
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            bytes.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            reason = std::strerror(errno);
            ::close(fd);
            bytes.clear();
            return false;
        }
    }
    ::close(fd);
    return true;
}

TextInput::~TextInput() {
    if (stream_) std::fclose(stream_);
}

bool TextInput::open(const char* path) {
    std::string bytes;
    if (!read_raw_bytes(path, bytes)) return false;
    return open_owned(std::move(bytes));
}

bool TextInput::open_bytes(const std::string& bytes) {
    return open_owned(std::string(bytes));
}

bool TextInput::open_owned(std::string bytes) {
    // The encoding is told by the file's own bytes, before the text-mode
    // conversion. The mark lies on line 1 and holds no line end, so
    // dropping it moves no line number.
    const TextEncodingCheck encoding = check_text_encoding(bytes);
    refused_ = encoding.refused;
    if (refused_) {
        text_.clear();
    } else {
        // The file's own bytes become the text: no second copy of a large file.
        text_ = std::move(bytes);
        drop_cr_before_lf_in_place(text_);
        text_.erase(0, encoding.mark_bytes);
    }
    return open_text();
}

bool TextInput::open_text() {
    if (stream_) std::fclose(stream_);
    counted_to_ = 0;
    counted_line_ = 1;
    // A memory stream over the converted text can tell its position, which
    // the line numbers of a reader's messages come from. An empty text still
    // needs a buffer to point at.
    stream_ = fmemopen(text_.empty() ? empty_ : text_.data(), text_.size(), "r");
    return stream_ != nullptr;
}

int TextInput::line_at(long position) const {
    if (position < 0) position = 0;
    if (position > static_cast<long>(text_.size())) position = static_cast<long>(text_.size());
    if (position < counted_to_) {
        counted_to_ = 0;
        counted_line_ = 1;
    }
    for (; counted_to_ < position; ++counted_to_)
        if (text_[static_cast<std::size_t>(counted_to_)] == '\n') ++counted_line_;
    return counted_line_;
}

}  // namespace voxel
