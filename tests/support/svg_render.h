// Rendering SVG text to PNG with rsvg-convert, for the tests that check a
// chart draws something.
#pragma once

#include <string>

namespace testing_support {

// The full path of `program` found on PATH, or "" when it is not there.
std::string find_on_path(const std::string& program);

struct RenderedPng {
    bool ok = false;        // rsvg-convert ran, exited 0 and wrote a PNG
    std::size_t bytes = 0;  // size of the PNG file
    std::string message;    // rsvg-convert's standard error when it failed
};

// Writes `svg` to `folder`/`name`.svg and renders it to `folder`/`name`.png
// with the rsvg-convert at `rsvg` (its default 90 dpi).
RenderedPng render_svg(const std::string& rsvg, const std::string& folder, const std::string& name,
                       const std::string& svg);

// An SVG of the same page size with nothing on it but a white page.
std::string blank_svg(double width_mm, double height_mm);

}  // namespace testing_support
