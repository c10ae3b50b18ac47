#include "support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/process.h"

namespace testing_support {

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/voxel_test_XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data())) path_ = buf.data();
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const {
    const std::string p = file(name);
    write_file_bytes(p, bytes);
    return p;
}

}  // namespace testing_support
