// Output text files: GBK, line by line, with the given line end.
#include "kernel/platform/text_output.h"

#include <gtest/gtest.h>

#include <string>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::read_file_bytes;
using testing_support::ScratchDir;

TEST(TextFileWriter, WritesGbkLinesWithTheGivenEnd) {
    ScratchDir dir;
    const std::string path = dir.file("out.txt");
    {
        voxel::TextFileWriter w(path.c_str(), "\r\n");
        ASSERT_TRUE(w.is_open());
        w.line("项目 1.5");
        // Each line is on disk as soon as it is written.
        EXPECT_EQ(read_file_bytes(path), "\xCF\xEE\xC4\xBF 1.5\r\n");
        w.line("");
    }
    EXPECT_EQ(read_file_bytes(path), "\xCF\xEE\xC4\xBF 1.5\r\n\r\n");
}

TEST(TextFileWriter, ReplacesAnOldFile) {
    ScratchDir dir;
    const std::string path = dir.write("out.txt", "old contents that are longer\n");
    voxel::TextFileWriter w(path.c_str(), "\n");
    w.line("new");
    w.close();
    EXPECT_EQ(read_file_bytes(path), "new\n");
}

TEST(TextFileWriter, UnwritablePathWritesNothing) {
    ScratchDir dir;
    voxel::TextFileWriter w(dir.file("no/such/folder/out.txt").c_str(), "\n");
    EXPECT_FALSE(w.is_open());
    w.line("ignored");  // must not crash
    w.close();
}

}  // namespace
