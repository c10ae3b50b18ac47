#include "support/svg_render.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "support/process.h"

namespace testing_support {

std::string find_on_path(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        const std::string candidate = dir + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

RenderedPng render_svg(const std::string& rsvg, const std::string& folder, const std::string& name,
                       const std::string& svg) {
    const std::string svg_path = folder + "/" + name + ".svg";
    const std::string png_path = folder + "/" + name + ".png";
    write_file_bytes(svg_path, svg);
    const ProcessResult r = run_program(rsvg, {"-o", png_path, svg_path});
    RenderedPng out;
    struct stat st {};
    if (r.exit_status == 0 && ::stat(png_path.c_str(), &st) == 0) {
        out.ok = true;
        out.bytes = static_cast<std::size_t>(st.st_size);
    }
    out.message = r.err;
    return out;
}

std::string blank_svg(double width_mm, double height_mm) {
    const std::string w = std::to_string(width_mm);
    const std::string h = std::to_string(height_mm);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h + "\"><rect width=\"" +
           w + "\" height=\"" + h + "\" fill=\"#ffffff\"/></svg>\n";
}

}  // namespace testing_support
