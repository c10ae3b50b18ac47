// The HTML report of loading_condition opened in a headless Chromium: it
// loads without console errors, draws a page, holds the criteria table and
// prints on at most three A4 pages, each damage case on one more and the
// notes and input files after them on one more. Chromium is a test dependency
// (tools/ensure_deps.sh installs it); without it the test fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "support/process.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::read_file_bytes;
using testing_support::run_program;
using testing_support::ScratchDir;

const std::string kBargeCondition = VOXEL_SOURCE_DIR "/examples/loading/box_barge/condition.toml";

bool is_executable(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR);
}

// Chromium on the PATH, empty when there is none.
std::string find_chromium() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (const char* name : {"chromium", "chromium-browser"}) {
        std::size_t start = 0;
        while (start <= dirs.size()) {
            const std::size_t end = std::min(dirs.find(':', start), dirs.size());
            const std::string candidate = dirs.substr(start, end - start) + "/" + name;
            if (end > start && is_executable(candidate)) return candidate;
            start = end + 1;
        }
    }
    return "";
}

// Chromium is not built with the sanitizers: their options of a sanitizer
// run are cleared for it. Each call has its own profile folder.
ProcessResult chromium(const std::string& exe, const ScratchDir& dir, const std::string& profile,
                       std::vector<std::string> args) {
    std::vector<std::string> all = {"--headless", "--no-sandbox", "--disable-gpu",
                                    "--no-first-run", "--user-data-dir=" + dir.file(profile)};
    all.insert(all.end(), args.begin(), args.end());
    ProcessOptions options;
    options.working_dir = dir.path();
    options.env = {"ASAN_OPTIONS=", "UBSAN_OPTIONS=", "LSAN_OPTIONS=", "LD_PRELOAD=",
                   "HOME=" + dir.path()};
    options.time_limit_seconds = 120.0;
    return run_program(exe, all, options);
}

// The pages of the page printed to PDF.
long printed_pages(const std::string& exe, const ScratchDir& dir, const std::string& profile,
                   const std::string& url) {
    const ProcessResult pdf = chromium(
        exe, dir, profile,
        {"--print-to-pdf=" + dir.file("out.pdf"), "--no-pdf-header-footer", url});
    EXPECT_FALSE(pdf.timed_out);
    EXPECT_EQ(pdf.exit_status, 0) << pdf.err;
    const std::string bytes = read_file_bytes(dir.file("out.pdf"));
    EXPECT_EQ(bytes.compare(0, 5, "%PDF-"), 0);
    // Page objects: "/Type /Page" not followed by "s" (the page tree).
    long pages = 0;
    for (std::size_t at = bytes.find("/Type"); at != std::string::npos;
         at = bytes.find("/Type", at + 1)) {
        std::size_t k = at + 5;
        while (k < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[k]))) ++k;
        if (bytes.compare(k, 5, "/Page") == 0 &&
            (k + 5 >= bytes.size() || !std::isalpha(static_cast<unsigned char>(bytes[k + 5]))))
            ++pages;
    }
    return pages;
}

TEST(LoadingHtmlInBrowser, BoxBargeReportLoadsDrawsAndPrintsOnThreePages) {
    const std::string exe = find_chromium();
    ASSERT_FALSE(exe.empty()) << "chromium not found on the PATH: install it with "
                                 "tools/ensure_deps.sh (apt-get install chromium)";
    ScratchDir dir;
    ProcessOptions options;
    options.working_dir = dir.path();
    const ProcessResult run = run_program(LOADING_CONDITION_EXE, {kBargeCondition}, options);
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::string html = read_file_bytes(dir.file("condition.html"));
    ASSERT_FALSE(html.empty());
    // Self-contained: no script, nothing to fetch.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find(" src="), std::string::npos);
    EXPECT_EQ(html.find(" href="), std::string::npos);
    EXPECT_EQ(html.find("url(http"), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    const std::string url = "file://" + dir.file("condition.html");

    const ProcessResult dom =
        chromium(exe, dir, "profile-dom", {"--enable-logging=stderr", "--v=0", "--dump-dom", url});
    ASSERT_FALSE(dom.timed_out);
    ASSERT_EQ(dom.exit_status, 0) << dom.err;
    EXPECT_NE(dom.out.find("id=\"criteria\""), std::string::npos);
    EXPECT_NE(dom.out.find("PASS"), std::string::npos);
    // Console messages of the page are logged as CONSOLE lines.
    for (const std::string& line : testing_support::split_lines(dom.err))
        EXPECT_TRUE(line.find("CONSOLE") == std::string::npos &&
                    line.find("Uncaught") == std::string::npos)
            << line;

    const ProcessResult shot = chromium(
        exe, dir, "profile-png", {"--screenshot=" + dir.file("out.png"), "--window-size=1240,1754",
                                  "--hide-scrollbars", url});
    ASSERT_FALSE(shot.timed_out);
    ASSERT_EQ(shot.exit_status, 0) << shot.err;
    const std::string png = read_file_bytes(dir.file("out.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // A blank page compresses to a few hundred bytes; a drawn one does not,
    // and its compressed bytes take nearly every value.
    EXPECT_GT(png.size(), 20000u);
    EXPECT_GT(std::set<char>(png.begin(), png.end()).size(), 200u);

    const long with_damage = printed_pages(exe, dir, "profile-pdf", url);
    EXPECT_GE(with_damage, 1);
    EXPECT_LE(with_damage, 3 + 2 + 1);  // two damage cases

    // The same condition without its damage cases prints on three pages.
    std::string text = read_file_bytes(kBargeCondition);
    text.erase(text.find("\n[[compartment]]") + 1);
    const std::string folder = VOXEL_SOURCE_DIR "/examples/loading/box_barge/";
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"\"../../", "\"" + folder + "../../"},
          {"\"tanks/", "\"" + folder + "tanks/"}})
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    testing_support::write_file_bytes(dir.file("intact.toml"), text);
    const ProcessResult intact =
        run_program(LOADING_CONDITION_EXE, {dir.file("intact.toml")}, options);
    ASSERT_EQ(intact.exit_status, 0) << intact.err;
    const long pages =
        printed_pages(exe, dir, "profile-pdf-intact", "file://" + dir.file("intact.html"));
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, 3);
}

}  // namespace
