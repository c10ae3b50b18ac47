#include "kernel/platform/text_output.h"

#include <cerrno>

#include "kernel/platform/console.h"

namespace voxel {

TextFileWriter::TextFileWriter(const char* path, std::string_view line_end)
    : file_(std::fopen(path, "wb")), open_error_(file_ ? 0 : errno), line_end_(line_end) {}

TextFileWriter::~TextFileWriter() {
    close();
}

void TextFileWriter::line(std::string_view utf8) {
    if (!file_) return;
    std::string bytes = utf8_to_gbk(utf8);
    bytes += line_end_;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    if (std::fflush(file_) != 0) failed_ = true;
}

void TextFileWriter::close() {
    if (file_ && std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
}

}  // namespace voxel
