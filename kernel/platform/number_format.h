// The one number format of all console and file output.
#pragma once

#include <string>

namespace voxel {

// General notation with 6 significant digits, as printf's %g in the C locale:
// fixed notation for decimal exponents from -4 to 5, exponent form otherwise,
// trailing zeros dropped. The exponent carries its sign and at least three
// digits (1e-005, 1.5e+010). Independent of the process locale.
std::string format_number(double value);

// The shortest text that reads back (strtod, Python's float()) to exactly the
// same double: std::to_chars without a precision, so fixed or exponent form,
// whichever is shorter ("0.1", "0.30000000000000004", "1e-300", "1e+22",
// "-0"). Independent of the process locale. Non-finite values are written as
// the words that strtod, Python's float() and the common CSV readers take:
// "inf", "-inf", and "nan" for every NaN (its sign and payload are dropped).
std::string format_shortest(double value);

// Fixed notation with the given number of decimals (printf's %.Nf), locale-free.
std::string format_fixed(double value, int decimals);

// The same with a value that rounds to zero written without its sign
// ("0.000", never "-0.000").
std::string format_fixed_unsigned_zero(double value, int decimals);

// text padded with blanks to at least `width` bytes: on the right when
// left-aligned, on the left otherwise.
std::string pad_left_aligned(const std::string& text, std::size_t width);
std::string pad_right_aligned(const std::string& text, std::size_t width);

}  // namespace voxel
