// Replacing a file's contents so that no half-written file is ever seen.
#pragma once

#include <string>
#include <string_view>

namespace voxel {

// Writes `bytes` to a new temporary file beside `path` (same folder, so the
// rename below never crosses a file system; the name is
// ".<file name>.<pid>.<n>.tmp", created exclusively), flushes it to the disk,
// closes it and renames it over `path`. A reader of `path` sees either the
// old contents or the whole new ones.
//
// Returns false on any failure (the folder does not exist or is not writable,
// `path` is a folder, the disk is full, ...), with errno saying why; the
// temporary file is then removed and an existing `path` is left as it was. The new file gets the
// permissions of a newly created file (0666 less the umask), not those of the
// file it replaces; a symbolic link at `path` is replaced, not followed.
bool replace_file_contents(const std::string& path, std::string_view bytes);

// The first half of the above, for a caller that renames several files only
// once all are written: the new temporary file beside `path`, written,
// flushed and closed. Returns its name, or "" on failure (nothing is left;
// errno says why).
std::string write_temporary_beside(const std::string& path, std::string_view bytes);

}  // namespace voxel
