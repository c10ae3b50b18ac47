#include "kernel/platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace voxel {

namespace {

// Name of the n-th candidate temporary file for `path`.
std::string temporary_name(const std::string& path, long pid, int n) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + "." + std::to_string(pid) + "." + std::to_string(n) + ".tmp";
}

bool write_all(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string write_temporary_beside(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') {
        errno = path.empty() ? ENOENT : EISDIR;
        return "";
    }
    // O_EXCL makes the name ours alone: a name left by another process (or an
    // earlier crash of a process with the same pid) is skipped, never reused.
    const long pid = static_cast<long>(::getpid());
    std::string temp;
    int fd = -1;
    for (int n = 0; n < 100 && fd < 0; ++n) {
        temp = temporary_name(path, pid, n);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return "";
    }
    if (fd < 0) return "";  // errno EEXIST: every candidate name was taken

    // The data must be on the disk before a rename makes it the file's
    // contents; otherwise a crash could leave the new name on empty data.
    int error = 0;
    if (!write_all(fd, bytes) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        errno = error;
        return "";
    }
    return temp;
}

bool replace_file_contents(const std::string& path, std::string_view bytes) {
    const std::string temp = write_temporary_beside(path, bytes);
    if (temp.empty()) return false;
    if (std::rename(temp.c_str(), path.c_str()) == 0) return true;
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return false;
}

}  // namespace voxel
