#include "kernel/platform/file_set.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "kernel/platform/file_replace.h"

namespace voxel {

namespace fs = std::filesystem;

namespace {

void remove_all_of(const std::vector<std::string>& paths) {
    for (const std::string& p : paths) std::remove(p.c_str());
}

}  // namespace

std::string write_files_atomically(const std::string& dir, const std::vector<OutputFile>& files) {
    const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return folder.string() + ": 错误: 无法建立输出目录 (" + ec.message() + ")";

    std::vector<std::string> temporaries;
    for (const OutputFile& f : files) {
        const fs::path target = folder / f.name;
        // A folder of that name could not be replaced by the rename below,
        // after the files before it had been.
        if (fs::is_directory(target, ec)) {
            remove_all_of(temporaries);
            return target.string() + ": 错误: 无法写入文件 (同名的目录已存在)";
        }
        const std::string temporary = write_temporary_beside(target.string(), f.text);
        if (temporary.empty()) {
            remove_all_of(temporaries);
            return target.string() + ": 错误: 无法写入文件";
        }
        temporaries.push_back(temporary);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path target = folder / files[i].name;
        if (std::rename(temporaries[i].c_str(), target.string().c_str()) != 0) {
            remove_all_of(temporaries);
            return target.string() + ": 错误: 无法写入文件";
        }
    }
    return "";
}

}  // namespace voxel
