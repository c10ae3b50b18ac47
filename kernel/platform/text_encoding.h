// What the first bytes of an input file say about its encoding. The readers
// take plain byte text (ASCII numbers and keywords, GBK or UTF-8 remarks). An
// editor may put a UTF-8 byte-order mark in front, which carries nothing and
// is skipped; a file saved as UTF-16 or UTF-32 has a NUL byte beside every
// ASCII character, so no key or number of it can match, and it is refused.
// So is a file that is no text at all (a picture, an archive, a program):
// NUL bytes out of the pattern of a wide encoding, or many control bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace voxel {

// Bytes at the start of a file that the check looks at.
constexpr std::size_t kEncodingProbeBytes = 1024;

// The name check_text_encoding gives a file that is no text.
inline constexpr char kNotTextFile[] = "非文本数据";

struct TextEncodingCheck {
    std::size_t mark_bytes = 0;  // bytes of a UTF-8 byte-order mark to skip (0 or 3)
    // Why the readers cannot take the file: the name of its wide encoding
    // ("UTF-16 LE", ...) from a byte-order mark or from the pattern of the
    // NUL bytes in the first kEncodingProbeBytes bytes, or kNotTextFile;
    // nullptr for byte text that the readers can take.
    const char* refused = nullptr;
};

// Within the first kEncodingProbeBytes bytes (after a UTF-8 mark):
// - a byte-order mark of UTF-16 or UTF-32 names that encoding;
// - without one, the file is UTF-32 LE (BE) when every unit of four bytes is
//   a character of UTF-32, not NUL: its two high bytes 0 and 0..0x10, so an
//   ASCII character is "c 0 0 0" ("0 0 0 c"); and UTF-16 LE (BE) when no unit
//   of two bytes is NUL and at least half of them have the high byte 0
//   ("c 0", "0 c": ASCII, the most of a model file's text);
// - any other NUL byte, or more than one control byte (below 0x20 other than
//   the white space of text, or 0x7F) in sixteen, makes the file no text.
//   Random bytes hold one control byte in ten; text holds next to none.
// An incomplete last unit is not looked at.
TextEncodingCheck check_text_encoding(std::string_view bytes);

// What a reader says of a file that check_text_encoding refuses with
// `refused` (UTF-8): for a wide encoding, that it is text in that encoding
// to be saved as plain text; for kNotTextFile, that it is no text file.
std::string refused_encoding_message(const char* refused);

}  // namespace voxel
