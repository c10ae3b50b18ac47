#include "apps/hull_from_offsets/text_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace voxel {

namespace fs = std::filesystem;

namespace {

bool write_whole(const fs::path& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.close();
    return !f.fail();
}

void remove_all_of(const std::vector<fs::path>& paths) {
    std::error_code ignored;
    for (const fs::path& p : paths) fs::remove(p, ignored);
}

}  // namespace

std::string write_files_atomically(const std::string& dir, const std::vector<OutputFile>& files) {
    const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return folder.string() + ": 错误: 无法建立输出目录 (" + ec.message() + ")";

    std::vector<fs::path> temporaries;
    for (const OutputFile& f : files) {
        const fs::path temporary = folder / ("." + f.name + ".partial");
        temporaries.push_back(temporary);
        if (!write_whole(temporary, f.text)) {
            remove_all_of(temporaries);
            return (folder / f.name).string() + ": 错误: 无法写入文件";
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        fs::rename(temporaries[i], folder / files[i].name, ec);
        if (ec) {
            remove_all_of(temporaries);
            return (folder / files[i].name).string() + ": 错误: 无法写入文件 (" + ec.message() +
                   ")";
        }
    }
    return "";
}

}  // namespace voxel
