#include "kernel/platform/text_input.h"

#include <sys/stat.h>

#include <cstring>

namespace voxel {

namespace {

struct MemoryFile {
    std::string bytes;
    std::size_t pos = 0;
};

ssize_t memory_read(void* cookie, char* buf, size_t size) {
    auto* f = static_cast<MemoryFile*>(cookie);
    const std::size_t left = f->bytes.size() - f->pos;
    const std::size_t n = size < left ? size : left;
    std::memcpy(buf, f->bytes.data() + f->pos, n);
    f->pos += n;
    return static_cast<ssize_t>(n);
}

int memory_close(void* cookie) {
    delete static_cast<MemoryFile*>(cookie);
    return 0;
}

}  // namespace

std::string drop_cr_before_lf(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out += bytes[i];
    }
    return out;
}

std::FILE* open_text_input_from_bytes(const std::string& bytes) {
    auto* f = new MemoryFile{drop_cr_before_lf(bytes), 0};
    cookie_io_functions_t io{};
    io.read = memory_read;
    io.close = memory_close;
    std::FILE* stream = fopencookie(f, "r", io);
    if (!stream) delete f;
    return stream;
}

std::FILE* open_text_input(const char* path) {
    if (!path || !*path) return nullptr;
    std::FILE* raw = std::fopen(path, "rb");
    if (!raw) return nullptr;
    struct stat st {};
    if (fstat(fileno(raw), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(raw);
        return nullptr;
    }
    std::string bytes;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, raw)) > 0) bytes.append(buf, n);
    const bool failed = std::ferror(raw) != 0;
    std::fclose(raw);
    if (failed) return nullptr;
    return open_text_input_from_bytes(bytes);
}

}  // namespace voxel
