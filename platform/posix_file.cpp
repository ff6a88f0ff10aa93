// ReadOnlyFile over POSIX file descriptors; errors are described by the C library's strerror texts.
#include "platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

ReadOnlyFile::ReadOnlyFile(const char* path) {
    // Non-blocking, so that a FIFO or a device under the name cannot hold up start-up.
    const int file = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        m_error = std::generic_category().message(errno);
        return;
    }
    struct stat status {};
    if (fstat(file, &status) == 0 && !S_ISREG(status.st_mode)) {
        close(file);
        m_error = S_ISDIR(status.st_mode) ? std::generic_category().message(EISDIR)
                                          : std::string(path) + " is not a regular file.";
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
            m_error = std::generic_category().message(errno);
            return std::nullopt;
        }
    }
}
