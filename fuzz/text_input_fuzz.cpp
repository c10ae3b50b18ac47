// Fuzz target: the text-input layer (encoding check, text-mode conversion,
// line numbers) and the scanned reads every reader is made of: numbers,
// points, record headers and line pieces, in an order the input chooses.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "kernel/platform/text_encoding.h"
#include "model/io/scanned_text_file.h"

namespace {

// Reads of one input; every read consumes input or ends it, so this only
// bounds the time a long input takes.
constexpr int kMaxReads = 2000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const voxel::TextEncodingCheck encoding = voxel::check_text_encoding(bytes);
    fuzz_check(encoding.mark_bytes == 0 || encoding.mark_bytes == 3, "mark bytes");

    voxel::ScannedTextFile in;
    if (!in.open_bytes("input.txt", bytes)) return 0;
    fuzz_check(in.refused() == (encoding.refused != nullptr), "refusal differs");
    fuzz_check(!in.refused() || in.diagnostics().has_errors(), "refused without an error");

    // The first byte chooses the order of the reads.
    const unsigned order = size > 0 ? data[0] : 0u;
    char piece[100];
    for (int i = 0; i < kMaxReads && !in.at_end(); ++i) {
        const long before = in.position();
        const int line = in.line();
        fuzz_check(line >= 1 && in.value_line(before) >= line, "line numbers");
        switch ((order >> (2 * (i % 4))) & 3u) {
            case 0: {
                voxel::Point3 p;
                in.read_point(p, "p");
                break;
            }
            case 1: {
                double v = 0.0;
                in.read_number("=", v, "v");
                break;
            }
            case 2: {
                int n = 0;
                in.read_record_number(n, "#");
                break;
            }
            default:
                break;
        }
        // A line piece, so that a read that matched nothing still moves on.
        if (in.position() == before && !in.read_piece(piece, sizeof piece)) break;
    }
    return 0;
}
