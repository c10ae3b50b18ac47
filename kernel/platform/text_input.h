// Input files read as Windows text mode reads them.
#pragma once

#include <cstdio>
#include <string>

namespace voxel {

// Reads the whole file and hands back a read-only C stream over its bytes with
// every CR that stands before an LF dropped, so that the readers use the C
// library's own fscanf and fgets. nullptr when the file cannot be opened or
// cannot be read (a directory, for one). Close the stream with fclose.
std::FILE* open_text_input(const char* path);

// The same over bytes already in memory (for tests and for in-memory input).
std::FILE* open_text_input_from_bytes(const std::string& bytes);

// The text-mode conversion itself.
std::string drop_cr_before_lf(const std::string& bytes);

}  // namespace voxel
