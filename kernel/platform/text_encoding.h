// What the first bytes of an input file say about its encoding. The readers
// take plain byte text (ASCII numbers and keywords, GBK or UTF-8 remarks). An
// editor may put a UTF-8 byte-order mark in front, which carries nothing and
// is skipped; a file saved as UTF-16 or UTF-32 has a NUL byte beside every
// ASCII character, so no key or number of it can match, and it is refused.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace voxel {

// Bytes at the start of a file searched for NUL bytes.
constexpr std::size_t kEncodingProbeBytes = 1024;

struct TextEncodingCheck {
    std::size_t mark_bytes = 0;  // bytes of a UTF-8 byte-order mark to skip (0 or 3)
    // Name of the wide encoding found ("UTF-16 LE", ...), from a byte-order
    // mark or from NUL bytes in the first kEncodingProbeBytes bytes;
    // nullptr for byte text that the readers can take.
    const char* refused = nullptr;
};

TextEncodingCheck check_text_encoding(std::string_view bytes);

// What a reader says of a file in the wide encoding `encoding` (UTF-8).
std::string refused_encoding_message(const char* encoding);

}  // namespace voxel
