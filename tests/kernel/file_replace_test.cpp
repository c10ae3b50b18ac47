// Replacing a file's contents: the new bytes arrive whole, a failed write
// leaves the old file exactly as it was, and no temporary file stays behind.
// Tests may run as root, where permissions stop nothing, so the failures are
// made with a folder that does not exist, a path that is a folder, and a
// file-size limit that cuts the write short (as a full disk would).
#include "kernel/platform/file_replace.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::read_file_bytes;
using voxel::replace_file_contents;

std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

TEST(ReplaceFileContents, WritesNewAndReplacesOldWithNothingLeftOver) {
    testing_support::ScratchDir dir;
    const std::string path = dir.file("Hydro_Static.csv");
    ASSERT_TRUE(replace_file_contents(path, "first\n"));
    EXPECT_EQ(read_file_bytes(path), "first\n");
    std::string big(3 << 20, 'x');  // larger than one write usually takes
    big += std::string("\0end", 4);
    ASSERT_TRUE(replace_file_contents(path, big));
    EXPECT_EQ(read_file_bytes(path), big);
    ASSERT_TRUE(replace_file_contents(path, ""));
    EXPECT_EQ(read_file_bytes(path), "");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"Hydro_Static.csv"});
}

TEST(ReplaceFileContents, AFolderInThePlaceOfTheFileFailsAndStaysAsItWas) {
    testing_support::ScratchDir dir;
    const std::string path = dir.file("chart.svg");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    dir.write("chart.svg/inside.txt", "kept");
    EXPECT_FALSE(replace_file_contents(path, "<svg/>"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(read_file_bytes(path + "/inside.txt"), "kept");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"chart.svg"});
}

TEST(ReplaceFileContents, AMissingFolderFailsAndTouchesNothing) {
    testing_support::ScratchDir dir;
    const std::string old_file = dir.write("Stability_Criteria.txt", "old contents\n");
    EXPECT_FALSE(replace_file_contents(dir.file("no_such_folder/Stability_Criteria.txt"), "new"));
    EXPECT_FALSE(replace_file_contents("", "new"));
    EXPECT_EQ(read_file_bytes(old_file), "old contents\n");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"Stability_Criteria.txt"});
}

TEST(ReplaceFileContents, AWriteCutShortKeepsTheOldFile) {
    testing_support::ScratchDir dir;
    const std::string old_file = dir.write("Hydro_Static.svg", "old chart\n");
    // Past RLIMIT_FSIZE a write fails with EFBIG (SIGXFSZ ignored), even for
    // root: the temporary file gets its first 4096 bytes and no more.
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = replace_file_contents(old_file, std::string(100000, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read_file_bytes(old_file), "old chart\n");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"Hydro_Static.svg"});
}

TEST(ReplaceFileContents, AnUnwritableFolderFailsForAnOrdinaryUser) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
    testing_support::ScratchDir dir;
    const std::string old_file = dir.write("RightingArm_Around_X_Axis.csv", "old\n");
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    EXPECT_FALSE(replace_file_contents(old_file, "new\n"));
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(read_file_bytes(old_file), "old\n");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"RightingArm_Around_X_Axis.csv"});
}

}  // namespace
