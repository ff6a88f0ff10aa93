// ReadOnlyFile and the program's folder over POSIX calls; errors are described by the C library's strerror
// texts, converted from the locale's encoding.
#include "platform/file.h"

#include "platform/posix_text.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ReadOnlyFile::ReadOnlyFile(const char* path) {
    // Non-blocking, so that a FIFO or a device under the name cannot hold up start-up.
    const int file = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        m_error = DescribeError(errno);
        return;
    }
    struct stat status {};
    if (fstat(file, &status) == 0 && !S_ISREG(status.st_mode)) {
        close(file);
        m_error =
            S_ISDIR(status.st_mode) ? DescribeError(EISDIR) : std::string(path) + " is not a regular file.";
        return;
    }
    m_handle = file;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (IsOpen()) {
        close(static_cast<int>(m_handle));
    }
}

std::optional<std::size_t> ReadOnlyFile::Read(void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(static_cast<int>(m_handle), buffer, size);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            m_error = DescribeError(errno);
            return std::nullopt;
        }
    }
}

std::optional<std::string> EnterProgramFolder() {
    // The kernel's link to the running executable names its real file, with symbolic links resolved.
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0 || static_cast<std::size_t>(length) >= path.size()) {
        return DescribeError(length < 0 ? errno : ENAMETOOLONG);
    }
    path.resize(static_cast<std::size_t>(length));
    path.erase(path.find_last_of('/') + 1);
    if (chdir(path.c_str()) != 0) {
        return DescribeError(errno);
    }
    return std::nullopt;
}
