// The one number format of all console and file output.
#pragma once

#include <string>

namespace voxel {

// General notation with 6 significant digits, as printf's %g in the C locale:
// fixed notation for decimal exponents from -4 to 5, exponent form otherwise,
// trailing zeros dropped. The exponent carries its sign and at least three
// digits (1e-005, 1.5e+010). Independent of the process locale.
std::string format_number(double value);

// Fixed notation with the given number of decimals (printf's %.Nf), locale-free.
std::string format_fixed(double value, int decimals);

// text padded with blanks to at least `width` bytes: on the right when
// left-aligned, on the left otherwise.
std::string pad_left_aligned(const std::string& text, std::size_t width);
std::string pad_right_aligned(const std::string& text, std::size_t width);

}  // namespace voxel
